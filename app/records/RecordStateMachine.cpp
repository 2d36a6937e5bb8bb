#include "RecordStateMachine.h"

#include "BatchDataSet.h"

RecordStateMachine::RecordStateMachine(const RecordFamily& family, BatchDataSet& data)
    : m_family(family), m_data(data) {}

QString RecordStateMachine::state() const {
    if (!m_family.hasStates() || m_data.currentRow() < 0)
        return {};
    return m_data.text(m_family.stateColumn).trimmed();
}

RecordStateMachine::Display RecordStateMachine::display() const {
    Display d;
    const QString s = state();
    if (!m_family.states.contains(s))
        return d;
    d.known = true;
    d.dealEnabled = m_family.dealStates.contains(s);
    for (const RecordFamily::StateAction& a : m_family.actions)
        d.actionEnabled << a.from.contains(s);
    return d;
}

bool RecordStateMachine::allows(const RecordFamily::StateAction& action) const {
    return action.from.contains(state());
}

void RecordStateMachine::presetNewRow(const QString& userName, const QDate& today) {
    for (const RecordFamily::Preset& p : m_family.presets) {
        switch (p.source) {
        case RecordFamily::Preset::Source::Today:
            m_data.setValue(p.column, today);
            break;
        case RecordFamily::Preset::Source::UserName:
            m_data.setValue(p.column, userName);
            break;
        case RecordFamily::Preset::Source::Text:
            m_data.setValue(p.column, p.text);
            break;
        case RecordFamily::Preset::Source::False:
            m_data.setValue(p.column, false);
            break;
        }
    }
}

void RecordStateMachine::apply(const RecordFamily::StateAction& action, const QString& userName,
                               const QDate& today) {
    m_data.edit();
    for (const QString& c : action.setToday)
        m_data.setValue(c, today);
    if (!action.to.isEmpty())
        setState(action.to);
    for (const QString& c : action.setUser)
        m_data.setValue(c, userName);
    for (const QString& c : action.resets)
        reset(c);
}

void RecordStateMachine::reset(const QString& column) {
    const int index = m_data.columnIndex(column);
    switch (index < 0 ? BatchDataSet::ColumnKind::Other : m_data.columnKind(index)) {
    case BatchDataSet::ColumnKind::Integer:
    case BatchDataSet::ColumnKind::Money:
        m_data.setValue(column, 0);
        break;
    case BatchDataSet::ColumnKind::Boolean:
        m_data.setValue(column, false);
        break;
    default:
        m_data.clearValue(column);
        break;
    }
}

void RecordStateMachine::setState(const QString& state) {
    m_data.edit();
    m_data.setValue(m_family.stateColumn, state);
}

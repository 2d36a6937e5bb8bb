#include "RecordFamily.h"

const RecordFamily::Editor* RecordFamily::editor(const QString& name) const {
    for (const Editor& e : editors)
        if (e.name == name)
            return &e;
    return nullptr;
}

const RecordFamily::StateAction* RecordFamily::action(const QString& button) const {
    for (const StateAction& a : actions)
        if (a.button == button)
            return &a;
    return nullptr;
}

const RecordFamily::StateFilter* RecordFamily::filter(const QString& box) const {
    for (const StateFilter& f : filters)
        if (f.box == box)
            return &f;
    return nullptr;
}

QStringList RecordFamily::dealEditors() const {
    QStringList names;
    for (const Editor& e : editors)
        if (e.deal)
            names << e.name;
    return names;
}

QStringList RecordFamily::dealColumns() const {
    QStringList names;
    for (const Editor& e : editors)
        if (e.deal)
            names << e.column;
    return names;
}

namespace {
// The tool bar items a family may hide (the template's and the detail base's component names).
const QStringList ListToolItems = {QStringLiteral("TbNew"),     QStringLiteral("TbDelete"),
                                   QStringLiteral("TbRefresh"), QStringLiteral("TbPrint"),
                                   QStringLiteral("ToolSep1"),  QStringLiteral("ToolSep2"),
                                   QStringLiteral("ToolSep3")};
const QStringList DetailToolItems = {QStringLiteral("Tbnew"),    QStringLiteral("TbDelete"),
                                     QStringLiteral("TbPrint"),  QStringLiteral("ToolSep1"),
                                     QStringLiteral("ToolSep2"), QStringLiteral("ToolSep3"),
                                     QStringLiteral("ToolSep4"), QStringLiteral("ToolSep5")};
} // namespace

QStringList RecordFamily::problems(const QStringList& tableColumns) const {
    QStringList out;
    const auto column = [&](const QString& name, const QString& where) {
        if (!name.isEmpty() && !tableColumns.contains(name, Qt::CaseInsensitive))
            out << QStringLiteral("%1: %2 has no column %3").arg(where, table, name);
    };
    const auto state = [&](const QString& value, const QString& where) {
        if (!states.contains(value))
            out << QStringLiteral("%1: unknown state %2").arg(where, value);
    };
    const auto editorNamed = [&](const QString& name, const QString& where) {
        if (!name.isEmpty() && !editor(name))
            out << QStringLiteral("%1: no editor %2").arg(where, name);
    };

    column(keyField, QStringLiteral("key"));
    column(billColumn, QStringLiteral("bill number"));
    column(stateColumn, QStringLiteral("state"));
    column(dateColumn, QStringLiteral("date range"));
    column(commissionColumn, QStringLiteral("commission"));
    column(priceColumn, QStringLiteral("commission price"));
    if (hasStates() == states.isEmpty())
        out << QStringLiteral("states: a state column needs its states and states their column");

    QStringList gridColumns;
    for (const GridColumn& c : columns) {
        column(c.column, QStringLiteral("grid"));
        if (c.band >= bands.size())
            out << QStringLiteral("grid: %1 in band %2 of %3").arg(c.column).arg(c.band).arg(bands.size());
        if (gridColumns.contains(c.column))
            out << QStringLiteral("grid: %1 twice").arg(c.column);
        gridColumns << c.column;
    }
    for (const QString& c : tableColumns)
        if (!gridColumns.contains(c, Qt::CaseInsensitive))
            out << QStringLiteral("grid: column %1 missing").arg(c);

    QStringList names;
    QStringList lists;
    for (const Editor& e : editors) {
        column(e.column, QStringLiteral("editor ") + e.name);
        if (names.contains(e.name))
            out << QStringLiteral("editor %1 twice").arg(e.name);
        names << e.name;
        if (!e.group.isEmpty() && !groups.contains(e.group))
            out << QStringLiteral("editor %1: no group %2").arg(e.name, e.group);
        if (e.kind == EditorKind::PopupCheck)
            lists << e.checkList;
    }
    for (const PickList& p : pickLists) {
        const Editor* e = editor(p.editor);
        if (!lists.contains(p.editor) && !(e && e->kind == EditorKind::PickEdit))
            out << QStringLiteral("pick list %1: no pick edit or check list %2").arg(p.dictType, p.editor);
    }
    if (addsRows)
        editorNamed(newRowFocus, QStringLiteral("new row focus"));
    editorNamed(commissionEditor, QStringLiteral("commission"));

    for (const Preset& p : presets) {
        column(p.column, QStringLiteral("preset"));
        if (p.column == stateColumn)
            state(p.text, QStringLiteral("preset"));
    }
    for (const StateAction& a : actions) {
        const QString where = QStringLiteral("action ") + a.button;
        for (const QString& c : a.setUser + a.setToday + a.resets)
            column(c, where);
        for (const QString& s : a.from)
            state(s, where);
        if (!a.to.isEmpty())
            state(a.to, where);
        editorNamed(a.focusEditor, where);
    }
    for (const QString& s : dealStates)
        state(s, QStringLiteral("deal states"));
    if (!reopenState.isEmpty())
        state(reopenState, QStringLiteral("reopen"));
    if (!dealAction.isEmpty() && !action(dealAction))
        out << QStringLiteral("deal action %1 is no action").arg(dealAction);

    for (const QString& box : filterOrder + QStringList{fallbackFilter})
        if (!filters.isEmpty() && !filter(box))
            out << QStringLiteral("filter order: no box %1").arg(box);
    if (filters.isEmpty() == querySql.isEmpty())
        out << QStringLiteral("query: either state filter boxes or one query");
    for (const QString& item : listHidden)
        if (!ListToolItems.contains(item))
            out << QStringLiteral("list hides unknown %1").arg(item);
    for (const QString& item : detailHidden)
        if (!DetailToolItems.contains(item))
            out << QStringLiteral("detail hides unknown %1").arg(item);
    return out;
}

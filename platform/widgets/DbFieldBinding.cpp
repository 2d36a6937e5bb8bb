#include "DbFieldBinding.h"

#include "BatchDataSet.h"
#include "DateText.h"
#include "DbError.h"
#include "FieldErrorTip.h"

#include <QBrush>
#include <QDate>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QWidget>

DbFieldBinding::DbFieldBinding(QWidget* editor) : m_editor(editor) {}

DbFieldBinding::~DbFieldBinding() {
    disconnectDataSet();
    delete m_tip;
}

void DbFieldBinding::bind(BatchDataSet* dataSet, const QString& column) {
    disconnectDataSet();
    m_dataSet = dataSet;
    m_column = column;
    clearError();
    connectDataSet();
    columnChanged();
    refresh();
}

BatchDataSet* DbFieldBinding::dataSet() const {
    return m_dataSet.data();
}

void DbFieldBinding::connectDataSet() {
    BatchDataSet* ds = m_dataSet.data();
    if (!ds)
        return;
    auto moved = [this] { onRowMoved(); };
    auto reopened = [this] {
        columnChanged();
        onRowMoved();
    };
    m_connections << QObject::connect(ds, &BatchDataSet::currentRowChanged, m_editor, moved)
                  << QObject::connect(ds, &QAbstractItemModel::rowsInserted, m_editor, moved)
                  << QObject::connect(ds, &QAbstractItemModel::rowsRemoved, m_editor, moved)
                  << QObject::connect(ds, &QAbstractItemModel::layoutChanged, m_editor, moved)
                  << QObject::connect(ds, &QAbstractItemModel::modelReset, m_editor, reopened)
                  << QObject::connect(ds, &BatchDataSet::opened, m_editor, reopened)
                  << QObject::connect(ds, &BatchDataSet::stateChanged, m_editor, [this] { onStateChanged(); })
                  << QObject::connect(ds, &QAbstractItemModel::dataChanged, m_editor,
                                      [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                                          onValueChanged(topLeft.row(), bottomRight.row(), topLeft.column(),
                                                         bottomRight.column());
                                      });
}

void DbFieldBinding::disconnectDataSet() {
    for (const auto& connection : std::as_const(m_connections))
        QObject::disconnect(connection);
    m_connections.clear();
}

void DbFieldBinding::onRowMoved() {
    // Another row (or a re-read one): a refused text belonged to the row that was.
    m_sessionActive = false;
    clearError();
    refresh();
}

void DbFieldBinding::onStateChanged() {
    // The row's edit ended (cancelled, posted or sent): a refused text has nothing left to
    // belong to, and the editor shows what the row now holds.
    const auto state = m_dataSet ? m_dataSet->state() : BatchDataSet::State::Inactive;
    if (state == BatchDataSet::State::Browse || state == BatchDataSet::State::Inactive) {
        if (!m_storing)
            onRowMoved();
        return;
    }
    onValueChanged(0, INT_MAX, 0, INT_MAX);
}

void DbFieldBinding::beginSession() {
    if (m_sessionActive)
        return;
    m_sessionValue = fieldValue();
    m_sessionActive = true;
}

void DbFieldBinding::onValueChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    if (m_storing || hasRefusedText() || !m_dataSet)
        return;
    const int row = m_dataSet->currentRow();
    const int column = m_dataSet->columnIndex(m_column);
    if (row < firstRow || row > lastRow || column < firstColumn || column > lastColumn)
        return;
    refresh();
}

void DbFieldBinding::refresh() {
    if (m_storing)
        return;
    const QScopedValueRollback guard(m_showing, true);
    showValue();
}

void DbFieldBinding::revert() {
    // Back to the value the column held before this editing began, not merely the last text
    // accepted on the way to the refused one.
    if (m_sessionActive && m_dataSet && hasCurrentRow() && fieldValue() != m_sessionValue) {
        try {
            const QScopedValueRollback guard(m_storing, true);
            if (m_sessionValue.isNull())
                m_dataSet->clearValue(m_column);
            else
                m_dataSet->setValue(m_column, m_sessionValue);
        } catch (const DbError&) {
            // The value came from the column itself; should it be refused now, the last one stays.
        }
    }
    m_sessionActive = false;
    clearError();
    refresh();
}

bool DbFieldBinding::hasCurrentRow() const {
    return m_dataSet && m_dataSet->isOpen() && m_dataSet->currentRow() >= 0 &&
           m_dataSet->columnIndex(m_column) >= 0;
}

QString DbFieldBinding::fieldText() const {
    return hasCurrentRow() ? m_dataSet->text(m_column) : QString();
}

QVariant DbFieldBinding::fieldValue() const {
    return hasCurrentRow() ? m_dataSet->value(m_column) : QVariant();
}

namespace {
BatchDataSet::ColumnKind kindOf(const BatchDataSet* ds, const QString& column) {
    const int index = ds ? ds->columnIndex(column) : -1;
    return index >= 0 ? ds->columnKind(index) : BatchDataSet::ColumnKind::Text;
}
} // namespace

bool DbFieldBinding::isNumberColumn() const {
    const auto kind = kindOf(m_dataSet.data(), m_column);
    return kind == BatchDataSet::ColumnKind::Integer || kind == BatchDataSet::ColumnKind::Money;
}

bool DbFieldBinding::isDateColumn() const {
    return kindOf(m_dataSet.data(), m_column) == BatchDataSet::ColumnKind::Date;
}

bool DbFieldBinding::isTextColumn() const {
    const auto kind = kindOf(m_dataSet.data(), m_column);
    return kind == BatchDataSet::ColumnKind::Text || kind == BatchDataSet::ColumnKind::Other;
}

int DbFieldBinding::textLimit() const {
    const int index = m_dataSet ? m_dataSet->columnIndex(m_column) : -1;
    return index >= 0 && isTextColumn() ? m_dataSet->maxLength(index) : 0;
}

bool DbFieldBinding::storeValue(const QVariant& value) {
    if (!m_dataSet) {
        showError(QStringLiteral("没有可编辑的记录"));
        return false;
    }
    beginSession();
    try {
        const QScopedValueRollback guard(m_storing, true);
        if (value.isNull())
            m_dataSet->clearValue(m_column);
        else
            m_dataSet->setValue(m_column, value);
    } catch (const DbError& error) {
        showError(error.message());
        return false;
    }
    clearError();
    return true;
}

namespace {

// Texts on the way to a number or a date, refused only if the clerk leaves them like this.
bool isIncompleteNumber(const QString& text) {
    static const QStringList starts = {QStringLiteral("-"), QStringLiteral("+"), QStringLiteral("."),
                                       QStringLiteral("-."), QStringLiteral("+.")};
    return starts.contains(text);
}

bool isIncompleteDate(const QString& text) {
    static const QRegularExpression partial(QStringLiteral("^[0-9]{1,4}(-[0-9]{0,2}(-[0-9]{0,2})?)?$"));
    return partial.match(text).hasMatch();
}

QString dateRefusal(const QString& column, const QString& text) {
    return QStringLiteral("%1：“%2”不是有效的日期，请按 年-月-日 输入，例如 %3")
        .arg(column, text, DateText::format(QDate::currentDate()));
}

} // namespace

bool DbFieldBinding::storeText(const QString& text) {
    m_held = false;
    if (isNumberColumn()) {
        const QString t = text.trimmed();
        if (t.isEmpty())
            return storeValue(QVariant());
        if (isIncompleteNumber(t)) {
            beginSession();
            clearError();
            m_held = true;
            return false;
        }
        return storeValue(t);
    }
    if (isDateColumn()) {
        const QString t = text.trimmed();
        if (t.isEmpty())
            return storeValue(QVariant());
        const QDate date = DateText::parse(t);
        if (date.isValid())
            return storeValue(date);
        if (isIncompleteDate(t)) {
            beginSession();
            clearError();
            m_held = true;
            return false;
        }
        beginSession();
        showError(dateRefusal(m_column, t));
        return false;
    }
    return storeValue(text);
}

void DbFieldBinding::finishEditing(const QString& text) {
    if (m_held) {
        const QString t = text.trimmed();
        m_held = false;
        if (isDateColumn()) {
            showError(dateRefusal(m_column, t));
            return;
        }
        // The data set words the refusal of a number; should it take the text after all, fine.
        if (storeValue(t)) {
            m_sessionActive = false;
            refresh();
        }
        return;
    }
    if (m_error.isEmpty()) {
        m_sessionActive = false;
        refresh();
    }
}

bool DbFieldBinding::handleRevertKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier || !hasRefusedText())
        return false;
    // The window's own Esc (close) waits until the refused text is gone.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        revert();
    return true;
}

void DbFieldBinding::showError(const QString& text) {
    m_held = false;
    if (m_error.isEmpty())
        m_normalToolTip = m_editor->toolTip();
    m_error = text;
    if (!m_tip)
        m_tip = new FieldErrorTip(m_editor);
    m_tip->showMessage(text);
    m_editor->setToolTip(text);
    m_editor->setAccessibleDescription(text);
    updateLook();
}

void DbFieldBinding::clearError() {
    m_held = false;
    if (m_error.isEmpty())
        return;
    m_error.clear();
    if (m_tip)
        m_tip->hide();
    m_editor->setToolTip(m_normalToolTip);
    m_editor->setAccessibleDescription(QString());
    updateLook();
}

void DbFieldBinding::updateLook() {
    QPalette palette = m_editor->palette();
    if (!m_lookSaved) {
        m_normalBase = QVariant::fromValue(palette.brush(QPalette::Active, QPalette::Base));
        m_lookSaved = true;
    }
    QBrush base = m_normalBase.value<QBrush>();
    if (!m_error.isEmpty())
        base = QColor(0xFF, 0xE6, 0xE6);
    else if (isReadOnly())
        base = palette.brush(QPalette::Active, QPalette::Window);
    if (palette.brush(QPalette::Active, QPalette::Base) == base)
        return;
    palette.setBrush(QPalette::Active, QPalette::Base, base);
    palette.setBrush(QPalette::Inactive, QPalette::Base, base);
    m_editor->setPalette(palette);
}

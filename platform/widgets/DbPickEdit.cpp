#include "DbPickEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

DbPickEdit::DbPickEdit(QWidget* parent) : QComboBox(parent), DbFieldBinding(this) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(16);
    // Completion would put text into the editor that the clerk did not type.
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!isShowing())
            storeText(text);
    });
    connect(lineEdit(), &QLineEdit::editingFinished, this, [this] { finishEditing(lineEdit()->text()); });
}

void DbPickEdit::setItems(const QStringList& items) {
    {
        // Filling the list moves the editor's text; the column keeps its value.
        const QSignalBlocker blocker(lineEdit());
        clear();
        addItems(items);
    }
    refresh();
}

QStringList DbPickEdit::items() const {
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list.append(itemText(i));
    return list;
}

void DbPickEdit::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    lineEdit()->setReadOnly(readOnly);
    updateLook();
}

void DbPickEdit::showPopup() {
    if (!m_readOnly)
        QComboBox::showPopup();
}

void DbPickEdit::showValue() {
    const QString value = fieldText();
    if (lineEdit()->text() != value) {
        const int item = findText(value, Qt::MatchExactly);
        setCurrentIndex(item);
        setEditText(value);
        lineEdit()->setCursorPosition(0);
    }
}

void DbPickEdit::columnChanged() {
    const int limit = textLimit();
    lineEdit()->setMaxLength(limit > 0 ? limit : 32767);
}

bool DbPickEdit::event(QEvent* event) {
    if (handleRevertKey(event))
        return true;
    return QComboBox::event(event);
}

void DbPickEdit::keyPressEvent(QKeyEvent* event) {
    // A read-only pick edit must not step through its items either.
    if (m_readOnly) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_F4:
        case Qt::Key_Space:
            event->ignore();
            return;
        default:
            break;
        }
    }
    QComboBox::keyPressEvent(event);
}

void DbPickEdit::wheelEvent(QWheelEvent* event) {
    if (m_readOnly) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

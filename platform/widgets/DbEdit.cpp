#include "DbEdit.h"

DbEdit::DbEdit(QWidget* parent) : QLineEdit(parent), DbFieldBinding(this) {
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!isShowing())
            storeText(text);
    });
    connect(this, &QLineEdit::editingFinished, this, [this] { finishEditing(text()); });
}

void DbEdit::setReadOnly(bool readOnly) {
    QLineEdit::setReadOnly(readOnly);
    updateLook();
}

void DbEdit::showValue() {
    const QString value = fieldText();
    if (text() != value) {
        setText(value);
        setCursorPosition(0);
    }
}

void DbEdit::columnChanged() {
    const int limit = textLimit();
    setMaxLength(limit > 0 ? limit : 32767);
}

bool DbEdit::event(QEvent* event) {
    if (handleRevertKey(event))
        return true;
    return QLineEdit::event(event);
}

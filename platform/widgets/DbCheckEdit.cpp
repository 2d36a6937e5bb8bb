#include "DbCheckEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>

DbCheckEdit::DbCheckEdit(const QString& text, QWidget* parent)
    : QCheckBox(text, parent), DbFieldBinding(this) {
    connect(this, &QCheckBox::toggled, this, [this](bool checked) {
        if (isShowing())
            return;
        // A refused tick goes back to what the column holds.
        if (!storeValue(checked))
            refresh();
    });
}

void DbCheckEdit::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    updateLook();
}

void DbCheckEdit::showValue() {
    const QVariant value = fieldValue();
    setChecked(!value.isNull() && value.toBool());
}

void DbCheckEdit::mousePressEvent(QMouseEvent* event) {
    if (m_readOnly) {
        event->accept();
        return;
    }
    QCheckBox::mousePressEvent(event);
}

void DbCheckEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (m_readOnly) {
        event->accept();
        return;
    }
    QCheckBox::mouseReleaseEvent(event);
}

void DbCheckEdit::keyPressEvent(QKeyEvent* event) {
    if (m_readOnly && event->key() == Qt::Key_Space) {
        event->accept();
        return;
    }
    QCheckBox::keyPressEvent(event);
}

void DbCheckEdit::keyReleaseEvent(QKeyEvent* event) {
    if (m_readOnly && event->key() == Qt::Key_Space) {
        event->accept();
        return;
    }
    QCheckBox::keyReleaseEvent(event);
}

#include "DbPopupEdit.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

DbPopupEdit::DbPopupEdit(const QIcon& icon, const QString& toolTip, QWidget* parent)
    : QLineEdit(parent), DbFieldBinding(this) {
    m_popupAction = addAction(icon, QLineEdit::TrailingPosition);
    m_popupAction->setToolTip(toolTip);
    connect(m_popupAction, &QAction::triggered, this, [this] { openPopup(); });

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameShape(QFrame::StyledPanel);

    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!isShowing())
            storeText(text);
    });
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (!m_popup->isVisible())
            finishEditing(text());
    });
}

void DbPopupEdit::showPopupFrame(QWidget* focus) {
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = QGuiApplication::screenAt(at)) {
        const QRect area = screen->availableGeometry();
        if (at.y() + m_popup->height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
        at.setX(qBound(area.left(), at.x(), area.right() - m_popup->width()));
    }
    m_popup->move(at);
    m_popup->show();
    focus->setFocus();
}

void DbPopupEdit::showValue() {
    const QString value = fieldText();
    if (text() != value) {
        setText(value);
        setCursorPosition(0);
    }
}

bool DbPopupEdit::event(QEvent* event) {
    if (handleRevertKey(event))
        return true;
    return QLineEdit::event(event);
}

void DbPopupEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        openPopup();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

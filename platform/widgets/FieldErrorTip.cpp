#include "FieldErrorTip.h"

#include <QGuiApplication>
#include <QScreen>

FieldErrorTip::FieldErrorTip(QWidget* editor) : QLabel(editor->window()), m_editor(editor) {
    setObjectName(QStringLiteral("fieldErrorTip"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(true);
    setMargin(4);
    setStyleSheet(QStringLiteral("QLabel#fieldErrorTip { background: #fff4f0; color: #b00000;"
                                 " border: 1px solid #d04040; }"));
    hide();
}

void FieldErrorTip::showMessage(const QString& text) {
    if (!m_editor)
        return;
    // The editor may have been put into its window after the tip was made.
    QWidget* window = m_editor->window();
    if (window == m_editor) {
        if (parentWidget() != nullptr || !(windowFlags() & Qt::ToolTip))
            setParent(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    } else if (parentWidget() != window) {
        setParent(window);
    }
    setText(text);
    place();
    show();
    raise();
}

void FieldErrorTip::place() {
    // As wide as the message needs (up to a limit), so it hides little of what lies below.
    const int textWidth = fontMetrics().horizontalAdvance(text()) + 2 * margin() + 4;
    const int width = qBound(80, textWidth, 360);
    setFixedWidth(width);
    const int height = heightForWidth(width) > 0 ? heightForWidth(width) : sizeHint().height();
    setFixedHeight(height);
    if (isWindow()) {
        QPoint at = m_editor->mapToGlobal(QPoint(0, m_editor->height() + 1));
        if (const QScreen* screen = QGuiApplication::screenAt(at))
            if (at.y() + height > screen->availableGeometry().bottom())
                at = m_editor->mapToGlobal(QPoint(0, -height - 1));
        move(at);
        return;
    }
    QWidget* window = parentWidget();
    QPoint at = m_editor->mapTo(window, QPoint(0, m_editor->height() + 1));
    if (at.y() + height > window->height())
        at = m_editor->mapTo(window, QPoint(0, -height - 1));
    at.setX(qBound(0, at.x(), qMax(0, window->width() - width)));
    move(at);
}

#include "ControlEvents.h"

#include "ErrorGuard.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QWidget>

ControlEvents::ControlEvents(QWidget* control) : QObject(control), m_control(control) {
    control->installEventFilter(this);
}

ControlEvents* ControlEvents::of(QWidget* control) {
    if (auto* existing = control->findChild<ControlEvents*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new ControlEvents(control);
}

void ControlEvents::onClick(QWidget* control, Handler handler) {
    of(control)->m_click = std::move(handler);
}

void ControlEvents::onMouseMove(QWidget* control, Handler handler) {
    control->setMouseTracking(true);
    of(control)->m_move = std::move(handler);
}

bool ControlEvents::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_control)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (!m_move)
            return false;
        ErrorGuard::run(m_control->window(), m_move);
        // A button keeps its own hover and press tracking; a label would pass the move on.
        return !qobject_cast<QAbstractButton*>(m_control);
    case QEvent::MouseButtonPress:
        if (!m_click || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        m_pressed = true;
        return true;
    case QEvent::MouseButtonRelease: {
        if (!m_click || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        const bool inside =
            m_control->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint());
        const bool wasPressed = m_pressed;
        m_pressed = false;
        if (wasPressed && inside)
            ErrorGuard::run(m_control->window(), m_click);
        return true;
    }
    default:
        return false;
    }
}

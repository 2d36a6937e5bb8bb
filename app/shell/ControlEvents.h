#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Click and mouse-move handlers for plain controls (pictures, labels) that have no signals of
// their own. The handlers run through the error guard; a handled mouse move goes no further,
// so the panel beneath does not also see it.
class ControlEvents : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;

    static void onClick(QWidget* control, Handler handler);
    static void onMouseMove(QWidget* control, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ControlEvents(QWidget* control);
    static ControlEvents* of(QWidget* control);

    QWidget* m_control;
    Handler m_click;
    Handler m_move;
    bool m_pressed = false;
};

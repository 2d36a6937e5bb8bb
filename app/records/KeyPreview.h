#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

// Key preview of a business window: every key pressed in the window, whichever of its controls
// has the focus, goes to the window's handler first; keys it takes go no further. Keys typed into
// another top-level window (a message box, a calendar or check-list pop-up) are not previewed.
class KeyPreview : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(QKeyEvent*)>;

    KeyPreview(QWidget* window, Handler handler);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    Handler m_handler;
};

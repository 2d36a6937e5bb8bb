#include "ModalSeam.h"

#include "ProgramEnd.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QList>
#include <QPointer>
#include <QQueue>
#include <QWidget>

namespace {
struct State {
    QQueue<ModalSeam::Driver> drivers;
    QList<QPointer<QWidget>> stack;
    bool testMode = false;
    int unattended = 0;
};
State& state() {
    static State s;
    return s;
}

// Ends the local loop when its window is hidden, closed or destroyed.
class LoopEnder : public QObject {
public:
    LoopEnder(QWidget* w, QEventLoop* loop) : m_loop(loop) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide || e->type() == QEvent::Close || e->type() == QEvent::Destroy)
            QMetaObject::invokeMethod(m_loop, &QEventLoop::quit, Qt::QueuedConnection);
        return false;
    }

private:
    QEventLoop* m_loop;
};

int resultOf(QWidget* w) {
    if (auto* d = qobject_cast<QDialog*>(w))
        return d->result();
    return 0;
}

void closeWindow(QWidget* w) {
    if (auto* d = qobject_cast<QDialog*>(w))
        d->reject();
    else
        w->close();
    if (w->isVisible())
        w->hide();
}
} // namespace

int ModalSeam::exec(QWidget* window) {
    State& s = state();
    QPointer<QWidget> w(window);
    if (auto* d = qobject_cast<QDialog*>(window))
        d->setResult(0);
    window->setWindowModality(Qt::ApplicationModal);
    s.stack.append(w);
    if (window->windowState() & Qt::WindowMaximized)
        window->showMaximized();
    else
        window->show();

    if (!s.drivers.isEmpty()) {
        Driver driver = s.drivers.dequeue();
        try {
            driver(window);
        } catch (...) {
            s.stack.removeAll(w);
            if (w && w->isVisible())
                closeWindow(w);
            throw;
        }
    } else if (s.testMode) {
        ++s.unattended;
    } else if (!ProgramEnd::requested()) {
        QEventLoop loop;
        LoopEnder ender(window, &loop);
        if (window->isVisible())
            loop.exec(QEventLoop::DialogExec);
    }
    s.stack.removeAll(w);
    if (!w)
        return 0;
    if (w->isVisible())
        closeWindow(w);
    w->setWindowModality(Qt::NonModal);
    return resultOf(w);
}

void ModalSeam::drive(Driver driver) {
    state().drivers.enqueue(std::move(driver));
}

int ModalSeam::pendingDrivers() {
    return int(state().drivers.size());
}

void ModalSeam::clearDrivers() {
    state().drivers.clear();
}

void ModalSeam::setTestMode(bool on) {
    state().testMode = on;
    state().unattended = 0;
}

int ModalSeam::unattended() {
    return state().unattended;
}

QWidget* ModalSeam::current() {
    const auto& st = state().stack;
    for (auto it = st.rbegin(); it != st.rend(); ++it)
        if (*it)
            return *it;
    return nullptr;
}

void ModalSeam::closeAll() {
    const auto st = state().stack;
    for (auto it = st.rbegin(); it != st.rend(); ++it)
        if (*it && (*it)->isVisible())
            closeWindow(*it);
}

#include "ProgramEnd.h"

#include "ModalSeam.h"

#include <QCoreApplication>
#include <QTimer>

namespace {
bool g_requested = false;
std::function<void()>& quitHandler() {
    static std::function<void()> h;
    return h;
}

// Posted, so it runs when the loop next turns, after the requesting handler returns.
void postEnd() {
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        if (!g_requested)
            return;
        ModalSeam::closeAll();
        if (quitHandler())
            quitHandler()();
        else
            QCoreApplication::quit(); // ignored by Qt unless the program's loop runs: see exec()
    });
}
} // namespace

void ProgramEnd::request() {
    if (g_requested)
        return;
    g_requested = true;
    postEnd();
}

bool ProgramEnd::requested() {
    return g_requested;
}

int ProgramEnd::exec() {
    // The posted end may already have run in a local loop before this one started; post it again
    // so that it runs inside this loop and stops it.
    if (g_requested)
        postEnd();
    return QCoreApplication::exec();
}

void ProgramEnd::reset() {
    g_requested = false;
}

void ProgramEnd::setQuitHandler(std::function<void()> handler) {
    quitHandler() = std::move(handler);
}

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
} // namespace

void ProgramEnd::request() {
    if (g_requested)
        return;
    g_requested = true;
    // Posted, so it runs when the loop next turns, after the requesting handler returns.
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        if (!g_requested)
            return;
        ModalSeam::closeAll();
        if (quitHandler())
            quitHandler()();
        else
            QCoreApplication::quit();
    });
}

bool ProgramEnd::requested() { return g_requested; }

void ProgramEnd::reset() { g_requested = false; }

void ProgramEnd::setQuitHandler(std::function<void()> handler) { quitHandler() = std::move(handler); }

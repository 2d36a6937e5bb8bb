#include "GuardedApplication.h"

#include "ErrorGuard.h"

#include <QWidget>

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    ErrorGuard::run(activeWindow(), [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

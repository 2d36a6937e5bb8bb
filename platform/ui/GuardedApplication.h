#pragma once

#include <QApplication>

// The application object of both programs: an exception that escapes an event handler is
// shown by the error guard instead of ending the program.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

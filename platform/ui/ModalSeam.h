#pragma once

#include <functional>

class QWidget;

// Every modal window of the programs is shown through exec(). In the program it blocks in a
// local event loop until the window is closed, or until the end of the program is requested.
// A test queues a driver instead: the next modal window is shown, handed to the driver, and
// closed when the driver returns if it is still open, with no event loop left running.
class ModalSeam {
public:
    using Driver = std::function<void(QWidget* window)>;

    // Shows the window modally (keeping the window state it was given, e.g. maximised) and
    // returns the dialog's result code, or 0 for a window that is not a QDialog.
    static int exec(QWidget* window);

    static void drive(Driver driver);
    static int pendingDrivers();
    static void clearDrivers();
    // In test mode a modal window with no driver queued is closed at once instead of blocking;
    // unattended() counts those.
    static void setTestMode(bool on);
    static int unattended();

    // The innermost modal window now being shown, or null.
    static QWidget* current();
    // Closes every open modal window, innermost first (used by the end request).
    static void closeAll();
};

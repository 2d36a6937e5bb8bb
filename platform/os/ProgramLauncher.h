#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The shell's "open": start a program without waiting for it, or hand a mailto:/web link to
// the desktop. Tests replace the starter to see what would have been started.
class ProgramLauncher {
public:
    using Starter = std::function<bool(const QString& program, const QStringList& args)>;

    // Starts the program detached; false when it could not be started (nothing is reported).
    static bool open(const QString& program, const QStringList& args = {});
    static bool openUrl(const QString& url);

    static void setStarter(Starter starter);
    static void resetStarter();
};

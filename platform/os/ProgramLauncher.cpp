#include "ProgramLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {
ProgramLauncher::Starter& starter() {
    static ProgramLauncher::Starter s;
    return s;
}
} // namespace

bool ProgramLauncher::open(const QString& program, const QStringList& args) {
    if (starter())
        return starter()(program, args);
    if (!QFileInfo(program).isFile())
        return false;
    return QProcess::startDetached(program, args);
}

bool ProgramLauncher::openUrl(const QString& url) {
    if (starter())
        return starter()(url, {});
    return QDesktopServices::openUrl(QUrl(url));
}

void ProgramLauncher::setStarter(Starter s) {
    starter() = std::move(s);
}

void ProgramLauncher::resetStarter() {
    starter() = {};
}

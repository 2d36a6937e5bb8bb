// Pictures of the shell's windows, to look at them as a clerk would: shell_grabs <folder>.
#include "ShellTestDb.h"
#include "TLoginWin.h"
#include "TSetConfigFrm.h"
#include "TSetValue.h"
#include "TsyssdForm.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);
    QTemporaryDir program;
    AppGlobals.AppPath = program.path();
    const QString banner = qEnvironmentVariable("LINTARA_BANNER");
    if (!banner.isEmpty()) {
        QDir(program.path()).mkpath(QStringLiteral("image"));
        QFile::copy(banner, program.filePath(QStringLiteral("image/star.bmp")));
    } else {
        ShellTestDb::writeBanner(program.path());
    }

    TLoginWin login;
    login.show();
    login.LoginName_Edit->setText(QStringLiteral("admin"));
    login.Password_Edit->setText(QStringLiteral("口令123"));
    app.processEvents();
    login.grab().save(out + QStringLiteral("/login.png"));

    TsyssdForm lock;
    lock.show();
    lock.Username_Edit->setText(QStringLiteral("admin"));
    lock.Password_Edit->setText(QStringLiteral("secret"));
    app.processEvents();
    lock.grab().save(out + QStringLiteral("/lock.png"));

    for (bool server : {false, true}) {
        TSetConfigFrm form;
        form.setServerMode(server);
        form.EdtPath->setText(QStringLiteral("/opt/lintara/Data/House.HDB"));
        form.EdtServerName->setText(QStringLiteral("db.agency.lan"));
        form.EdtDataBaseName->setText(QStringLiteral("house"));
        form.EdtUserName->setText(QStringLiteral("sa"));
        form.EdtPassword->setText(QStringLiteral("secret"));
        form.show();
        app.processEvents();
        form.grab().save(
            out + (server ? QStringLiteral("/setconfig-server.png") : QStringLiteral("/setconfig-file.png")));
    }
    return 0;
}

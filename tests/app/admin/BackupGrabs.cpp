// Pictures of the backup window, to look at it as a clerk would: backup_grabs <folder>.
// Each page on its own, and the progress dialog over the window halfway through a backup.
#include "DatabaseMaintenance.h"
#include "MaintenanceProgressDialog.h"
#include "ShellTestDb.h"
#include "Tbr_Form.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));

    Tbr_Form form;
    form.show();
    app.processEvents();
    form.Edit2->setText(home.path() + QStringLiteral("/data/backup2611.bak"));
    const QStringList names{"backup-page", "restore-page", "tidy-page"};
    for (int i = 0; i < names.size(); ++i) {
        form.PageControl1->setCurrentIndex(i);
        app.processEvents();
        form.grab().save(out + u'/' + names.at(i) + QStringLiteral(".png"));
    }

    // The progress dialog over the window, as the clerk sees them together.
    form.PageControl1->setCurrentIndex(0);
    MaintenanceProgressDialog progress(&form, QStringLiteral("正在备份数据库，请稍候..."),
                                       DatabaseMaintenance::Unit::Bytes);
    progress.show();
    progress.report(23 * 1024 * 1024, 55 * 1024 * 1024);
    app.processEvents();
    QImage screen(form.size() + QSize(40, 40), QImage::Format_RGB32);
    screen.fill(QColor(0x3a, 0x6e, 0xa5));
    QPainter painter(&screen);
    painter.drawPixmap(20, 20, form.grab());
    const QPixmap dialog = progress.grab();
    painter.drawPixmap((screen.width() - dialog.width()) / 2, (screen.height() - dialog.height()) / 2,
                       dialog);
    painter.end();
    screen.save(out + QStringLiteral("/backup-progress.png"));
    return 0;
}

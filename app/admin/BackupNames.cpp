#include "BackupNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString BackupNames::defaultFolder() {
    return QDir::homePath() + QStringLiteral("/data");
}

QString BackupNames::defaultName(const QDate& today) {
    // Characters 3-4 and 6-7 of the "yyyy-MM-dd" date text: year and month.
    const QString text = today.toString(QStringLiteral("yyyy-MM-dd"));
    return defaultFolder() + QStringLiteral("/backup") + text.mid(2, 2) + text.mid(5, 2);
}

QString BackupNames::backupFileName(const QString& typed) {
    QString name = typed.trimmed();
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name + QStringLiteral(".bak");
}

bool BackupNames::isNetworkPath(const QString& path) {
    return path.startsWith(QStringLiteral("//")) || path.contains(QStringLiteral("\\\\"));
}

QString BackupNames::scratchFile(const QString& dbPath) {
    return QFileInfo(dbPath).absolutePath() + QStringLiteral("/New.HDB");
}

QString BackupNames::datedCopy(const QString& dbPath, const QDateTime& when) {
    const QFileInfo info(dbPath);
    QString name = info.absolutePath() + u'/' + info.completeBaseName() + u'-' +
                   when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!info.suffix().isEmpty())
        name += u'.' + info.suffix();
    return name;
}

QString BackupNames::besideTemp(const QString& target) {
    const QFileInfo info(target);
    return info.absolutePath() +
           QStringLiteral("/.%1.%2.tmp").arg(info.fileName()).arg(QCoreApplication::applicationPid());
}

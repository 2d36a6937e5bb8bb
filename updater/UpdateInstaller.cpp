#include "UpdateInstaller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool UpdateInstaller::GetFileDateTime(const QString& fileName, QDateTime& dateTime) {
    const QFileInfo info(fileName);
    if (!info.isFile())
        return false;
    dateTime = info.lastModified();
    return true;
}

bool UpdateInstaller::copyReplacing(const QString& from, const QString& to) {
    QFile source(from);
    if (!QFileInfo(from).isFile() || !source.open(QIODevice::ReadOnly))
        return false;
    if (!QDir().mkpath(QFileInfo(to).absolutePath()))
        return false;
    const bool existed = QFileInfo::exists(to);
    const QFileDevice::Permissions perms = existed ? QFile::permissions(to) : source.permissions();
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    while (!(block = source.read(1 << 16)).isEmpty())
        if (target.write(block) != block.size()) {
            target.cancelWriting();
            return false;
        }
    if (source.error() != QFileDevice::NoError) {
        target.cancelWriting();
        return false;
    }
    target.setPermissions(perms);
    return target.commit();
}

bool UpdateInstaller::backup(const QString& installed, const QString& backupFile) {
    return copyReplacing(installed, backupFile);
}

bool UpdateInstaller::install(const QString& downloaded, const QString& target) {
    if (!copyReplacing(downloaded, target))
        return false;
    QFile::remove(downloaded);
    return true;
}

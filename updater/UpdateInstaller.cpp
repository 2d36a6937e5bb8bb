#include "UpdateInstaller.h"

#include "ResumeRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
bool looksExecutable(const QByteArray& start) {
    return start.startsWith("\x7f"
                            "ELF") ||
           start.startsWith("#!");
}
} // namespace

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
    QFileDevice::Permissions perms = existed ? QFile::permissions(to) : source.permissions();
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    bool first = true;
    while (!(block = source.read(1 << 16)).isEmpty()) {
        if (first && !existed && looksExecutable(block)) {
            // A new program must run; execute rights follow the read rights it already has.
            if (perms & QFileDevice::ReadOwner)
                perms |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
            if (perms & QFileDevice::ReadGroup)
                perms |= QFileDevice::ExeGroup;
            if (perms & QFileDevice::ReadOther)
                perms |= QFileDevice::ExeOther;
        }
        first = false;
        if (target.write(block) != block.size()) {
            target.cancelWriting();
            return false;
        }
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
    ResumeRecord::remove(downloaded);
    return true;
}

bool UpdateInstaller::installAll(const QList<Item>& items, const std::function<void(const QString&)>& log) {
    // Without a backup a replaced file could not be put back: then nothing is replaced.
    QList<bool> existed;
    for (const Item& item : items) {
        existed << QFileInfo(item.target).isFile();
        if (existed.last() && !backup(item.target, item.backup)) {
            log(QStringLiteral("无法备份文件：") + item.target);
            return false;
        }
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (copyReplacing(items[i].downloaded, items[i].target))
            continue;
        log(QStringLiteral("无法安装文件：") + items[i].target);
        for (qsizetype j = i - 1; j >= 0; --j) {
            const bool back =
                existed[j] ? copyReplacing(items[j].backup, items[j].target) : QFile::remove(items[j].target);
            if (!back)
                log(QStringLiteral("无法恢复文件：") + items[j].target);
        }
        return false;
    }
    for (const Item& item : items) {
        QFile::remove(item.downloaded);
        ResumeRecord::remove(item.downloaded);
    }
    return true;
}

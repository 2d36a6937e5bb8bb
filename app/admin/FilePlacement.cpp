#include "FilePlacement.h"

#include "DbError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The rename only survives a power cut once the folder itself is on disk.
void syncFolder(const QString& file) {
    const int fd = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void FilePlacement::moveIntoPlace(const QString& from, const QString& to) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw DbError(QStringLiteral("无法把 %1 放到 %2: %3").arg(from, to, systemReason()));
    syncFolder(to);
}

void FilePlacement::keepCopy(const QString& path, const QString& copy) {
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(copy).constData()) == 0) {
        syncFolder(copy);
        return;
    }
    if (!QFile::copy(path, copy)) {
        QFile::remove(copy);
        throw DbError(QStringLiteral("无法保留 %1 的副本 %2").arg(path, copy));
    }
}

void FilePlacement::removeWithJournal(const QString& path) {
    QFile::remove(path);
    QFile::remove(journalOf(path));
}

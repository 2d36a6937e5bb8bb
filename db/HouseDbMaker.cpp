#include "HouseDbMaker.h"

#include "DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Moves from to to unless to exists, in one step where the file system allows it.
bool moveWithoutReplacing(const QByteArray& from, const QByteArray& to, QString* error) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#endif
    // Without that call: a hard link fails when the name is taken.
    if (::link(from.constData(), to.constData()) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    ::unlink(from.constData());
    return true;
}

} // namespace

QString HouseDbMaker::schemaScript() {
    QFile file(QStringLiteral(":/lintara/db/sqlite.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("数据库脚本缺失"));
    return QString::fromUtf8(file.readAll());
}

void HouseDbMaker::make(const QString& path, const QString& key, const QString& script) {
    const QFileInfo target(path);
    if (path.isEmpty())
        throw DbError(QStringLiteral("没有给出数据库文件名"));
    if (target.exists() || target.isSymLink())
        throw DbError(QStringLiteral("%1 已经存在，不会覆盖").arg(path));
    if (!target.dir().exists())
        throw DbError(QStringLiteral("文件夹 %1 不存在").arg(target.absolutePath()));

    const QString temp =
        target.absolutePath() +
        QStringLiteral("/.%1.%2.tmp").arg(target.fileName()).arg(QCoreApplication::applicationPid());
    const QByteArray tempName = QFile::encodeName(temp);
    QFile::remove(temp);
    QFile::remove(temp + QStringLiteral("-journal"));

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(tempName.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString failure;
    if (rc == SQLITE_OK && !key.isEmpty()) {
        const QByteArray keyBytes = key.toUtf8();
        rc = sqlite3_key(db, keyBytes.constData(), int(keyBytes.size()));
    }
    char* message = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK)
        failure = message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_free(message);
    if (sqlite3_close(db) != SQLITE_OK && failure.isEmpty())
        failure = QStringLiteral("无法关闭数据库");

    if (failure.isEmpty() &&
        !moveWithoutReplacing(tempName, QFile::encodeName(target.absoluteFilePath()), &failure))
        failure = QStringLiteral("%1 无法放到位: %2").arg(path, failure);
    if (!failure.isEmpty()) {
        QFile::remove(temp);
        QFile::remove(temp + QStringLiteral("-journal"));
        throw DbError(QStringLiteral("无法建立数据库 %1: %2").arg(path, failure));
    }
}

#include "SqlCipherFile.h"

#include "DbError.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

#include <memory>
#include <unistd.h>

namespace {

constexpr int kCopyBlock = 1 << 20;
constexpr qint64 kProgressEveryMs = 50;

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

void bindValue(sqlite3_stmt* stmt, int index, const QVariant& value) {
    if (value.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(stmt, index, value.toDouble());
        break;
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

// Reports progress no more often than every kProgressEveryMs, so a slow receiver (a window
// repainting) never slows the work down.
class ProgressThrottle {
public:
    explicit ProgressThrottle(const SqlCipherFile::Progress& progress) : m_progress(progress) {
        m_clock.start();
    }
    void report(qint64 done, qint64 total, bool force = false) {
        if (!m_progress || (!force && m_clock.elapsed() < kProgressEveryMs))
            return;
        m_clock.restart();
        m_progress(done, total);
    }

private:
    const SqlCipherFile::Progress& m_progress;
    QElapsedTimer m_clock;
};

struct ExportState {
    ProgressThrottle* throttle;
    QString target;
    qint64 total;
};

int exportProgress(void* data) {
    auto* state = static_cast<ExportState*>(data);
    state->throttle->report(qMin(QFileInfo(state->target).size(), state->total), state->total);
    return 0;
}

} // namespace

SqlCipherFile::SqlCipherFile(const QString& path, const QString& key, Mode mode, int busyTimeoutMs)
    : m_path(path), m_key(key), m_busyTimeout(busyTimeoutMs) {
    const QFileInfo info(path);
    if (mode == Mode::Create) {
        if (path.isEmpty() || info.exists() || info.isSymLink())
            throw DbError(QStringLiteral("%1 已经存在").arg(path));
    } else if (path.isEmpty() || !info.exists()) {
        throw DbError(QStringLiteral("数据库文件不存在: %1").arg(path));
    } else if (!info.isFile() || info.size() == 0) {
        // SQLite would take an empty file for an empty database.
        throw DbError(QStringLiteral("不是数据库文件: %1").arg(path));
    }
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case Mode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    int rc = sqlite3_open_v2(QFile::encodeName(info.absoluteFilePath()).constData(), &m_db, flags, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_busy_timeout(m_db, m_busyTimeout);
    if (rc == SQLITE_OK && !key.isEmpty()) {
        const QByteArray k = key.toUtf8();
        rc = sqlite3_key(m_db, k.constData(), int(k.size()));
    }
    // The key is only tried on the first read: a wrong key or a foreign file fails here.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK && mode == Mode::Create)
        rc = sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        QString text = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        if (rc == SQLITE_NOTADB)
            text = QStringLiteral("不是数据库文件或密码不对 (%1)").arg(text);
        sqlite3_close(m_db);
        m_db = nullptr;
        if (mode == Mode::Create)
            QFile::remove(path);
        throw DbError(QStringLiteral("无法打开 %1: %2").arg(path, text));
    }
}

SqlCipherFile::~SqlCipherFile() {
    if (m_db)
        sqlite3_close_v2(m_db);
}

void SqlCipherFile::close() {
    if (!m_db)
        return;
    const int rc = sqlite3_close(m_db);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw DbError(QStringLiteral("无法关闭 %1: %2").arg(m_path, QString::fromUtf8(sqlite3_errstr(rc))));
    }
    m_db = nullptr;
}

void SqlCipherFile::fail(const QString& what, int rc) const {
    const QString text =
        m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    throw DbError(QStringLiteral("%1 (%2): %3").arg(what, m_path, text));
}

void SqlCipherFile::exec(const QString& sql) {
    if (!m_db)
        throw DbError(QStringLiteral("数据库文件已关闭"));
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(sql, rc);
}

QVariant SqlCipherFile::value(const QString& sql, const QVariantList& params) {
    if (!m_db)
        throw DbError(QStringLiteral("数据库文件已关闭"));
    sqlite3_stmt* raw = nullptr;
    const QByteArray text = sql.toUtf8();
    int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &raw, nullptr);
    Statement stmt(raw);
    if (rc != SQLITE_OK)
        fail(sql, rc);
    for (int i = 0; i < params.size(); ++i)
        bindValue(raw, i + 1, params.at(i));
    rc = sqlite3_step(raw);
    if (rc == SQLITE_DONE)
        return {};
    if (rc != SQLITE_ROW)
        fail(sql, rc);
    switch (sqlite3_column_type(raw, 0)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(raw, 0)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(raw, 0));
    case SQLITE_NULL:
        return {};
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)),
                                          sqlite3_column_bytes(raw, 0)));
    }
}

int SqlCipherFile::readTexts(const char* sql, QStringList& rows) {
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql, -1, &raw, nullptr);
    Statement stmt(raw);
    if (rc != SQLITE_OK)
        return rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
    return rc;
}

QStringList SqlCipherFile::tableNames() {
    QStringList names;
    const int rc = readTexts("SELECT name FROM sqlite_master WHERE type='table'", names);
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("读取表名"), rc);
    return names;
}

QStringList SqlCipherFile::integrityProblems() {
    QStringList problems;
    // A file damaged beyond reading fails the check itself.
    if (readTexts("PRAGMA integrity_check(10)", problems) != SQLITE_DONE)
        return {QString::fromUtf8(sqlite3_errmsg(m_db))};
    if (problems == QStringList{QStringLiteral("ok")})
        return {};
    return problems;
}

qint64 SqlCipherFile::usedBytes() {
    const qint64 pages = value(QStringLiteral("PRAGMA page_count")).toLongLong();
    const qint64 free = value(QStringLiteral("PRAGMA freelist_count")).toLongLong();
    return (pages - free) * value(QStringLiteral("PRAGMA page_size")).toLongLong();
}

void SqlCipherFile::backupTo(const QString& target, const Progress& progress) {
    // A read transaction held for the whole copy: no other workstation can commit meanwhile, so
    // the bytes read are one consistent snapshot. They are read through SQLite's own handle of the
    // file (never a second descriptor, whose closing would drop SQLite's locks) and copied as they
    // are: still encrypted, so the copy is keyed like the database without a page decrypted.
    exec(QStringLiteral("BEGIN"));
    struct EndRead {
        sqlite3* db;
        ~EndRead() { sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr); }
    } endRead{m_db};
    value(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(m_db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods)
        fail(QStringLiteral("备份"), SQLITE_ERROR);
    sqlite3_int64 size = 0;
    int rc = file->pMethods->xFileSize(file, &size);
    if (rc != SQLITE_OK)
        fail(QStringLiteral("备份"), rc);

    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw DbError(QStringLiteral("无法写入 %1: %2").arg(target, out.errorString()));
    ProgressThrottle throttle(progress);
    QByteArray buffer(kCopyBlock, Qt::Uninitialized);
    for (sqlite3_int64 offset = 0; offset < size;) {
        const int n = int(qMin<sqlite3_int64>(kCopyBlock, size - offset));
        rc = file->pMethods->xRead(file, buffer.data(), n, offset);
        if (rc != SQLITE_OK)
            fail(QStringLiteral("备份"), rc);
        if (out.write(buffer.constData(), n) != n)
            throw DbError(QStringLiteral("无法写入 %1: %2").arg(target, out.errorString()));
        offset += n;
        throttle.report(offset, size);
    }
    // On disk before the caller renames it into place.
    if (!out.flush() || ::fsync(out.handle()) != 0)
        throw DbError(QStringLiteral("无法写入 %1: %2").arg(target, out.errorString()));
    out.close();
    throttle.report(size, size, true);
}

void SqlCipherFile::exportTo(const QString& target, const Progress& progress) {
    {
        // Made first and closed again so that the name is known to be free and the file keyed.
        SqlCipherFile made(target, m_key, Mode::Create, m_busyTimeout);
        made.close();
    }
    const QVariant version = value(QStringLiteral("PRAGMA user_version"));
    value(QStringLiteral("ATTACH DATABASE ? AS lintara_export KEY ?"), {target, m_key});
    ProgressThrottle throttle(progress);
    ExportState state{&throttle, target, usedBytes()};
    sqlite3_progress_handler(m_db, 20000, &exportProgress, &state);
    struct Detach {
        sqlite3* db;
        ~Detach() {
            sqlite3_progress_handler(db, 0, nullptr, nullptr);
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_exec(db, "DETACH DATABASE lintara_export", nullptr, nullptr, nullptr);
        }
    } detach{m_db};
    exec(QStringLiteral("BEGIN IMMEDIATE"));
    value(QStringLiteral("SELECT sqlcipher_export('lintara_export')"));
    exec(QStringLiteral("PRAGMA lintara_export.user_version = %1").arg(version.toLongLong()));
    exec(QStringLiteral("COMMIT"));
    throttle.report(state.total, state.total, true);
}

#include "SqlCipherDriver.h"

#include "SqlCipherResult.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlDriverCreator>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>

#include <sqlcipher/sqlite3.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace {

QString sqliteMessage(sqlite3* db, int code) {
    if (db)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(code));
}

int busyTimeoutFrom(const QString& options) {
    int timeout = 5000;
    const QStringList parts = options.split(u';', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString name = part.left(eq).trimmed();
        if (name.compare(QStringLiteral("LINTARA_BUSY_TIMEOUT"), Qt::CaseInsensitive) == 0 ||
            name.compare(QStringLiteral("QSQLITE_BUSY_TIMEOUT"), Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const int value = part.mid(eq + 1).trimmed().toInt(&ok);
            if (ok && value >= 0)
                timeout = value;
        }
    }
    return timeout;
}

} // namespace

SqlCipherDriver::SqlCipherDriver(QObject* parent) : QSqlDriver(parent) {}

SqlCipherDriver::~SqlCipherDriver() {
    close();
}

void SqlCipherDriver::registerDriver() {
    static std::once_flag once;
    std::call_once(once, [] {
        QSqlDatabase::registerSqlDriver(driverName(), new QSqlDriverCreator<SqlCipherDriver>());
    });
}

bool SqlCipherDriver::hasFeature(DriverFeature feature) const {
    switch (feature) {
    case Transactions:
    case BLOB:
    case Unicode:
    case PreparedQueries:
    case PositionalPlaceholders:
    case LastInsertId:
    case FinishQuery:
        return true;
    default:
        return false;
    }
}

bool SqlCipherDriver::fail(const QString& text, int code, QSqlError::ErrorType type) {
    setLastError(QSqlError(QStringLiteral("无法打开数据库文件"), text, type, QString::number(code)));
    return false;
}

bool SqlCipherDriver::open(const QString& db, const QString&, const QString& password, const QString&, int,
                           const QString& connOpts) {
    if (isOpen())
        close();
    setOpenError(false);

    // Checked here, because SQLite would make a temporary or in-memory database of an empty or special
    // name and would take an empty file for an empty database.
    const QFileInfo info(db);
    if (db.isEmpty() || !info.exists()) {
        setOpenError(true);
        return fail(QStringLiteral("数据库文件不存在: %1").arg(db), SQLITE_CANTOPEN,
                    QSqlError::ConnectionError);
    }
    if (!info.isFile() || info.size() == 0) {
        setOpenError(true);
        return fail(QStringLiteral("不是数据库文件: %1").arg(db), SQLITE_NOTADB, QSqlError::ConnectionError);
    }

    // Marked as in use before opening, so a restore or compaction never replaces the file under us;
    // one that is replacing it now holds it exclusively for a moment: wait for it.
    m_busyTimeout = busyTimeoutFrom(connOpts);
    if (!m_inUse.acquire(info.absoluteFilePath(), DatabaseFileLock::Kind::Shared, m_busyTimeout)) {
        setOpenError(true);
        return fail(QStringLiteral("数据库正在恢复或整理，请稍后再试: %1").arg(db), SQLITE_BUSY,
                    QSqlError::ConnectionError);
    }
    sqlite3* handle = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(info.absoluteFilePath()).constData(), &handle,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    // Waiting applies from the first read on: another workstation may be writing while we open.
    if (rc == SQLITE_OK)
        sqlite3_busy_handler(handle, &SqlCipherDriver::busyWait, this);
    if (rc == SQLITE_OK && !password.isEmpty()) {
        const QByteArray key = password.toUtf8();
        rc = sqlite3_key(handle, key.constData(), int(key.size()));
    }
    if (rc == SQLITE_OK) {
        // The key is only tried on the first read: a wrong key or a foreign file fails here.
        rc = sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        QString text = sqliteMessage(handle, rc);
        if (rc == SQLITE_NOTADB)
            text = QStringLiteral("不是数据库文件或密码不对: %1 (%2)").arg(db, text);
        sqlite3_close(handle);
        m_inUse.release();
        setOpenError(true);
        return fail(text, rc, QSqlError::ConnectionError);
    }
    sqlite3_extended_result_codes(handle, 0);
    // The file may sit in a shared folder: no write-ahead log, whose shared memory needs one machine.
    rc = sqlite3_exec(handle, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = sqliteMessage(handle, rc);
        sqlite3_close(handle);
        m_inUse.release();
        setOpenError(true);
        return fail(text, rc, QSqlError::ConnectionError);
    }
    m_db = handle;
    setOpen(true);
    return true;
}

void SqlCipherDriver::close() {
    if (!m_db)
        return;
    const QList<SqlCipherResult*> results = m_results;
    for (SqlCipherResult* result : results)
        result->finalize();
    m_results.clear();
    sqlite3_close(m_db);
    m_db = nullptr;
    m_inUse.release();
    setOpen(false);
    setOpenError(false);
}

QSqlResult* SqlCipherDriver::createResult() const {
    return new SqlCipherResult(this);
}

bool SqlCipherDriver::runStatement(const char* sql, QSqlError::ErrorType type, const QString& what) {
    if (!m_db)
        return false;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        setLastError(QSqlError(what, sqliteMessage(m_db, rc), type, QString::number(rc)));
        return false;
    }
    return true;
}

// Waiting for another workstation's lock: SQLite's own time-out sleeps longer and longer between
// tries (up to 100 ms), so under steady writing from several workstations one of them can miss
// every short gap for the whole time-out and fail. Trying again every few milliseconds, with a
// little jitter so waiters do not move in step, gives every workstation its turn.
int SqlCipherDriver::busyWait(void* driver, int attempts) {
    auto* self = static_cast<SqlCipherDriver*>(driver);
    if (attempts == 0)
        self->m_busySince.start();
    if (self->m_busySince.elapsed() >= self->m_busyTimeout)
        return 0;
    std::this_thread::sleep_for(std::chrono::microseconds(500 + QRandomGenerator::global()->bounded(2000)));
    return 1;
}

bool SqlCipherDriver::beginTransaction() {
    // IMMEDIATE takes the write lock at once (waiting the busy time-out), so two writers never meet
    // halfway in a transaction where one of them must fail without waiting.
    return runStatement("BEGIN IMMEDIATE", QSqlError::TransactionError, QStringLiteral("开始事务失败"));
}

bool SqlCipherDriver::commitTransaction() {
    return runStatement("COMMIT", QSqlError::TransactionError, QStringLiteral("提交事务失败"));
}

bool SqlCipherDriver::rollbackTransaction() {
    return runStatement("ROLLBACK", QSqlError::TransactionError, QStringLiteral("回滚事务失败"));
}

QStringList SqlCipherDriver::tables(QSql::TableType type) const {
    QStringList result;
    if (!m_db)
        return result;
    QString sql;
    if (type & QSql::Tables)
        sql =
            QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'");
    if (type & QSql::Views)
        sql += (sql.isEmpty() ? QString() : QStringLiteral(" UNION ALL ")) +
               QStringLiteral("SELECT name FROM sqlite_master WHERE type='view'");
    if (type & QSql::SystemTables)
        sql += (sql.isEmpty() ? QString() : QStringLiteral(" UNION ALL ")) +
               QStringLiteral("SELECT 'sqlite_master'");
    if (sql.isEmpty())
        return result;
    QSqlQuery query(createResult());
    query.setForwardOnly(true);
    if (query.exec(sql))
        while (query.next())
            result.append(query.value(0).toString());
    return result;
}

QSqlRecord SqlCipherDriver::record(const QString& tableName) const {
    QSqlRecord result;
    if (!m_db)
        return result;
    QSqlQuery query(createResult());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(escapeIdentifier(tableName, TableName))))
        return result;
    while (query.next()) {
        const QString name = query.value(1).toString();
        const QByteArray declared = query.value(2).toString().toUtf8();
        int length = -1;
        int precision = -1;
        const SqlCipherResult::Kind kind = SqlCipherResult::kindOf(declared, &length, &precision);
        QMetaType type;
        switch (kind) {
        case SqlCipherResult::Kind::Integer:
            type = QMetaType(QMetaType::Int);
            break;
        case SqlCipherResult::Kind::Real:
            type = QMetaType(QMetaType::Double);
            break;
        case SqlCipherResult::Kind::Date:
            type = QMetaType(QMetaType::QDate);
            break;
        case SqlCipherResult::Kind::Boolean:
            type = QMetaType(QMetaType::Bool);
            break;
        case SqlCipherResult::Kind::Blob:
            type = QMetaType(QMetaType::QByteArray);
            break;
        default:
            type = QMetaType(QMetaType::QString);
            break;
        }
        QSqlField field(name, type, tableName);
        field.setLength(length);
        field.setPrecision(precision);
        field.setRequired(query.value(3).toInt() != 0);
        const bool key = query.value(5).toInt() != 0;
        field.setAutoValue(key && kind == SqlCipherResult::Kind::Integer);
        field.setSqlType(int(kind));
        result.append(field);
    }
    return result;
}

QSqlIndex SqlCipherDriver::primaryIndex(const QString& tableName) const {
    QSqlIndex index(tableName);
    if (!m_db)
        return index;
    QSqlQuery query(createResult());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(escapeIdentifier(tableName, TableName))))
        return index;
    const QSqlRecord fields = record(tableName);
    while (query.next())
        if (query.value(5).toInt() != 0)
            index.append(fields.field(query.value(1).toString()));
    return index;
}

QString SqlCipherDriver::escapeIdentifier(const QString& identifier, IdentifierType) const {
    if (identifier.startsWith(u'"') && identifier.endsWith(u'"') && identifier.size() > 1)
        return identifier;
    return u'"' + QString(identifier).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QVariant SqlCipherDriver::handle() const {
    return QVariant::fromValue(static_cast<void*>(m_db));
}

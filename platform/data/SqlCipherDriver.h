#pragma once

#include "DatabaseFileLock.h"
#include <QElapsedTimer>

#include <QList>
#include <QSqlDriver>
#include <QSqlError>

struct sqlite3;
class SqlCipherResult;

// Qt SQL driver for the SQLCipher database file. The file is opened read-write and never created; the
// key is applied before anything is read and checked at once, so a wrong key or a file that is no
// database fails the opening without touching the file.
// Connect options: "LINTARA_BUSY_TIMEOUT=<ms>" (default 5000).
class SqlCipherDriver : public QSqlDriver {
public:
    explicit SqlCipherDriver(QObject* parent = nullptr);
    ~SqlCipherDriver() override;

    static QString driverName() { return QStringLiteral("LINTARA_SQLCIPHER"); }
    // Makes the driver known to QSqlDatabase under driverName(); safe to call repeatedly.
    static void registerDriver();

    bool hasFeature(DriverFeature feature) const override;
    bool open(const QString& db, const QString& user, const QString& password, const QString& host, int port,
              const QString& connOpts) override;
    void close() override;
    QSqlResult* createResult() const override;

    bool beginTransaction() override;
    bool commitTransaction() override;
    bool rollbackTransaction() override;

    QStringList tables(QSql::TableType type) const override;
    QSqlRecord record(const QString& tableName) const override;
    QSqlIndex primaryIndex(const QString& tableName) const override;
    QString escapeIdentifier(const QString& identifier, IdentifierType type) const override;
    QVariant handle() const override;

    sqlite3* connectionHandle() const { return m_db; }
    int busyTimeout() const { return m_busyTimeout; }

private:
    friend class SqlCipherResult;
    bool runStatement(const char* sql, QSqlError::ErrorType type, const QString& what);
    bool fail(const QString& text, int code, QSqlError::ErrorType type);
    static int busyWait(void* driver, int attempts);

    sqlite3* m_db = nullptr;
    int m_busyTimeout = 5000;
    QElapsedTimer m_busySince;
    // Held while open: tells restore and compaction elsewhere that the file is in use.
    DatabaseFileLock m_inUse;
    mutable QList<SqlCipherResult*> m_results;
};

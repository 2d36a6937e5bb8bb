#pragma once

#include "ConnectionSettings.h"
#include "SqlEngine.h"

#include <QSqlDatabase>
#include <QString>

class SqlDialect;

// The program's one database connection (a named Qt SQL connection) on any of the three engines.
class DatabaseConnection {
public:
    explicit DatabaseConnection(const QString& connectionName = QStringLiteral("ADOConnection1"));
    ~DatabaseConnection();
    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;

    // Closes any open connection first; throws DbError when the database cannot be opened.
    void open(const ConnectionSettings& settings);
    void close();
    bool isOpen() const;

    const QString& connectionName() const { return m_name; }
    QSqlDatabase database() const;
    SqlEngine engine() const { return m_settings.engine; }
    const SqlDialect& dialect() const;
    const ConnectionSettings& settings() const { return m_settings; }

    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

    // The ODBC connection string for a server (driver from settings.odbcDriver, "FreeTDS" when empty).
    static QString odbcConnectionString(const ConnectionSettings& settings);

private:
    QString m_name;
    ConnectionSettings m_settings;
    bool m_inTransaction = false;
};

#pragma once

#include "ConnectionSettings.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

class DatabaseConnection;

// A fresh database with the schema and seed rows, for a test. Engines: "sqlcipher" (a House.HDB in a
// temporary folder), "postgresql" (a new database on the test server) and "odbc" (such a database
// reached through PostgreSQL's ODBC driver, the code path of SQL Server).
class ScratchDatabase {
public:
    explicit ScratchDatabase(const QString& engine);

    const ConnectionSettings& settings() const { return m_settings; }
    // The engines a test can use here (the servers only when the test server runs).
    static QStringList engines();
    // Runs an SQL script of ";"-terminated statements; throws DbError.
    static void runScript(DatabaseConnection& connection, const QString& path);
    // Inserts one row (column name -> value); dates and yes/no values go in the engine's own form.
    static void insertRow(DatabaseConnection& connection, const QString& table, const QVariantMap& values);

    // A database as the arguments of a helper process that works on it ("sqlcipher <file>" or
    // "postgresql <host> <port> <user> <database>"), and read back there; false: not such arguments.
    QStringList processArguments() const;
    static bool fromArguments(const QStringList& args, ConnectionSettings& settings);

private:
    QTemporaryDir m_dir;
    ConnectionSettings m_settings;
};

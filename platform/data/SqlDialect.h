#pragma once

#include "SqlEngine.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// The one place where the engines differ in the SQL the program writes and the values it binds.
class SqlDialect {
public:
    static const SqlDialect& forEngine(SqlEngine engine);

    SqlEngine engine() const { return m_engine; }

    // Literals of a yes/no column in SQL text ("1"/"0" where the engine has no boolean keyword).
    QString trueLiteral() const;
    QString falseLiteral() const;
    // The SQL text with the words true and false (any case, outside quotes) written as this
    // engine's yes/no literals, so a condition such as "标志=true" runs everywhere.
    QString withBooleanLiterals(const QString& sql) const;
    // A yes/no value as it is bound to a parameter.
    QVariant boolValue(bool value) const;

    // A date parameter given as a "yyyy-MM-dd" text (the date editors' text). The file engine compares
    // date texts; the servers get a real date so no server date setting can misread it. A text that is
    // no date is passed on unchanged, so the engine reports it.
    QVariant dateParam(const QString& text) const;
    // A date value as it is written into a date column (null date -> null).
    QVariant dateValue(const QDate& date) const;

    // The statement that returns the key the last insert into table (on this connection) received.
    QString lastInsertIdSql(const QString& table, const QString& keyColumn = QStringLiteral("ID")) const;

    // Inside a transaction: holds the table against every other writer until the transaction ends
    // (empty where the transaction itself already holds the whole database, as on the file).
    QString exclusiveLockSql(const QString& table) const;

    // An identifier quoted for this engine (table and column names are used verbatim otherwise).
    QString quoteIdentifier(const QString& name) const;

    // Key counters of tables with an automatic key. The statement returning the last key handed out
    // for table (null or 0 when none), and the statements making the next key last + 1.
    QString lastKeySql(const QString& table, const QString& keyColumn) const;
    QStringList setLastKeySql(const QString& table, const QString& keyColumn, qint64 last) const;
    // Around inserts that give the automatic key themselves (empty where the engine needs nothing).
    QString explicitKeysSql(const QString& table, bool on) const;
    // The first statement of a transaction that reads one consistent snapshot of several tables
    // (empty where the engine has no such statement that ends with the transaction).
    QString snapshotReadSql() const;
    // The engine's own upkeep of the whole database (statistics, reclaimed space).
    QString maintenanceSql() const;

private:
    explicit SqlDialect(SqlEngine engine) : m_engine(engine) {}
    SqlEngine m_engine;
};

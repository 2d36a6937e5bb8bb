#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class DatabaseConnection;

// What the backup tests put into databases and read back out of them.
namespace AdminTestData {

// Inserts count lease listings (one transaction) with varied values in every kind of column.
void insertLeases(DatabaseConnection& connection, int count, int seed = 0);
// Every row of the nine tables as text, sorted per table, the same on every engine.
QStringList dump(DatabaseConnection& connection);
// The first value a query returns, as a number.
qint64 number(DatabaseConnection& connection, const QString& sql);
qint64 count(DatabaseConnection& connection, const QString& table);
void exec(DatabaseConnection& connection, const QString& sql);
QByteArray fileBytes(const QString& path);
// The names in a folder (hidden ones included), sorted.
QStringList folderEntries(const QString& folder);

} // namespace AdminTestData

#pragma once

#include "SqlEngine.h"

#include <QString>
#include <QStringList>

#include <vector>

class DatabaseConnection;

// One numbered change of the schema, written for each engine. A database that has taken the step
// carries its number as its schema version.
struct SchemaStep {
    int version = 0;
    QStringList sqlCipher;
    QStringList postgreSql;
    QStringList sqlServer;

    const QStringList& statements(SqlEngine engine) const;
};

// Brings an older database up to the program's schema when it is opened: every step above the
// database's version runs, in order, in one transaction together with the new version number, so an
// upgrade runs once and one that fails halfway leaves the old schema whole. The version is the
// parameter row "SchemaVersion" of S_参数表 (no row: version 0), so it travels with the data.
class SchemaUpgrade {
public:
    static QString versionKey();
    // The database's schema version; 0 for a database made before versions were kept.
    static int version(DatabaseConnection& connection);
    // Returns the number of steps applied (0 when the database is up to date). Throws DbError; the
    // database is then unchanged. Steps must be in increasing order of their numbers.
    static int run(DatabaseConnection& connection, const std::vector<SchemaStep>& steps);
};

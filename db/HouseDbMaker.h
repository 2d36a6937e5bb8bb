#pragma once

#include <QString>

// Makes a fresh local database file ("House.HDB"): keyed, with the tables and seed rows of the SQLite
// script. Never overwrites: the file is written under a temporary name and moved into place only if
// nothing has appeared there meanwhile.
class HouseDbMaker {
public:
    // The SQLite script built into the program.
    static QString schemaScript();

    // Throws DbError when path exists or the file cannot be made; leaves nothing behind on failure.
    static void make(const QString& path, const QString& key, const QString& script = schemaScript());
};

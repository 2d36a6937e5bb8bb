#pragma once

#include "DatabaseMaintenance.h"

class DatabaseConnection;

// Backup, restore and upkeep of a server database (PostgreSQL, SQL Server). A backup is the nine
// tables written into a keyed SQLCipher file, the same format as a backup of the local file; a
// restore loads such a file into the server in one transaction (all rows or none), keys and key
// counters included; compaction is the engine's own maintenance.
class ServerMaintenance : public DatabaseMaintenance {
public:
    explicit ServerMaintenance(DatabaseConnection& connection);

    Unit progressUnit() const override { return Unit::Rows; }
    void backup(const QString& target, const Progress& progress) override;
    void restore(const QString& source, const Progress& progress) override;
    void compact(const Progress& progress) override;

private:
    // Copies the nine tables and their key counters from one connection to the other, inside
    // transactions the caller opened.
    static void copyAll(DatabaseConnection& from, DatabaseConnection& to, const Progress& progress);

    DatabaseConnection& m_connection;
};

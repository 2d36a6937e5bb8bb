#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class DatabaseConnection;

// Backup, restore and upkeep of the program's database, whatever engine it lives on. A backup is
// always a keyed SQLCipher file holding the nine tables, so a file backup can be restored into a
// server and the other way round. Every failure is an exception (DbError; DatabaseInUseError when
// another workstation has the file open); the database connection is open again afterwards.
class DatabaseMaintenance {
public:
    // Work done of work in all, in bytes (file) or rows (server), called often during the work.
    using Progress = std::function<void(qint64 done, qint64 total)>;
    enum class Unit { Bytes, Rows };

    virtual ~DatabaseMaintenance() = default;

    virtual Unit progressUnit() const = 0;
    // Writes a backup file at target (replacing one there), beside it first and renamed into place.
    virtual void backup(const QString& target, const Progress& progress) = 0;
    // Replaces the database's contents with those of the backup file source, after checking it.
    virtual void restore(const QString& source, const Progress& progress) = 0;
    // Checks and compacts the database (the engine's own upkeep on a server).
    virtual void compact(const Progress& progress) = 0;

    // The right kind for the connection's engine; connection must outlive the object.
    static std::unique_ptr<DatabaseMaintenance> forConnection(DatabaseConnection& connection);

    // The nine tables of the database, and the automatic key column of a table (empty when none).
    static const QStringList& tables();
    static QString keyColumn(const QString& table);
    // The key of every backup file.
    static QString backupKey();
    // Throws DbError unless path is a backup file: opens under the key, passes the integrity check
    // and holds the nine tables.
    static void checkBackupFile(const QString& path);
};

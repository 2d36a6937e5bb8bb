#pragma once

#include "ConnectionSettings.h"
#include "DatabaseMaintenance.h"

class DatabaseConnection;

// Backup, restore and compaction of the local database file. The backup is a page copy taken
// with SQLite's online backup (consistent while other workstations write); restore and
// compaction refuse while another workstation has the file open, prepare the new file beside the
// database, check it and only then rename it over the database. The connection is open again after
// every operation, on the restored file or, after a failure, on the database as it was.
class FileMaintenance : public DatabaseMaintenance {
public:
    explicit FileMaintenance(DatabaseConnection& connection);

    Unit progressUnit() const override { return Unit::Bytes; }
    void backup(const QString& target, const Progress& progress) override;
    void restore(const QString& source, const Progress& progress) override;
    void compact(const Progress& progress) override;

    // The copy of the database the last successful restore kept beside it.
    const QString& keptCopy() const { return m_keptCopy; }

private:
    // Runs work with the connection closed and the file held exclusively; opens the connection
    // again in every case.
    template <class Work> void withFileAlone(Work work);
    void reopen();
    void restoreAlone(const QString& source, const QString& temp, const Progress& progress, QString& kept);

    DatabaseConnection& m_connection;
    ConnectionSettings m_settings;
    QString m_keptCopy;
};

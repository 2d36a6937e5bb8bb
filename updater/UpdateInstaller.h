#pragma once

#include <QDateTime>
#include <QString>

// The file work of the last wizard step: dates of installed files, backups and installing.
class UpdateInstaller {
public:
    // False when there is no such file; else true with its last-modified time.
    static bool GetFileDateTime(const QString& fileName, QDateTime& dateTime);

    // Copies the current file to its backup, replacing an earlier backup; false when there is
    // nothing to back up or the copy failed. The backup's folder is made when missing.
    static bool backup(const QString& installed, const QString& backupFile);

    // Puts the downloaded copy in place: written beside the target and renamed over it, so a
    // running program's file is replaced whole and a failed copy leaves the old file as it was.
    // The target keeps its permissions (an executable stays executable); the downloaded copy is
    // deleted only once the new file is in place.
    static bool install(const QString& downloaded, const QString& target);

private:
    static bool copyReplacing(const QString& from, const QString& to);
};

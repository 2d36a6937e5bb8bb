#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// The file work of the last wizard step: dates of installed files, backups and installing.
class UpdateInstaller {
public:
    struct Item {
        QString downloaded; // the verified copy in "update/"
        QString target;     // where it goes
        QString backup;     // where the file it replaces is kept
    };

    // False when there is no such file; else true with its last-modified time.
    static bool GetFileDateTime(const QString& fileName, QDateTime& dateTime);

    // Copies the current file to its backup, replacing an earlier backup; false when there is
    // nothing to back up or the copy failed. The backup's folder is made when missing.
    static bool backup(const QString& installed, const QString& backupFile);

    // Puts one downloaded copy in place: written beside the target and renamed over it, so a
    // running program's file is replaced whole and a failed copy leaves the old file as it was.
    // The target keeps its permissions; a new program (ELF or "#!") is made executable. The
    // downloaded copy and its resume record are deleted once the new file is in place.
    static bool install(const QString& downloaded, const QString& target);

    // All or nothing: every file that will be replaced is backed up first, then the copies go in
    // one by one; when one fails, those already in place are put back from their backups (new
    // ones removed) and false is returned. Each failure is told to log. On success the downloaded
    // copies are deleted.
    static bool installAll(const QList<Item>& items, const std::function<void(const QString&)>& log);

private:
    static bool copyReplacing(const QString& from, const QString& to);
};

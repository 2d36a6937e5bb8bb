#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// The file names of backup, restore and compaction.
class BackupNames {
public:
    // "data" in the user's home folder: the default backup folder.
    static QString defaultFolder();
    // The default backup file: the default folder + "/backup" + two-digit year + month, so one
    // default backup per month.
    static QString defaultName(const QDate& today);
    // The name a typed backup name stands for: trimmed, cut at its first ".", ".bak" appended.
    static QString backupFileName(const QString& typed);
    // A database on another machine's share ("//server/..." or a Windows "\\" path).
    static bool isNetworkPath(const QString& path);
    // The compaction's scratch file: "New.HDB" beside the database, so the replace is a rename.
    static QString scratchFile(const QString& dbPath);
    // The copy of the database a restore keeps beside it: name-yyyyMMdd-HHmmss.suffix.
    static QString datedCopy(const QString& dbPath, const QDateTime& when);
    // A temporary name beside target (hidden, unique to this process), for writing it before the
    // rename into place.
    static QString besideTemp(const QString& target);
};

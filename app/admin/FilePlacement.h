#pragma once

#include <QString>

// The file steps of backup, restore and compaction, each safe on its own: a file is written under a
// temporary name beside its target and renamed into place, so the name always stands for a whole
// file. Failures are DbErrors naming the file and the system's reason.
class FilePlacement {
public:
    // Renames from over to (replacing it in one step) and makes the rename durable.
    static void moveIntoPlace(const QString& from, const QString& to);
    // Makes copy a second name of path (a hard link), or a full copy where links are not possible.
    static void keepCopy(const QString& path, const QString& copy);
    // Removes a database file and the rollback journal SQLite may have left beside it.
    static void removeWithJournal(const QString& path);
    static QString journalOf(const QString& path) { return path + QStringLiteral("-journal"); }
};

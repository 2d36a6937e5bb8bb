#include "FileMaintenance.h"

#include "BackupNames.h"
#include "DatabaseConnection.h"
#include "DatabaseFileLock.h"
#include "DatabaseInUseError.h"
#include "DbError.h"
#include "FilePlacement.h"
#include "SqlCipherFile.h"

#include <QDateTime>
#include <QFileInfo>

#include <map>

namespace {

std::map<QString, qint64> rowCounts(SqlCipherFile& file) {
    std::map<QString, qint64> counts;
    for (const QString& table : DatabaseMaintenance::tables())
        counts[table] = file.value(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)).toLongLong();
    return counts;
}

void checkSound(SqlCipherFile& file) {
    const QStringList problems = file.integrityProblems();
    if (!problems.isEmpty())
        throw DbError(QStringLiteral("%1 已损坏: %2").arg(file.path(), problems.join(QStringLiteral("; "))));
}

} // namespace

FileMaintenance::FileMaintenance(DatabaseConnection& connection)
    : m_connection(connection), m_settings(connection.settings()) {}

void FileMaintenance::reopen() {
    if (!m_connection.isOpen())
        m_connection.open(m_settings);
}

template <class Work> void FileMaintenance::withFileAlone(Work work) {
    m_connection.close();
    try {
        DatabaseFileLock alone;
        if (!alone.acquire(m_settings.filePath, DatabaseFileLock::Kind::Exclusive))
            throw DatabaseInUseError(m_settings.filePath);
        work();
    } catch (...) {
        reopen();
        throw;
    }
    reopen();
}

void FileMaintenance::backup(const QString& target, const Progress& progress) {
    const QString temp = BackupNames::besideTemp(target);
    FilePlacement::removeWithJournal(temp);
    try {
        SqlCipherFile source(m_settings.filePath, m_settings.key, SqlCipherFile::Mode::ReadOnly,
                             m_settings.timeoutSeconds * 1000);
        source.backupTo(temp, progress);
        source.close();
        FilePlacement::moveIntoPlace(temp, target);
    } catch (...) {
        FilePlacement::removeWithJournal(temp);
        throw;
    }
}

void FileMaintenance::restore(const QString& source, const Progress& progress) {
    checkBackupFile(source);
    const QString db = m_settings.filePath;
    const QString temp = BackupNames::besideTemp(db);
    m_keptCopy.clear();
    QString kept;
    try {
        restoreAlone(source, temp, progress, kept);
    } catch (...) {
        // The restored file would not open again: the database as it was goes back under its name.
        if (!kept.isEmpty() && !m_connection.isOpen()) {
            FilePlacement::moveIntoPlace(kept, db);
            reopen();
        }
        throw;
    }
    m_keptCopy = kept;
}

void FileMaintenance::restoreAlone(const QString& source, const QString& temp, const Progress& progress,
                                   QString& kept) {
    const QString db = m_settings.filePath;
    withFileAlone([&] {
        FilePlacement::removeWithJournal(temp);
        try {
            {
                SqlCipherFile from(source, backupKey(), SqlCipherFile::Mode::ReadOnly);
                from.backupTo(temp, progress);
            }
            {
                // Opening rolls back what a crashed writer left in a journal, which must not
                // outlive the file it belongs to. A database too damaged to open keeps its journal
                // with the copy below.
                try {
                    SqlCipherFile current(db, m_settings.key, SqlCipherFile::Mode::ReadWrite);
                    current.close();
                } catch (const DbError&) {
                }
            }
            const QString copy = BackupNames::datedCopy(db, QDateTime::currentDateTime());
            FilePlacement::keepCopy(db, copy);
            if (QFileInfo::exists(FilePlacement::journalOf(db)))
                FilePlacement::moveIntoPlace(FilePlacement::journalOf(db), FilePlacement::journalOf(copy));
            FilePlacement::moveIntoPlace(temp, db);
            kept = copy;
        } catch (...) {
            FilePlacement::removeWithJournal(temp);
            throw;
        }
    });
}

void FileMaintenance::compact(const Progress& progress) {
    const QString db = m_settings.filePath;
    const QString scratch = BackupNames::scratchFile(db);
    withFileAlone([&] {
        // A scratch file left by an interrupted run is nothing but in the way.
        FilePlacement::removeWithJournal(scratch);
        try {
            std::map<QString, qint64> before;
            {
                SqlCipherFile current(db, m_settings.key, SqlCipherFile::Mode::ReadWrite);
                checkSound(current);
                before = rowCounts(current);
                current.exportTo(scratch, progress);
                current.close();
            }
            {
                SqlCipherFile copy(scratch, m_settings.key, SqlCipherFile::Mode::ReadOnly);
                checkSound(copy);
                if (rowCounts(copy) != before)
                    throw DbError(QStringLiteral("整理后的数据库 %1 与原数据库的记录数不一致").arg(scratch));
                copy.close();
            }
            FilePlacement::moveIntoPlace(scratch, db);
        } catch (...) {
            FilePlacement::removeWithJournal(scratch);
            throw;
        }
    });
}

#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

struct sqlite3;

// One keyed SQLCipher database file, reached directly rather than through the program's connection:
// what backup, restore and compaction need (a consistent page copy, an export into a fresh file,
// the integrity check). Every failure is a DbError; the handle is closed by the destructor.
class SqlCipherFile {
public:
    enum class Mode { ReadOnly, ReadWrite, Create };
    // Bytes done of bytes in all; called often during long operations.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    // ReadOnly/ReadWrite: the file must exist, be a database and open under key. Create: a new file
    // (the name must be free), keyed with key.
    SqlCipherFile(const QString& path, const QString& key, Mode mode, int busyTimeoutMs = 5000);
    ~SqlCipherFile();
    SqlCipherFile(const SqlCipherFile&) = delete;
    SqlCipherFile& operator=(const SqlCipherFile&) = delete;

    const QString& path() const { return m_path; }
    sqlite3* handle() const { return m_db; }
    // Closes the file now, so that a failing close is reported.
    void close();

    void exec(const QString& sql);
    // The first column of the first row of a query (null when there is no row).
    QVariant value(const QString& sql, const QVariantList& params = {});
    QStringList tableNames();
    // Empty when the file is sound, else the problems the check found (at most a few).
    QStringList integrityProblems();
    // The bytes the pages in use take (free pages left out).
    qint64 usedBytes();

    // Copies this database into a new file at target (keyed like it), as one consistent snapshot:
    // writers elsewhere wait until the copy is taken. The copy is on disk when this returns.
    void backupTo(const QString& target, const Progress& progress);
    // Writes a fresh, compacted copy (schema, rows, counters, version) into a new file at target
    // under the same key.
    void exportTo(const QString& target, const Progress& progress);

private:
    // Appends the first column of every row of sql; returns the SQLite code the reading ended with.
    int readTexts(const char* sql, QStringList& rows);
    [[noreturn]] void fail(const QString& what, int rc) const;

    QString m_path;
    QString m_key;
    int m_busyTimeout = 5000;
    sqlite3* m_db = nullptr;
};

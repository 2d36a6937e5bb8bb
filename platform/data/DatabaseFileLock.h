#pragma once

#include <QString>

// Tells whether the database file is in use by another workstation. Every open connection holds a
// shared lock on one byte of the file that SQLite never uses; replacing the file (restore,
// compaction) needs the exclusive lock, which only succeeds when nobody else has it open.
// Open-file-description locks: they belong to this object alone, so closing another descriptor of the
// same file (SQLite does that) never drops them, and they work across machines on shared folders
// whose file system supports locks.
class DatabaseFileLock {
public:
    enum class Kind { Shared, Exclusive };

    DatabaseFileLock() = default;
    ~DatabaseFileLock();
    DatabaseFileLock(const DatabaseFileLock&) = delete;
    DatabaseFileLock& operator=(const DatabaseFileLock&) = delete;

    // Takes the lock, waiting up to waitMs while another holder prevents it. False when it is still
    // held elsewhere after that. A file that cannot be opened or a file system without locks counts
    // as success: there is nothing to learn, and using the file reports the real problem.
    bool acquire(const QString& path, Kind kind, int waitMs = 0);
    void release();
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

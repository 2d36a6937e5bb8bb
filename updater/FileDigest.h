#pragma once

#include <QByteArray>
#include <QString>

// SHA-256 of a file as lowercase hex, the form the update list carries. Uses the CPU's hash
// instructions where there are any, so checking a large download costs little next to receiving it.
class FileDigest {
public:
    FileDigest();
    ~FileDigest();
    FileDigest(const FileDigest&) = delete;
    FileDigest& operator=(const FileDigest&) = delete;

    // Feeds bytes as they arrive, so a download is hashed while it is received.
    void add(const char* data, qint64 size);
    // Feeds the file's first size bytes (all of it when size < 0); false when they cannot be read.
    bool addFile(const QString& path, qint64 size);
    // The hash of everything fed so far (lowercase hex); the object is spent afterwards.
    QByteArray hex();

    // Empty when the file cannot be read.
    static QByteArray sha256Hex(const QString& path);

private:
    struct Context;
    Context* m_ctx;
};

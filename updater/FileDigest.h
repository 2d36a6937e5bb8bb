#pragma once

#include <QByteArray>
#include <QString>

// SHA-256 of a file as lowercase hex, the form the update list carries. Uses the CPU's hash
// instructions where there are any, so checking a large download costs little next to receiving it.
class FileDigest {
public:
    // Empty when the file cannot be read.
    static QByteArray sha256Hex(const QString& path);
};

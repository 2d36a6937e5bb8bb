#pragma once

#include <QByteArray>
#include <QString>

// Files of the updater tests: program and server folders written and read back.
namespace UpdaterTestFiles {

// Writes data to path, making its folders; a failed write fails the running test.
void writeFile(const QString& path, const QByteArray& data);
// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString& path);
// Bytes that do not compress and are the same for the same seed.
QByteArray randomBytes(int size, quint32 seed);

} // namespace UpdaterTestFiles

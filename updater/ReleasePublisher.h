#pragma once

#include <QString>
#include <QStringList>

// Makes a release the way Corvane takes it: from a folder laid out like the program folder, the
// files are copied flat into the server folder beside the update list "<SubSys>.htm" (one section
// per file in a stable order, with datetime, Paths, size and sha256), and the list is signed into
// "<SubSys>.htm.sig" when a secret key is given.
class ReleasePublisher {
public:
    // Throws std::runtime_error with a message for the publisher on any problem; nothing is
    // published then except files already copied.
    static QStringList publish(const QString& releaseDir, const QString& serverDir, const QString& subSys,
                               const QString& secretKey);
    // The list text for the release folder, without writing anything.
    static QByteArray updateList(const QString& releaseDir);

private:
    struct Entry {
        QString relative;
        QString name;
        QString folder;
    };
    static QList<Entry> entries(const QString& releaseDir);
};

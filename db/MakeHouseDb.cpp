// mkhousedb <file>: makes a fresh, keyed local database file; refuses to overwrite one.
#include "ConnectionSettings.h"
#include "DbError.h"
#include "HouseDbMaker.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: mkhousedb <database file>\n");
        return 2;
    }
    const QString path = args.at(1);
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) {
        std::fprintf(stderr, "mkhousedb: %s already exists; it is left as it is\n", qPrintable(path));
        return 3;
    }
    try {
        HouseDbMaker::make(path, ConnectionSettings::localFilePassword());
    } catch (const DbError& e) {
        std::fprintf(stderr, "mkhousedb: %s\n", e.what());
        return 1;
    }
    return 0;
}

// Test helper: writes into a database file from another process.
//   lintara_lockholder hold <file> <key> <ms>   takes the write lock, writes a row, says "locked",
//                                               keeps the lock <ms> milliseconds, commits
//   lintara_lockholder insert <file> <key> <n>  writes n rows one statement at a time
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    ConnectionSettings settings;
    settings.filePath = args.at(2);
    settings.key = args.at(3);
    const int n = args.at(4).toInt();
    try {
        DatabaseConnection connection(QStringLiteral("holder"));
        connection.open(settings);
        FreeQuery query(connection);
        query.setSql(QStringLiteral("Insert into S_字典 (TypeName, Value) values ('进程', :v)"));
        if (args.at(1) == QLatin1String("hold")) {
            connection.begin();
            query.setParam(QStringLiteral("v"), QStringLiteral("hold"));
            query.execute();
            std::printf("locked\n");
            std::fflush(stdout);
            QThread::msleep(n);
            connection.commit();
        } else {
            for (int i = 0; i < n; ++i) {
                query.setParam(QStringLiteral("v"), QStringLiteral("p%1").arg(i));
                query.execute();
            }
        }
    } catch (const DbError& e) {
        std::fprintf(stderr, "lockholder: %s\n", e.what());
        return 1;
    }
    return 0;
}

// Another workstation on a House.HDB, in a process of its own:
//   house_holder <file> <hold|write> <stop-file>
// Opens the database, prints "ready" and then keeps it open ("hold") or keeps saving one new lease
// listing after another, a few milliseconds apart ("write") until the stop file appears (at most 60 s).
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "FreeQuery.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 4)
        return 2;
    try {
        ConnectionSettings s;
        s.engine = SqlEngine::SqlCipher;
        s.filePath = a[1];
        s.key = ConnectionSettings::localFilePassword();
        DatabaseConnection connection(QStringLiteral("holder"));
        connection.open(s);
        const bool write = a[2] == QLatin1String("write");
        FreeQuery q(connection);
        QElapsedTimer clock;
        clock.start();
        int written = 0;
        bool announced = false;
        while (!QFileInfo::exists(a[3]) && clock.elapsed() < 60000) {
            if (write) {
                connection.begin();
                q.setSql(QStringLiteral("insert into H_出租表 (房屋地址, 状态位) values (:a, '未出租')"));
                q.setParam(QStringLiteral("a"), QStringLiteral("新增房源%1").arg(written));
                q.execute();
                connection.commit();
                ++written;
                // A moment between saves, as between a clerk's saves: back-to-back commits of a
                // rollback journal would starve every reader.
                QThread::msleep(3);
            } else {
                QThread::msleep(10);
            }
            if (!announced && (!write || written == 5)) {
                announced = true;
                std::printf("ready\n");
                std::fflush(stdout);
            }
        }
        std::printf("written %d\n", written);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

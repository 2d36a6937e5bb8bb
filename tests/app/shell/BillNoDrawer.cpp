// Draws bill numbers in a process of its own and prints one per line:
//   billno_drawer <count> <billtype> sqlcipher <file>
//   billno_drawer <count> <billtype> postgresql <host> <port> <user> <database>
#include "BillNumbers.h"
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "FreeQuery.h"
#include "ScratchDatabase.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 5)
        return 2;
    ConnectionSettings s;
    if (!ScratchDatabase::fromArguments(a.mid(3), s))
        return 2;
    try {
        DatabaseConnection connection(QStringLiteral("drawer"));
        connection.open(s);
        FreeQuery q(connection);
        const int count = a[1].toInt();
        for (int i = 0; i < count; ++i)
            std::printf("%s\n", NextBillNo(connection, q, a[2]).toUtf8().constData());
        std::fflush(stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

// bench_data_read <file> [rounds]: how fast our driver reads every row of "Select * from H_出租表",
// against the sqlcipher command line reading the same rows, in time and memory.
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "FreeQuery.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

const QString readSql = QStringLiteral("Select * from H_出租表");

long residentKb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.value(1).toLong() * 4;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

ConnectionSettings settingsFor(const QString& path) {
    ConnectionSettings s;
    s.filePath = path;
    s.key = ConnectionSettings::localFilePassword();
    return s;
}

// Reads every value of every row; returns the number of rows.
long readAll(DatabaseConnection& connection, bool forwardOnly) {
    QSqlQuery query(connection.database());
    query.setForwardOnly(forwardOnly);
    query.exec(readSql);
    const int columns = query.record().count();
    long rows = 0;
    qsizetype chars = 0;
    while (query.next()) {
        for (int c = 0; c < columns; ++c) {
            const QVariant v = query.value(c);
            chars += v.typeId() == QMetaType::QString ? v.toString().size() : 1;
        }
        ++rows;
    }
    return chars > 0 ? rows : 0;
}

double cliSeconds(const QString& path, const QString& sql) {
    QProcess cli;
    QElapsedTimer timer;
    timer.start();
    cli.start(QStringLiteral("sqlcipher"), {path});
    cli.waitForStarted();
    const QString script =
        QStringLiteral("PRAGMA key='%1';\n.mode list\n.output /dev/null\n%2;\n.quit\n")
            .arg(ConnectionSettings::localFilePassword().replace(u'\'', QStringLiteral("''")), sql);
    cli.write(script.toUtf8());
    cli.closeWriteChannel();
    cli.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_data_read <House.HDB> [rounds]\n");
        return 2;
    }
    const QString path = args.at(1);
    const int rounds = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 5;
    std::printf("file %s, %.1f MB\n", qPrintable(path), QFileInfo(path).size() / 1048576.0);

    // The command line first, so the children's peak memory is its own.
    std::vector<double> cliFull, cliOpen;
    for (int i = 0; i < rounds; ++i) {
        cliFull.push_back(cliSeconds(path, readSql));
        cliOpen.push_back(cliSeconds(path, QStringLiteral("Select count(*) from sqlite_master")));
    }
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);

    std::vector<double> open, forward, scroll, free;
    long rows = 0;
    long heldKb = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        DatabaseConnection connection;
        connection.open(settingsFor(path));
        open.push_back(timer.nsecsElapsed() / 1e9);

        timer.restart();
        rows = readAll(connection, true);
        forward.push_back(timer.nsecsElapsed() / 1e9);

        timer.restart();
        readAll(connection, false);
        scroll.push_back(timer.nsecsElapsed() / 1e9);

        const long before = residentKb();
        timer.restart();
        FreeQuery q(connection);
        q.setSql(readSql);
        q.open();
        free.push_back(timer.nsecsElapsed() / 1e9);
        heldKb = std::max(heldKb, residentKb() - before);
    }
    rusage self{};
    getrusage(RUSAGE_SELF, &self);

    const double cliRead = median(cliFull) - median(cliOpen);
    std::printf("rows %ld, median of %d rounds\n", rows, rounds);
    std::printf(
        "sqlcipher CLI: whole run %.3f s, of which opening and keying %.3f s, reading %.3f s; peak %ld MB\n",
        median(cliFull), median(cliOpen), cliRead, children.ru_maxrss / 1024);
    std::printf("driver: opening and keying %.3f s\n", median(open));
    std::printf("driver, forward-only read of every value: %.3f s (%.2f x the CLI's reading)\n",
                median(forward), median(forward) / cliRead);
    std::printf("driver, scrollable read (rows kept): %.3f s (%.2f x)\n", median(scroll),
                median(scroll) / cliRead);
    std::printf("scratch query holding all rows: %.3f s (%.2f x), %ld MB held (%.2f x the file)\n",
                median(free), median(free) / cliRead, heldKb / 1024,
                heldKb * 1024.0 / QFileInfo(path).size());
    std::printf("this process's peak: %ld MB\n", self.ru_maxrss / 1024);
    return 0;
}

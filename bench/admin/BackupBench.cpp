// bench_backup <work-folder> [rows]: backup, restore and compaction of a House.HDB holding [rows]
// (default 100,000) lease listings, against cp of the same file in the same run; then, when the
// PostgreSQL test server runs (LINTARA_PG_PORT and friends set), a server restore of that backup
// and a server backup, in rows per second. Prints its figures; never fails on time.
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "FileMaintenance.h"
#include "ScratchDatabase.h"
#include "ServerMaintenance.h"
#include "TableCopy.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()>& before, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void run(const QString& program, const QStringList& args) {
    if (QProcess::execute(program, args) != 0)
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_backup <work-folder> [rows]\n");
        return 2;
    }
    const QString work = QDir(args[1]).absolutePath();
    const int rows = args.size() > 2 ? args[2].toInt() : 100000;
    QDir().mkpath(work);
    const QString db = work + QStringLiteral("/House.HDB");
    if (!QFileInfo::exists(db))
        run(QStringLiteral(MKBENCHDB), {db, QString::number(rows)});
    const double mb = QFileInfo(db).size() / 1024.0 / 1024.0;
    std::printf("database: %s, %.1f MB\n", qPrintable(db), mb);

    ConnectionSettings settings;
    settings.filePath = db;
    settings.key = ConnectionSettings::localFilePassword();
    DatabaseConnection connection(QStringLiteral("ADOConnection1"));
    connection.open(settings);
    FileMaintenance maintenance(connection);
    const QString copy = work + QStringLiteral("/cp.bak");
    const QString backup = work + QStringLiteral("/backup.bak");
    const int runs = 5;

    const double cp = medianMs(
        runs, [&] { QFile::remove(copy); },
        [&] {
            run("cp", {db, copy});
        });
    const double cpSync = medianMs(
        runs, [&] { QFile::remove(copy); },
        [&] {
            run("cp", {db, copy});
            run("sync", {copy});
        });
    const double backupMs = medianMs(runs, {}, [&] { maintenance.backup(backup, {}); });
    const double restoreMs = medianMs(
        runs, [&] {},
        [&] {
            maintenance.restore(backup, {});
            QFile::remove(maintenance.keptCopy());
        });
    const double compactMs = medianMs(1, {}, [&] { maintenance.compact({}); });
    std::printf("cp                %8.1f ms\n", cp);
    std::printf("cp + sync         %8.1f ms\n", cpSync);
    std::printf("backup            %8.1f ms  (%.2fx cp, %.2fx cp+sync)\n", backupMs, backupMs / cp,
                backupMs / cpSync);
    std::printf("restore           %8.1f ms  (%.2fx cp, %.2fx cp+sync)\n", restoreMs, restoreMs / cp,
                restoreMs / cpSync);
    std::printf("compaction        %8.1f ms\n", compactMs);
    std::fflush(stdout);

    if (!TestSupport::pgAvailable()) {
        std::printf("server: skipped (no PostgreSQL test server)\n");
        return 0;
    }
    qint64 total = 0;
    for (const QString& table : DatabaseMaintenance::tables())
        total += TableCopy::rowCount(connection, table);
    ScratchDatabase scratch(QStringLiteral("postgresql"));
    DatabaseConnection server(QStringLiteral("server"));
    server.open(scratch.settings());
    ServerMaintenance onServer(server);
    const double serverRestore = medianMs(1, {}, [&] { onServer.restore(backup, {}); });
    const QString serverBackup = work + QStringLiteral("/server.bak");
    const double serverBackupMs = medianMs(1, {}, [&] { onServer.backup(serverBackup, {}); });
    std::printf("server restore    %8.1f ms  %lld rows, %.0f rows/s\n", serverRestore, total,
                total / (serverRestore / 1000.0));
    std::printf("server backup     %8.1f ms  %lld rows, %.0f rows/s\n", serverBackupMs, total,
                total / (serverBackupMs / 1000.0));
    return 0;
}

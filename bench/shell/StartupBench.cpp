// From program start to the login window with the database opened. The program is copied into a
// scratch program folder (pictures, settings, a House.HDB of 100,000 lease listings made by
// mkbenchdb) and started with LINTARA_STARTUP_PROBE=1, which makes it print the time from main()
// to the first showing of the login window and end. The process wall time includes loading the
// program and its libraries.
//   bench_startup [runs] [rows]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

#ifndef LINTARA_EXE
int main() {
    std::puts("bench_startup: Lintara or mkbenchdb is not part of this build");
    return 1;
}
#else

namespace {
bool copyTree(const QString& from, const QString& to) {
    QDir src(from);
    if (!src.exists())
        return true;
    QDir().mkpath(to);
    for (const QFileInfo& fi : src.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = to + "/" + fi.fileName();
        if (fi.isDir()) {
            if (!copyTree(fi.filePath(), target))
                return false;
        } else if (!QFile::copy(fi.filePath(), target)) {
            return false;
        }
    }
    return true;
}

double median(QList<double> v) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QString(argv[1]).toInt() : 10;
    const int rows = argc > 2 ? QString(argv[2]).toInt() : 100000;
    QTemporaryDir dir;
    const QString prog = dir.path() + "/program";
    for (const char* sub : {"image", "Template"})
        copyTree(QString(PROGRAM_DIR) + "/" + sub, prog + "/" + sub);
    QDir().mkpath(prog + "/Data");
    for (const char* ini : {"MyConnect.ini", "vexa.ini"})
        QFile::copy(QString(PROGRAM_DIR) + "/" + ini, prog + "/" + ini);
    const QString exe = prog + "/Lintara";
    QFile::copy(LINTARA_EXE, exe);

    QProcess make;
    make.start(MKBENCHDB_EXE, {prog + "/Data/House.HDB", QString::number(rows)});
    if (!make.waitForFinished(600000) || make.exitCode() != 0) {
        std::printf("mkbenchdb failed: %s\n", make.readAllStandardError().constData());
        return 1;
    }
    std::printf("House.HDB with %d lease listings: %.1f MB\n", rows,
                QFileInfo(prog + "/Data/House.HDB").size() / 1e6);

    QList<double> inside, wall;
    for (int i = 0; i < runs + 1; ++i) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LINTARA_STARTUP_PROBE", "1");
        if (!env.contains("QT_QPA_PLATFORM"))
            env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(prog);
        QElapsedTimer t;
        t.start();
        p.start(exe, {});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            std::printf("run %d failed: %s\n", i, p.readAllStandardError().constData());
            return 1;
        }
        const double w = t.nsecsElapsed() / 1e6;
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const int at = out.indexOf("startup-ms ");
        if (at < 0) {
            std::printf("run %d: no figure (%s)\n", i, qPrintable(out));
            return 1;
        }
        const double ms = out.mid(at + 11).section('\n', 0, 0).toDouble();
        if (i == 0)
            continue; // the first run warms the file cache
        inside << ms;
        wall << w;
        std::printf("run %2d: main() to login shown %7.1f ms, process start to end %7.1f ms\n", i, ms, w);
    }
    std::printf("median: main() to login shown %.1f ms, process start to end %.1f ms (%d runs)\n",
                median(inside), median(wall), runs);
    return 0;
}
#endif

// Prints the updater's download throughput for a 200 MB file from nginx on loopback beside
// curl's on the same file, plain and through the wizard window, each with the size and SHA-256
// check of the list row, and the time of a resume after an interruption at half.
#include "FileDigest.h"
#include "NginxServer.h"
#include "ResumableDownload.h"
#include "ResumeRecord.h"
#include "TForm_Update.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr qint64 Size = 200LL * 1024 * 1024;

QByteArray digest(const QString& path) {
    return FileDigest::sha256Hex(path);
}

double mbps(qint64 bytes, qint64 ms) {
    return ms > 0 ? bytes / 1048576.0 / (ms / 1000.0) : 0;
}

// CPU time of this process (the machine may be busy with other work while we measure).
qint64 cpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000LL +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

double median(QList<qint64> v) {
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return double(v[v.size() / 2]);
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // In memory when possible, so the disk's write-back does not blur the network figures.
    QTemporaryDir tmp(QDir(QStringLiteral("/dev/shm")).exists()
                          ? QStringLiteral("/dev/shm/corvane-bench-XXXXXX")
                          : QDir::tempPath() + QStringLiteral("/corvane-bench-XXXXXX"));
    const QString www = tmp.filePath(QStringLiteral("www"));
    QDir().mkpath(www);
    {
        QFile f(www + QStringLiteral("/big.bin"));
        f.open(QIODevice::WriteOnly);
        QByteArray block(1 << 20, Qt::Uninitialized);
        QRandomGenerator gen(42);
        for (qint64 done = 0; done < Size; done += block.size()) {
            for (int i = 0; i < block.size(); i += 4)
                *reinterpret_cast<quint32*>(block.data() + i) = gen.generate();
            f.write(block);
        }
    }
    const QByteArray want = digest(www + QStringLiteral("/big.bin"));
    NginxServer nginx;
    if (!nginx.start(www)) {
        std::fprintf(stderr, "nginx did not start: %s\n", qPrintable(nginx.errorText()));
        return 1;
    }
    const QString url = nginx.baseUrl() + QStringLiteral("big.bin");
    const QString out = tmp.filePath(QStringLiteral("out.bin"));
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    std::printf("every download of ours checks size and SHA-256 of the whole file\n");
    std::printf("file: %lld bytes from nginx on 127.0.0.1:%u, %d runs each, median\n", Size, nginx.port(),
                runs);

    // "window" as second argument measures the wizard pass alone (for profiling).
    const bool windowOnly = argc > 2 && QByteArray(argv[2]) == "window";
    QList<qint64> curlMs;
    for (int r = 0; r < runs && !windowOnly; ++r) {
        QFile::remove(out);
        QElapsedTimer t;
        t.start();
        QProcess::execute(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-o"), out, url});
        curlMs << t.elapsed();
    }
    const bool curlOk = windowOnly || digest(out) == want;
    std::printf("curl                     %7.0f ms  %8.1f MB/s  %s\n", median(curlMs),
                mbps(Size, qint64(median(curlMs))), curlOk ? "ok" : "WRONG CONTENT");

    QList<qint64> plainMs;
    bool plainOk = true;
    const qint64 plainCpu0 = cpuMs();
    for (int r = 0; r < runs && !windowOnly; ++r) {
        QFile::remove(out);
        ResumeRecord::remove(out);
        ResumableDownload d;
        QElapsedTimer t;
        t.start();
        plainOk = d.DownloadFile(url, out, ReleaseFile{QString(), Size, want}) && plainOk;
        plainMs << t.elapsed();
    }
    const qint64 plainCpu = (cpuMs() - plainCpu0) / runs;
    plainOk = windowOnly || (plainOk && digest(out) == want);
    std::printf("DownloadFile (no window) %7.0f ms  %8.1f MB/s  cpu %lld ms  %s\n", median(plainMs),
                mbps(Size, qint64(median(plainMs))), plainCpu, plainOk ? "ok" : "FAILED");

    // The whole wizard pass: progress shown and window messages handled after every block.
    const QString appDir = tmp.filePath(QStringLiteral("program/"));
    QDir().mkpath(appDir);
    {
        QFile ini(appDir + QStringLiteral("vexa.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write(("[vexa]\nSubSys=list\nexe=\n[update]\nbench=" + nginx.baseUrl() + "\n").toUtf8());
        QFile list(www + QStringLiteral("/list.htm"));
        list.open(QIODevice::WriteOnly);
        list.write("[big.bin]\nPaths=\nsize=" + QByteArray::number(Size) + "\nsha256=" + want + "\n");
    }
    QList<qint64> windowMs;
    bool windowOk = true;
    qint64 windowCpu = 0;
    for (int r = 0; r < runs; ++r) {
        QFile::remove(appDir + QStringLiteral("update/big.bin"));
        ResumeRecord::remove(appDir + QStringLiteral("update/big.bin"));
        TForm_Update w(appDir);
        w.show();
        QApplication::processEvents();
        QElapsedTimer t;
        const qint64 cpu0 = cpuMs();
        t.start();
        w.findChild<QPushButton*>(QStringLiteral("btn_next"))->click();
        windowMs << t.elapsed();
        windowCpu += cpuMs() - cpu0;
        windowOk = windowOk && w.findChild<QPushButton*>(QStringLiteral("btn_next"))->text() ==
                                   QStringLiteral("完成升级");
        w.hide();
    }
    windowOk = windowOk && digest(appDir + QStringLiteral("update/big.bin")) == want;
    std::printf("wizard pass (window)     %7.0f ms  %8.1f MB/s  cpu %lld ms  %s\n", median(windowMs),
                mbps(Size, qint64(median(windowMs))), windowCpu / runs, windowOk ? "ok" : "FAILED");

    // Interrupted at half, then resumed.
    QFile::remove(out);
    ResumeRecord::remove(out);
    ResumableDownload d;
    QObject::connect(&d, &ResumableDownload::progress, [&](qint64 announced, qint64 received) {
        if (received * 2 >= announced)
            d.requestCancel();
    });
    QElapsedTimer t;
    t.start();
    const ReleaseFile release{QString(), Size, want};
    const bool first = d.DownloadFile(url, out, release);
    const qint64 firstMs = t.elapsed();
    const qint64 half = QFileInfo(out).size();
    QObject::disconnect(&d, &ResumableDownload::progress, nullptr, nullptr);
    t.restart();
    const bool second = d.DownloadFile(url, out, release);
    const qint64 secondMs = t.elapsed();
    const bool resumeOk = !first && second && digest(out) == want;
    std::printf("interrupted at %lld bytes after %lld ms; resume of %lld bytes %lld ms  %8.1f MB/s  %s\n",
                half, firstMs, Size - half, secondMs, mbps(Size - half, secondMs),
                resumeOk ? "ok" : "FAILED");
    nginx.stop();
    return curlOk && plainOk && windowOk && resumeOk ? 0 : 1;
}

#include "FileDigest.h"
#include "NginxServer.h"
#include "ResumableDownload.h"
#include "ResumeRecord.h"
#include "ScriptServer.h"
#include "TestCertificates.h"
#include "TestSupport.h"
#include "UpdaterTestFiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace UpdaterTestFiles;

namespace {
// The body odd_http_server.py serves.
QByteArray pattern(int size) {
    QByteArray out(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        out[i] = char((i * 7 + 3) % 251);
    return out;
}

QByteArray randomBytes(int size) {
    return UpdaterTestFiles::randomBytes(size, quint32(size));
}

// Short waits so a silent server ends a test at once; the program's own waits are longer.
void quickWaits(ResumableDownload& d) {
    d.setConnectTimeout(3000);
    d.setHeaderTimeout(1500);
    d.setBodyTimeout(400);
}

struct Run {
    bool ok = false;
    QStringList log;
    QList<QPair<qint64, qint64>> progress;
};

Run download(const QString& url, const QString& local,
             const std::function<void(ResumableDownload&)>& tune = {}, const ReleaseFile& release = {}) {
    ResumableDownload d;
    quickWaits(d);
    if (tune)
        tune(d);
    Run run;
    QObject::connect(&d, &ResumableDownload::logLine, [&](const QString& t) { run.log << t; });
    QObject::connect(&d, &ResumableDownload::progress, [&](qint64 announced, qint64 received) {
        run.progress.append({announced, received});
    });
    run.ok = d.DownloadFile(url, local, release);
    return run;
}

// A partial copy as an interrupted download leaves it: the first block, record and all, cut
// back to size bytes.
void interruptedCopy(const QString& url, const QString& local, qint64 size, const ReleaseFile& release = {}) {
    QDir().mkpath(QFileInfo(local).absolutePath());
    ResumableDownload d;
    quickWaits(d);
    QObject::connect(&d, &ResumableDownload::progress, &d, &ResumableDownload::requestCancel);
    QVERIFY(!d.DownloadFile(url, local, release));
    QFile f(local);
    QVERIFY(f.size() >= size);
    QVERIFY(f.resize(size));
}
} // namespace

class TestResumableDownload : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;
    QByteArray m_big;
    NginxServer m_nginx;

private slots:
    void initTestCase() {
        m_big = randomBytes(300000);
        writeFile(m_root.filePath(QStringLiteral("www/Lintara")), m_big);
        writeFile(m_root.filePath(QStringLiteral("www/half.bin")), randomBytes(8000));
        writeFile(m_root.filePath(QStringLiteral("www/image/main.bmp")), randomBytes(12345));
        writeFile(m_root.filePath(QStringLiteral("www/房屋 清单.txt")), randomBytes(5000));
        QVERIFY2(m_nginx.start(m_root.filePath(QStringLiteral("www"))), qPrintable(m_nginx.errorText()));
    }
    void cleanupTestCase() { m_nginx.stop(); }

    void urlPieces_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("hostName");
        QTest::addColumn<int>("port");
        QTest::newRow("plain") << "http://h/dir/app.exe"
                               << "h"
                               << "dir/app.exe"
                               << "h" << 80;
        QTest::newRow("capital scheme") << "HTTP://h/dir/app.exe"
                                        << "h"
                                        << "dir/app.exe"
                                        << "h" << 80;
        QTest::newRow("blanks and port") << "  http://h:8080/a/b "
                                         << "h:8080"
                                         << "a/b"
                                         << "h" << 8080;
        QTest::newRow("no slash") << "h"
                                  << "h"
                                  << "h"
                                  << "h" << 80;
        QTest::newRow("no scheme") << "10.0.0.5/x"
                                   << "10.0.0.5"
                                   << "x"
                                   << "10.0.0.5" << 80;
        QTest::newRow("bad port") << "http://h:http/x"
                                  << "h:http"
                                  << "x"
                                  << "h" << 0;
        QTest::newRow("ipv6") << "http://[::1]:81/x"
                              << "[::1]:81"
                              << "x"
                              << "::1" << 81;
    }
    void urlPieces() {
        QFETCH(QString, url);
        QFETCH(QString, host);
        QFETCH(QString, path);
        QFETCH(QString, hostName);
        QFETCH(int, port);
        QCOMPARE(ResumableDownload::UrlHost(url), host);
        QCOMPARE(ResumableDownload::UrlPath(url), path);
        QCOMPARE(ResumableDownload::UrlHostName(url), hostName);
        QCOMPARE(int(ResumableDownload::UrlPort(url)), port);
    }

    void progressText_data() {
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<qint64>("received");
        QTest::addColumn<QString>("text");
        QTest::newRow("zeros show nothing") << qint64(0) << qint64(0) << "共  字节，已下载  字节";
        QTest::newRow("thousands") << qint64(1234567) << qint64(4096)
                                   << "共 1,234,567 字节，已下载 4,096 字节";
        QTest::newRow("small") << qint64(999) << qint64(1) << "共 999 字节，已下载 1 字节";
    }
    void progressText() {
        QFETCH(qint64, announced);
        QFETCH(qint64, received);
        QFETCH(QString, text);
        QCOMPARE(ResumableDownload::progressText(announced, received), text);
    }

    void freshDownloadFromNginx() {
        const QString local = m_root.filePath(QStringLiteral("fresh/Lintara"));
        QDir().mkpath(QFileInfo(local).absolutePath());
        const Run run = download(m_nginx.baseUrl() + QStringLiteral("Lintara"), local);
        QVERIFY(run.ok);
        QVERIFY(readFile(local) == m_big);
        QCOMPARE(run.log, QStringList{local + QStringLiteral("文件下载完成")});
        QVERIFY(!run.progress.isEmpty());
        qint64 before = 0;
        for (const auto& p : run.progress) {
            QCOMPARE(p.first, qint64(m_big.size()));
            QVERIFY(p.second - before > 0 && p.second - before <= ResumableDownload::BlockSize);
            before = p.second;
        }
        QCOMPARE(before, qint64(m_big.size()));
    }

    void resumeAppendsAfterTheLocalPart_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("localSize");
        QTest::newRow("1000 bytes there") << "Lintara" << 1000;
        QTest::newRow("exactly half there") << "half.bin" << 4000;
        QTest::newRow("sub-folder") << "image/main.bmp" << 0;
        QTest::newRow("blank and Chinese in the name") << "房屋 清单.txt" << 17;
    }
    void resumeAppendsAfterTheLocalPart() {
        QFETCH(QString, name);
        QFETCH(int, localSize);
        const QByteArray whole = readFile(m_root.filePath(QStringLiteral("www/") + name));
        const QString local = m_root.filePath(QStringLiteral("resume/") + QString(name).replace('/', '_'));
        interruptedCopy(m_nginx.baseUrl() + name, local, localSize);
        const Run run = download(m_nginx.baseUrl() + name, local);
        QVERIFY(run.ok);
        QVERIFY(readFile(local) == whole);
        QCOMPARE(run.log, QStringList{local + QStringLiteral("文件下载完成")});
        QCOMPARE(run.progress.first().first, qint64(whole.size() - localSize));
        QCOMPARE(run.progress.last().second, qint64(whole.size() - localSize));
    }

    void completeFileIsNotWritten() {
        const QString local = m_root.filePath(QStringLiteral("complete/Lintara"));
        QDir().mkpath(QFileInfo(local).absolutePath());
        QVERIFY(download(m_nginx.baseUrl() + QStringLiteral("Lintara"), local).ok);
        const Run run = download(m_nginx.baseUrl() + QStringLiteral("Lintara"), local);
        QVERIFY(run.ok);
        QVERIFY(run.progress.isEmpty());
        QCOMPARE(run.log, QStringList{local + QStringLiteral("文件下载完成")});
        QVERIFY(readFile(local) == m_big);
    }

    void missingFileOnTheServerFails() {
        const QString local = m_root.filePath(QStringLiteral("missing/nothing.exe"));
        QDir().mkpath(QFileInfo(local).absolutePath());
        const Run run = download(m_nginx.baseUrl() + QStringLiteral("nothing.exe"), local);
        QVERIFY(!run.ok);
        QCOMPARE(readFile(local).size(), 0);
    }

    void refusedConnectionFails() {
        const QString local = m_root.filePath(QStringLiteral("refused.bin"));
        const QString url =
            QStringLiteral("http://127.0.0.1:%1/dir/refused.bin").arg(ScriptServer::freePort());
        const Run run = download(url, local);
        QVERIFY(!run.ok);
        QCOMPARE(run.log.last(), QStringLiteral("dir/refused.bin服务器连接失败，取消下载"));
    }

    void interruptStopsAfterTheBlockInHand() {
        const QString local = m_root.filePath(QStringLiteral("cancel/Lintara"));
        QDir().mkpath(QFileInfo(local).absolutePath());
        ResumableDownload d;
        quickWaits(d);
        QStringList log;
        connect(&d, &ResumableDownload::logLine, [&](const QString& t) { log << t; });
        bool interrupted = false;
        connect(&d, &ResumableDownload::progress, [&](qint64, qint64) {
            if (!interrupted)
                d.requestCancel();
            interrupted = true;
        });
        QVERIFY(!d.DownloadFile(m_nginx.baseUrl() + QStringLiteral("Lintara"), local));
        QVERIFY(log.isEmpty());
        const QByteArray got = readFile(local);
        QVERIFY(got.size() > 0 && got.size() <= ResumableDownload::BlockSize);
        QVERIFY(m_big.startsWith(got));
        // The next attempt carries on from there.
        QVERIFY(d.DownloadFile(m_nginx.baseUrl() + QStringLiteral("Lintara"), local));
        QVERIFY(readFile(local) == m_big);
    }

    void serverIgnoringRangeIsNotResumed() {
        ScriptServer plain;
        QVERIFY(plain.startPlain(m_root.filePath(QStringLiteral("www"))));
        const QString local = m_root.filePath(QStringLiteral("plain/Lintara"));
        writeFile(local, m_big.left(1000));
        const Run run = download(plain.baseUrl() + QStringLiteral("Lintara"), local);
        QVERIFY(!run.ok);
        QCOMPARE(run.log, QStringList{QStringLiteral("Lintara服务器应答与本地文件不衔接，下次从头下载")});
        QCOMPARE(readFile(local).size(), 0);
    }

    // Each answer ends in bounded time, and what stays on disk is a prefix of the one true file.
    void oddServers_data() {
        QTest::addColumn<QStringList>("serverArgs");
        QTest::addColumn<int>("localSize");
        QTest::addColumn<int>("recordLength"); // the partial copy's record; -2: none
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("logEnd");
        QTest::addColumn<int>("finalSize");
        const QString failed = QStringLiteral("服务器连接失败，取消下载");
        const QString restart = QStringLiteral("服务器应答与本地文件不衔接，下次从头下载");
        QTest::newRow("closes early")
            << QStringList{"--mode", "close-early"} << 0 << -2 << false << failed << 3000;
        QTest::newRow("closes early on resume")
            << QStringList{"--mode", "close-early"} << 1000 << 10000 << false << failed << 4000;
        QTest::newRow("partial copy without a record starts again")
            << QStringList{"--mode", "close-early"} << 1000 << -2 << false << failed << 3000;
        QTest::newRow("partial copy of another length starts again")
            << QStringList{"--mode", "close-early"} << 1000 << 9000 << false << failed << 3000;
        QTest::newRow("stalls in the body")
            << QStringList{"--mode", "stall-body"} << 0 << -2 << false << failed << 3000;
        QTest::newRow("stalls in the headers")
            << QStringList{"--mode", "stall-headers"} << 500 << 10000 << false << failed << 500;
        QTest::newRow("closes inside the headers")
            << QStringList{"--mode", "cut-headers"} << 0 << -2 << false << failed << 0;
        QTest::newRow("announces less than it sends")
            << QStringList{"--mode", "wrong-length", "--announce", "100"} << 0 << -2 << false << restart << 0;
        QTest::newRow("announces the local size") << QStringList{"--mode", "equal-offset", "--size", "5000"}
                                                  << 1000 << 5000 << false << restart << 0;
        QTest::newRow("length in small letters")
            << QStringList{"--mode", "lowercase-length"} << 0 << -2 << true << "文件下载完成" << 10000;
        QTest::newRow("length without the blank")
            << QStringList{"--mode", "tight-length"} << 0 << -2 << true << "文件下载完成" << 10000;
        QTest::newRow("no length on HEAD")
            << QStringList{"--mode", "no-head-length"} << 2000 << -1 << true << "文件下载完成" << 10000;
        QTest::newRow("200 to a ranged request")
            << QStringList{"--mode", "ignore-range"} << 1000 << 10000 << false << restart << 0;
        QTest::newRow("206 without Content-Range")
            << QStringList{"--mode", "206-no-range"} << 1000 << 10000 << false << restart << 0;
        QTest::newRow("chunked 206") << QStringList{"--mode", "chunked-206"} << 1000 << 10000 << false
                                     << restart << 0;
        QTest::newRow("range starting at the wrong byte")
            << QStringList{"--mode", "wrong-start"} << 1000 << 10000 << false << restart << 0;
        QTest::newRow("range running past the total")
            << QStringList{"--mode", "past-total"} << 1000 << 10000 << false << restart << 0;
        QTest::newRow("redirect") << QStringList{"--mode", "redirect"} << 0 << -2 << false
                                  << "服务器要求转向其他地址，不予跟随，取消下载" << 0;
        QTest::newRow("HEAD length of 0")
            << QStringList{"--mode", "head-zero"} << 0 << -2 << false << "服务器标识长度为0，取消下载" << 0;
        QTest::newRow("HEAD length not a number") << QStringList{"--mode", "head-nan"} << 0 << -2 << false
                                                  << "服务器标识长度不是数字，取消下载" << 0;
        QTest::newRow("larger than the free disk space")
            << QStringList{"--mode", "huge"} << 0 << -2 << false << "磁盘空间不足，取消下载" << 0;
        QTest::newRow("endless header line") << QStringList{"--mode", "endless-header"} << 0 << -2 << false
                                             << "服务器应答头过长，取消下载" << 0;
        QTest::newRow("dripping headers")
            << QStringList{"--mode", "drip-headers"} << 0 << -2 << false << failed << 0;
    }
    void oddServers() {
        QFETCH(QStringList, serverArgs);
        QFETCH(int, localSize);
        QFETCH(int, recordLength);
        QFETCH(bool, ok);
        QFETCH(QString, logEnd);
        QFETCH(int, finalSize);
        ScriptServer server;
        QVERIFY(server.startOdd(serverArgs));
        const int size = serverArgs.contains(QStringLiteral("5000")) ? 5000 : 10000;
        const QByteArray body = pattern(size);
        const QString local = m_root.filePath(QStringLiteral("odd/") + QTest::currentDataTag());
        writeFile(local, body.left(localSize));
        if (recordLength != -2)
            QVERIFY(ResumeRecord::write(local, ResumeRecord{QString(), recordLength, QString()}));
        const Run run = download(server.baseUrl() + QStringLiteral("dir/app.exe"), local);
        QCOMPARE(run.ok, ok);
        QVERIFY2(!run.log.isEmpty() && run.log.last().endsWith(logEnd), qPrintable(run.log.join('|')));
        const QByteArray got = readFile(local);
        QVERIFY(body.startsWith(got));
        QCOMPARE(got.size(), finalSize);
    }

    void partialFromAnEarlyCloseResumesLater() {
        const QString local = m_root.filePath(QStringLiteral("later/app.exe"));
        QDir().mkpath(QFileInfo(local).absolutePath());
        {
            ScriptServer early;
            QVERIFY(early.startOdd({"--mode", "close-early", "--cut", "3000"}));
            QVERIFY(!download(early.baseUrl() + QStringLiteral("app.exe"), local).ok);
        }
        QCOMPARE(ResumeRecord::read(local).length, qint64(10000));
        ScriptServer good;
        QVERIFY(good.startOdd({}));
        const Run run = download(good.baseUrl() + QStringLiteral("app.exe"), local);
        QVERIFY(run.ok);
        QVERIFY(readFile(local) == pattern(10000));
        QCOMPARE(run.progress.first().first, qint64(7000));
    }

    void requestsAreSentByteForByte() {
        const QString record = m_root.filePath(QStringLiteral("requests.log"));
        ScriptServer server;
        QVERIFY(server.startOdd({"--record", record}));
        const QString local = m_root.filePath(QStringLiteral("recorded/app.exe"));
        writeFile(local, pattern(10000).left(1000));
        QVERIFY(ResumeRecord::write(local, ResumeRecord{QString(), 10000, QString()}));
        const QString host = QStringLiteral("127.0.0.1:%1").arg(server.port());
        QVERIFY(download(QStringLiteral(" HTTP://") + host + QStringLiteral("/dir/app.exe"), local).ok);
        const QByteArray h = host.toLatin1();
        const QByteArray head =
            "HEAD /dir/app.exe HTTP/1.1\r\n"
            "Pragma: no-cache\r\n"
            "Cache-Control: no-cache\r\n"
            "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.0.3705)\r\n"
            "Host: " +
            h + "\r\n\r\n";
        const QByteArray get =
            "GET /dir/app.exe HTTP/1.1\r\n"
            "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
            "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.0.3705)\r\n"
            "RANGE: bytes=1000-\r\n"
            "Host: " +
            h + "\r\n\r\n";
        const QByteArray expected = "=== " + QByteArray::number(head.size()) + "\n" + head +
                                    "=== " + QByteArray::number(get.size()) + "\n" + get;
        QCOMPARE(readFile(record), expected);
    }

    void freshFileAsksFromByteZero() {
        const QString record = m_root.filePath(QStringLiteral("requests0.log"));
        ScriptServer server;
        QVERIFY(server.startOdd({"--record", record}));
        const QString local = m_root.filePath(QStringLiteral("recorded0/new.dll"));
        QDir().mkpath(QFileInfo(local).absolutePath());
        QVERIFY(!QFile::exists(local));
        QVERIFY(download(server.baseUrl() + QStringLiteral("new.dll"), local).ok);
        QVERIFY(readFile(record).contains("\r\nRANGE: bytes=0-\r\n"));
        QVERIFY(readFile(local) == pattern(10000));
    }

    // The list row's size and hash decide: a copy that differs is discarded and never reported whole.
    void integrityAgainstTheListRow_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QByteArray>("sha256");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("logEnd");
        const QByteArray good = FileDigest::sha256Hex(m_root.filePath(QStringLiteral("www/half.bin")));
        QByteArray bad = good;
        bad[0] = bad[0] == '0' ? '1' : '0';
        QTest::newRow("matching size and hash") << qint64(8000) << good.toUpper() << true << "文件下载完成";
        QTest::newRow("no keys") << qint64(-1) << QByteArray() << true << "文件下载完成";
        QTest::newRow("other hash") << qint64(8000) << bad << false << "文件校验不符，已删除下载的副本";
        QTest::newRow("other size") << qint64(7999) << good << false
                                    << "服务器文件长度与升级信息不符，取消下载";
    }
    void integrityAgainstTheListRow() {
        QFETCH(qint64, size);
        QFETCH(QByteArray, sha256);
        QFETCH(bool, ok);
        QFETCH(QString, logEnd);
        const QString local = m_root.filePath(QStringLiteral("integrity/") + QTest::currentDataTag());
        QDir().mkpath(QFileInfo(local).absolutePath());
        const Run run = download(m_nginx.baseUrl() + QStringLiteral("half.bin"), local, {},
                                 ReleaseFile{QStringLiteral("2030-01-01"), size, sha256});
        QCOMPARE(run.ok, ok);
        QVERIFY2(run.log.last().endsWith(logEnd), qPrintable(run.log.join('|')));
        QCOMPARE(readFile(local) == readFile(m_root.filePath(QStringLiteral("www/half.bin"))), ok);
        if (!ok) {
            QCOMPARE(readFile(local).size(), 0);
            QVERIFY(!QFile::exists(ResumeRecord::pathFor(local)));
        }
    }

    // Same name, other bytes between two passes: the partial copy of the first release is never
    // completed with the tail of the second.
    void changedReleaseStartsAgain_data() {
        QTest::addColumn<bool>("fileChanged");
        QTest::addColumn<bool>("dateChanged");
        QTest::newRow("file and list date changed") << true << true;
        QTest::newRow("only the server's file changed") << true << false;
        QTest::newRow("only the list date changed") << false << true;
    }
    void changedReleaseStartsAgain() {
        QFETCH(bool, fileChanged);
        QFETCH(bool, dateChanged);
        const QString served = m_root.filePath(QStringLiteral("www/changing.bin"));
        const QByteArray first = UpdaterTestFiles::randomBytes(100000, 11);
        const QByteArray second = UpdaterTestFiles::randomBytes(100000, 12);
        writeFile(served, first);
        const QString local = m_root.filePath(QStringLiteral("changing/") + QTest::currentDataTag());
        const QString url = m_nginx.baseUrl() + QStringLiteral("changing.bin");
        interruptedCopy(url, local, 3000, ReleaseFile{QStringLiteral("2030-01-01 10:00:00"), -1, {}});
        if (fileChanged) {
            writeFile(served, second);
            QFile f(served);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime));
        }
        const QByteArray now = fileChanged ? second : first;
        const Run run = download(url, local, {},
                                 ReleaseFile{dateChanged ? QStringLiteral("2030-02-02 10:00:00")
                                                         : QStringLiteral("2030-01-01 10:00:00"),
                                             -1,
                                             {}});
        QVERIFY(run.ok);
        QCOMPARE(run.progress.first().first, qint64(now.size())); // from byte zero
        QVERIFY(readFile(local) == now);
    }

    void httpsChecksTheCertificate() {
        const TestCertificates::Files certs = TestCertificates::make(m_root.filePath(QString()));
        QVERIFY(!certs.ca.isEmpty());
        NginxServer tls;
        tls.useTls(certs.certificate, certs.key);
        QVERIFY2(tls.start(m_root.filePath(QStringLiteral("www"))), qPrintable(tls.errorText()));
        QVERIFY(tls.baseUrl().startsWith(QLatin1String("https://")));
        const QString local = m_root.filePath(QStringLiteral("tls/Lintara"));
        QDir().mkpath(QFileInfo(local).absolutePath());
        // An authority the system does not know: a failed download, with the reason in the log.
        const Run refused = download(tls.baseUrl() + QStringLiteral("Lintara"), local);
        QVERIFY(!refused.ok);
        QCOMPARE(refused.log.size(), 2);
        QVERIFY2(refused.log.first().contains(QLatin1String("certificate"), Qt::CaseInsensitive),
                 qPrintable(refused.log.first()));
        QCOMPARE(readFile(local).size(), 0);
        TestCertificates::trust(certs.ca);
        interruptedCopy(tls.baseUrl() + QStringLiteral("Lintara"), local, 3000);
        const Run run = download(tls.baseUrl() + QStringLiteral("Lintara"), local);
        QVERIFY(run.ok);
        QCOMPARE(run.progress.first().first, qint64(m_big.size() - 3000));
        QVERIFY(readFile(local) == m_big);
    }
};

QTEST_GUILESS_MAIN(TestResumableDownload)
#include "tst_ResumableDownload.moc"

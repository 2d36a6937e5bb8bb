#include "NginxServer.h"
#include "ReleaseDate.h"
#include "ScriptServer.h"
#include "UpdateInstaller.h"
#include "UpdateListFetcher.h"
#include "UpdateSettings.h"
#include "UpdaterTestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace UpdaterTestFiles;

class TestUpdateFiles : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void settingsKeepTheServerOrder() {
        const QString path = m_dir.filePath(QStringLiteral("vexa.ini"));
        writeFile(path,
                  "[VEXA]\nsubsys=Lintara\nEXE=Lintara\n\n[update]\n本店服务器=http://192.168.1.10/up/\n"
                  "总部=http://10.0.0.1:8080/\n空地址=\n");
        const UpdateSettings s(path);
        QCOMPARE(s.subSys(), QStringLiteral("Lintara"));
        QCOMPARE(s.exe(), QStringLiteral("Lintara"));
        QCOMPARE(s.servers().size(), 3);
        QCOMPARE(s.servers()[0].first, QStringLiteral("本店服务器"));
        QCOMPARE(s.servers()[1].second, QStringLiteral("http://10.0.0.1:8080/"));
        QCOMPARE(s.serverUrl(QStringLiteral("总部")), QStringLiteral("http://10.0.0.1:8080/"));
        QCOMPARE(s.serverUrl(QStringLiteral("空地址")), QString());
        QCOMPARE(s.serverUrl(QStringLiteral("没有这台")), QStringLiteral("http://"));
    }

    void missingSettingsGiveNothing() {
        const UpdateSettings s(m_dir.filePath(QStringLiteral("none/vexa.ini")));
        QVERIFY(s.subSys().isEmpty());
        QVERIFY(s.exe().isEmpty());
        QVERIFY(s.servers().isEmpty());
    }

    void releaseDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime t(QDate(2024, 3, 5), QTime(9, 7, 3));
        QTest::newRow("iso with time") << "2024-03-05 09:07:03" << t;
        QTest::newRow("date only") << "2024-03-05" << QDate(2024, 3, 5).startOfDay();
        QTest::newRow("windows style") << "2024/3/5 9:07:03" << t;
        QTest::newRow("windows two digits") << "2024/03/05 09:07:03" << t;
        QTest::newRow("no seconds") << "2024-03-05 09:07" << QDateTime(QDate(2024, 3, 5), QTime(9, 7));
        QTest::newRow("blanks around") << "  2024-03-05   09:07:03 " << t;
        QTest::newRow("T separator") << "2024-03-05T09:07:03" << t;
        QTest::newRow("words") << "明天" << QDateTime();
        QTest::newRow("empty") << "" << QDateTime();
        QTest::newRow("day out of range") << "2024-02-30" << QDateTime();
    }
    void releaseDates() {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        QCOMPARE(ReleaseDate::parse(text), expected);
    }

    void fileDateIsTheFilesOwn() {
        const QString path = m_dir.filePath(QStringLiteral("dated.bin"));
        writeFile(path, "x");
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const QDateTime when(QDate(2020, 1, 2), QTime(3, 4, 5));
        QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
        f.close();
        QDateTime got;
        QVERIFY(UpdateInstaller::GetFileDateTime(path, got));
        QCOMPARE(got, when);
        QVERIFY(!UpdateInstaller::GetFileDateTime(m_dir.filePath(QStringLiteral("nope.bin")), got));
        QVERIFY(!UpdateInstaller::GetFileDateTime(m_dir.path(), got)); // a folder is no file
    }

    void installRenamesOverTheTargetAndKeepsItsMode() {
        const QString target = m_dir.filePath(QStringLiteral("prog/Lintara"));
        const QString downloaded = m_dir.filePath(QStringLiteral("prog/update/Lintara"));
        writeFile(target, "old program");
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ReadGroup | QFile::ExeGroup));
        writeFile(downloaded, "new program");
        // A running program holds its file open: it keeps reading the old one, untouched.
        QFile running(target);
        QVERIFY(running.open(QIODevice::ReadOnly));
        QVERIFY(UpdateInstaller::install(downloaded, target));
        QCOMPARE(running.readAll(), QByteArray("old program"));
        QCOMPARE(readFile(target), QByteArray("new program"));
        QVERIFY(QFile::permissions(target) & QFile::ExeOwner);
        QVERIFY(!QFile::exists(downloaded));
        const QStringList left = QDir(m_dir.filePath(QStringLiteral("prog"))).entryList(QDir::Files);
        QCOMPARE(left, QStringList{QStringLiteral("Lintara")});
    }

    void installMakesAMissingFolderAndKeepsTargetWhenNothingCame() {
        const QString target = m_dir.filePath(QStringLiteral("prog2/image/main.bmp"));
        const QString downloaded = m_dir.filePath(QStringLiteral("prog2/update/main.bmp"));
        QVERIFY(!UpdateInstaller::install(downloaded, target));
        QVERIFY(!QFile::exists(target));
        writeFile(downloaded, "picture");
        QVERIFY(UpdateInstaller::install(downloaded, target));
        QCOMPARE(readFile(target), QByteArray("picture"));
    }

    void backupReplacesAnEarlierOne() {
        const QString current = m_dir.filePath(QStringLiteral("prog3/Lintara"));
        const QString bak = m_dir.filePath(QStringLiteral("prog3/backup/Lintara.bak"));
        writeFile(current, "first");
        QVERIFY(UpdateInstaller::backup(current, bak));
        writeFile(current, "second");
        QVERIFY(UpdateInstaller::backup(current, bak));
        QCOMPARE(readFile(bak), QByteArray("second"));
        QVERIFY(!UpdateInstaller::backup(m_dir.filePath(QStringLiteral("prog3/none")), bak));
        QCOMPARE(readFile(bak), QByteArray("second"));
    }

    void listRequestCarriesTheClientHeaders() {
        const QString root = m_dir.filePath(QStringLiteral("listroot"));
        writeFile(root + QStringLiteral("/Lintara.htm"), "[Lintara]\r\ndatetime=2024-03-05\r\nPaths=");
        const QString record = m_dir.filePath(QStringLiteral("list-request.log"));
        ScriptServer server;
        QVERIFY(server.startOdd({"--root", root, "--record", record}));
        UpdateListFetcher fetcher;
        QVERIFY(!fetcher.connected());
        const QString saved = m_dir.filePath(QStringLiteral("app/update/update.ini"));
        fetcher.fetchTo(server.baseUrl() + QStringLiteral("Lintara.htm"), saved);
        QVERIFY(fetcher.connected());
        fetcher.disconnect();
        QVERIFY(!fetcher.connected());
        QCOMPARE(readFile(saved), QByteArray("[Lintara]\r\ndatetime=2024-03-05\r\nPaths=\n"));
        const QByteArray request = readFile(record);
        QVERIFY2(request.contains("\nGET /Lintara.htm HTTP/1.1\r\n"), request.constData());
        QVERIFY(request.contains("\r\nAccept: text/html, */*\r\n"));
        QVERIFY(request.contains("\r\nContent-Type: text/html\r\n"));
        QVERIFY(request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
        QVERIFY(!request.contains("Range"));
    }

    void listErrorStatusFailsAndKeepsTheEarlierCopy() {
        const QString root = m_dir.filePath(QStringLiteral("www404"));
        QDir().mkpath(root);
        NginxServer nginx;
        QVERIFY2(nginx.start(root), qPrintable(nginx.errorText()));
        const QString saved = m_dir.filePath(QStringLiteral("app404/update/update.ini"));
        writeFile(saved, "[earlier]\n");
        UpdateListFetcher fetcher;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 fetcher.fetchTo(nginx.baseUrl() + QStringLiteral("Lintara.htm"), saved));
        QVERIFY(!fetcher.connected());
        QCOMPARE(readFile(saved), QByteArray("[earlier]\n"));
    }

    void listFromAClosedPortFails() {
        UpdateListFetcher fetcher;
        fetcher.setTimeout(3000);
        QVERIFY_THROWS_EXCEPTION(
            std::runtime_error,
            fetcher.get(QStringLiteral("http://127.0.0.1:%1/Lintara.htm").arg(ScriptServer::freePort())));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, fetcher.get(QStringLiteral("/Lintara.htm")));
    }
};

QTEST_GUILESS_MAIN(TestUpdateFiles)
#include "tst_UpdateFiles.moc"

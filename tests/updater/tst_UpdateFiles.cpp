#include "NginxServer.h"
#include "ReleaseDate.h"
#include "ReleaseSignature.h"
#include "ScriptServer.h"
#include "TestCertificates.h"
#include "UpdateInstaller.h"
#include "UpdateListFetcher.h"
#include "UpdateSettings.h"
#include "UpdateTarget.h"
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
        QVERIFY_THROWS_EXCEPTION(UpdateListFetcher::Failure,
                                 fetcher.fetchTo(nginx.baseUrl() + QStringLiteral("Lintara.htm"), saved));
        QVERIFY(!fetcher.connected());
        QCOMPARE(readFile(saved), QByteArray("[earlier]\n"));
    }

    void listFromAClosedPortFails() {
        UpdateListFetcher fetcher;
        fetcher.setTimeout(3000);
        QVERIFY_THROWS_EXCEPTION(
            UpdateListFetcher::Failure,
            fetcher.get(QStringLiteral("http://127.0.0.1:%1/Lintara.htm").arg(ScriptServer::freePort())));
        QVERIFY_THROWS_EXCEPTION(UpdateListFetcher::Failure, fetcher.get(QStringLiteral("/Lintara.htm")));
    }

    // Answers that must not become an update list: each fails in bounded time.
    void hostileListAnswers_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("never ends") << "endless-list";
        QTest::newRow("says nothing") << "stall-list";
        QTest::newRow("redirects") << "redirect";
    }
    void hostileListAnswers() {
        QFETCH(QString, mode);
        ScriptServer server;
        QVERIFY(server.startOdd({"--mode", mode}));
        UpdateListFetcher fetcher;
        fetcher.setTimeout(5000);
        fetcher.setTotalTimeout(1500);
        QVERIFY_THROWS_EXCEPTION(UpdateListFetcher::Failure,
                                 fetcher.get(server.baseUrl() + QStringLiteral("Lintara.htm")));
        QVERIFY(!fetcher.busy());
    }

    void listOverHttps() {
        const TestCertificates::Files certs = TestCertificates::make(m_dir.path());
        QVERIFY(!certs.ca.isEmpty());
        const QString root = m_dir.filePath(QStringLiteral("tlsroot"));
        writeFile(root + QStringLiteral("/Lintara.htm"), "[a.txt]\nPaths=\n");
        NginxServer nginx;
        nginx.useTls(certs.certificate, certs.key);
        QVERIFY2(nginx.start(root), qPrintable(nginx.errorText()));
        UpdateListFetcher fetcher;
        QVERIFY_THROWS_EXCEPTION(UpdateListFetcher::Failure,
                                 fetcher.get(nginx.baseUrl() + QStringLiteral("Lintara.htm")));
        TestCertificates::trust(certs.ca);
        UpdateListFetcher trusting;
        QCOMPARE(trusting.get(nginx.baseUrl() + QStringLiteral("Lintara.htm")),
                 QByteArray("[a.txt]\nPaths=\n"));
    }

    void signatures() {
        const ReleaseSignature::KeyPair publisher = ReleaseSignature::makeKeyPair();
        const ReleaseSignature::KeyPair stranger = ReleaseSignature::makeKeyPair();
        const QByteArray list = "[Lintara]\ndatetime=2030-01-01\nPaths=\nsize=3\nsha256=00\n";
        const QByteArray sig = ReleaseSignature::sign(list, publisher.secretKey).toLatin1();
        QVERIFY(ReleaseSignature::isPublicKey(publisher.publicKey));
        QVERIFY(!ReleaseSignature::isPublicKey(QStringLiteral("not a key")));
        QVERIFY(ReleaseSignature::verify(list, sig + "\n", publisher.publicKey));
        QVERIFY(!ReleaseSignature::verify(list + " ", sig, publisher.publicKey));
        QVERIFY(!ReleaseSignature::verify(list, sig, stranger.publicKey));
        QByteArray altered = QByteArray::fromBase64(sig);
        altered[10] = char(altered[10] ^ 1);
        QVERIFY(!ReleaseSignature::verify(list, altered.toBase64(), publisher.publicKey));
        QVERIFY(!ReleaseSignature::verify(list, QByteArray(), publisher.publicKey));
        QVERIFY(!ReleaseSignature::verify(list, "!!!", publisher.publicKey));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ReleaseSignature::sign(list, publisher.publicKey));
    }

    void targets_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("program folder") << "Lintara"
                                        << "" << true;
        QTest::newRow("sub-folder") << "main.bmp"
                                    << "image/" << true;
        QTest::newRow("link inside the folder") << "main.bmp"
                                                << "pictures/" << true;
        QTest::newRow("climbs out") << "evil.sh"
                                    << "../" << false;
        QTest::newRow("climbs out later") << "evil.sh"
                                          << "image/../../" << false;
        QTest::newRow("absolute") << "evil.sh"
                                  << "/tmp/" << false;
        QTest::newRow("name with a folder") << "../evil.sh"
                                            << "" << false;
        QTest::newRow("downloads") << "x.dll"
                                   << "update/" << false;
        QTest::newRow("downloads in capitals") << "x.dll"
                                               << "Update/" << false;
        QTest::newRow("the update list") << "update.ini"
                                         << "update/" << false;
        QTest::newRow("backups") << "Lintara.bak"
                                 << "backup/" << false;
        QTest::newRow("the updater's settings") << "vexa.ini"
                                                << "" << false;
        QTest::newRow("the database settings") << "MyConnect.ini"
                                               << "./" << false;
        QTest::newRow("settings of the same name elsewhere") << "vexa.ini"
                                                             << "image/" << true;
        QTest::newRow("through a link out") << "evil.sh"
                                            << "outside/" << false;
        QTest::newRow("a link out as the file") << "linked.txt"
                                                << "" << false;
    }
    void targets() {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(bool, allowed);
        const QString app = m_dir.filePath(QStringLiteral("targets/app/"));
        QDir().mkpath(app + QStringLiteral("image"));
        QDir().mkpath(m_dir.filePath(QStringLiteral("targets/elsewhere")));
        QFile::link(m_dir.filePath(QStringLiteral("targets/elsewhere")), app + QStringLiteral("outside"));
        QFile::link(app + QStringLiteral("image"), app + QStringLiteral("pictures"));
        QFile::link(m_dir.filePath(QStringLiteral("targets/elsewhere/x.txt")),
                    app + QStringLiteral("linked.txt"));
        QCOMPARE(UpdateTarget::refusal(app, name, UpdateTarget::folderOf(folder)).isEmpty(), allowed);
    }

    // A failure halfway puts back what was already replaced and removes what was new.
    void installAllOrNothing() {
        const QString app = m_dir.filePath(QStringLiteral("allornothing/"));
        writeFile(app + QStringLiteral("a.bin"), "old a");
        writeFile(app + QStringLiteral("c.bin"), "old c");
        writeFile(app + QStringLiteral("update/a.bin"), "new a");
        writeFile(app + QStringLiteral("update/b.sh"), "#!/bin/sh\necho new\n");
        writeFile(app + QStringLiteral("update/c.bin"), "new c");
        writeFile(app + QStringLiteral("update/d.bin"), "new d");
        QDir().mkpath(app + QStringLiteral("d.bin/busy")); // a folder where the file should go
        const auto item = [&](const char* name) {
            const QString n = QLatin1String(name);
            return UpdateInstaller::Item{app + QStringLiteral("update/") + n, app + n,
                                         app + QStringLiteral("backup/") + n + QStringLiteral(".bak")};
        };
        QStringList log;
        const auto logTo = [&](const QString& line) { log << line; };
        QVERIFY(
            !UpdateInstaller::installAll({item("a.bin"), item("b.sh"), item("c.bin"), item("d.bin")}, logTo));
        QCOMPARE(readFile(app + QStringLiteral("a.bin")), QByteArray("old a"));
        QCOMPARE(readFile(app + QStringLiteral("c.bin")), QByteArray("old c"));
        QVERIFY(!QFile::exists(app + QStringLiteral("b.sh")));
        QCOMPARE(log, QStringList{QStringLiteral("无法安装文件：") + app + QStringLiteral("d.bin")});
        QVERIFY(QFile::exists(app + QStringLiteral("update/a.bin"))); // kept for another try

        QDir(app + QStringLiteral("d.bin")).removeRecursively();
        log.clear();
        QVERIFY(
            UpdateInstaller::installAll({item("a.bin"), item("b.sh"), item("c.bin"), item("d.bin")}, logTo));
        QVERIFY(log.isEmpty());
        QCOMPARE(readFile(app + QStringLiteral("a.bin")), QByteArray("new a"));
        QCOMPARE(readFile(app + QStringLiteral("d.bin")), QByteArray("new d"));
        QCOMPARE(readFile(app + QStringLiteral("backup/c.bin.bak")), QByteArray("old c"));
        QVERIFY(QFile::permissions(app + QStringLiteral("b.sh")) & QFile::ExeOwner); // a new script runs
        QVERIFY(!(QFile::permissions(app + QStringLiteral("d.bin")) & QFile::ExeOwner));
        QVERIFY(QDir(app + QStringLiteral("update")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUpdateFiles)
#include "tst_UpdateFiles.moc"

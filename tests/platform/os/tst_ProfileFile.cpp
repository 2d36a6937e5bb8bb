#include "ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestProfileFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString write(const QByteArray& content) {
        const QString path = m_dir.filePath(QStringLiteral("t.ini"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
        return path;
    }
    QByteArray read(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private slots:
    void readsWithoutRegardToCase_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("exact") << "LocalDB"
                               << "DBnames"
                               << "/srv/House.HDB";
        QTest::newRow("lower") << "localdb"
                               << "dbnames"
                               << "/srv/House.HDB";
        QTest::newRow("upper") << "LOCALDB"
                               << "DBNAMES"
                               << "/srv/House.HDB";
        QTest::newRow("blanks around value") << "DataBase"
                                             << "ServerName"
                                             << "db1";
        QTest::newRow("missing key") << "DataBase"
                                     << "UserName"
                                     << "default";
        QTest::newRow("missing section") << "Nowhere"
                                         << "x"
                                         << "default";
        QTest::newRow("empty value") << "DataBase"
                                     << "Password"
                                     << "";
        QTest::newRow("chinese") << "服务器"
                                 << "本地"
                                 << "http://127.0.0.1/";
        QTest::newRow("value with =") << "DataBase"
                                      << "DataBaseName"
                                      << "a=b";
    }
    void readsWithoutRegardToCase() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const QString path = write("\xEF\xBB\xBF; comment\r\n[LocalDB]\r\nDBnames=/srv/House.HDB\r\n"
                                   "[DataBase]\r\n  ServerName =  db1  \r\nPassword=\r\nDataBaseName=a=b\r\n"
                                   "[服务器]\n本地=http://127.0.0.1/\n");
        ProfileFile ini(path);
        QCOMPARE(ini.readString(section, key, QStringLiteral("default")), expected);
    }

    void integers_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("two") << "2" << 2;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("letters") << "abc" << 7;
        QTest::newRow("empty") << "" << 7;
        QTest::newRow("decimal") << "1.5" << 7;
    }
    void integers() {
        QFETCH(QString, value);
        QFETCH(int, expected);
        ProfileFile ini(write("[Connect]\nConnectOption=" + value.toUtf8() + "\n"));
        QCOMPARE(ini.readInteger(QStringLiteral("connect"), QStringLiteral("connectoption"), 7), expected);
    }

    void keepsKeysInFileOrder() {
        ProfileFile ini(
            write("[update]\nzeta=http://z/\nalpha=http://a/\nMid=http://m/=x\n[vexa]\nexe=Lintara\n"));
        QCOMPARE(ini.keys(QStringLiteral("UPDATE")), (QStringList{"zeta", "alpha", "Mid"}));
        QCOMPARE(ini.entries(QStringLiteral("update")).at(2).second, QStringLiteral("http://m/=x"));
        QCOMPARE(ini.sections(), (QStringList{"update", "vexa"}));
    }

    void writeKeepsUntouchedLines() {
        const QString path =
            write("; settings\n[Connect]\nConnectOption=1\n\n[LocalDB]\nDBnames=\n\n[Other]\nx=1\n");
        ProfileFile ini(path);
        ini.writeString(QStringLiteral("localdb"), QStringLiteral("DBNAMES"), QStringLiteral("/a/House.HDB"));
        QCOMPARE(read(path),
                 QByteArray("; settings\n[Connect]\nConnectOption=1\n\n[LocalDB]\nDBnames=/a/House.HDB\n\n"
                            "[Other]\nx=1\n"));
        ini.writeString(QStringLiteral("LocalDB"), QStringLiteral("Extra"), QStringLiteral("v"));
        QCOMPARE(read(path),
                 QByteArray("; settings\n[Connect]\nConnectOption=1\n\n[LocalDB]\nDBnames=/a/House.HDB\n"
                            "Extra=v\n\n[Other]\nx=1\n"));
        ini.writeString(QStringLiteral("DataBase"), QStringLiteral("UserName"), QStringLiteral("sa"));
        ProfileFile again(path);
        QCOMPARE(again.readString(QStringLiteral("database"), QStringLiteral("username")),
                 QStringLiteral("sa"));
        QCOMPARE(again.readString(QStringLiteral("LocalDB"), QStringLiteral("DBnames")),
                 QStringLiteral("/a/House.HDB"));
        QCOMPARE(again.sections(), (QStringList{"Connect", "LocalDB", "Other", "DataBase"}));
    }

    void writeCreatesMissingFileWithPermissions() {
        const QString path = m_dir.filePath(QStringLiteral("new/../fresh.ini"));
        ProfileFile ini(path);
        QVERIFY(!ini.exists());
        QCOMPARE(ini.readString(QStringLiteral("LocalDB"), QStringLiteral("DBnames"), QStringLiteral("d")),
                 QStringLiteral("d"));
        ini.setWritePermissions(QFile::ReadOwner | QFile::WriteOwner);
        QDir().mkpath(m_dir.filePath(QStringLiteral("new")));
        ini.writeString(QStringLiteral("LocalDB"), QStringLiteral("DBnames"), QStringLiteral("/x"));
        QCOMPARE(read(path), QByteArray("[LocalDB]\nDBnames=/x\n"));
        QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    }

    void writeFailureThrows() {
        ProfileFile ini(m_dir.filePath(QStringLiteral("no/such/folder/x.ini")));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ini.writeString(QStringLiteral("a"), QStringLiteral("b"),
                                                                     QStringLiteral("c")));
    }

    void garbledFileReadsAsDefaults() {
        ProfileFile ini(write(QByteArray("\x00\xff\xfe garbage ]]][[ \x01\x02", 20)));
        QCOMPARE(ini.readInteger(QStringLiteral("Connect"), QStringLiteral("ConnectOption"), 1), 1);
        QCOMPARE(ini.readString(QStringLiteral("LocalDB"), QStringLiteral("DBnames")), QString());
    }

    // What is written reads back exactly, in this object and in a fresh one; plain values stay plain
    // on their line.
    void valuesReadBackAsWritten_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << "p=w;1" << QByteArray("k=p=w;1");
        QTest::newRow("blanks at both ends") << "  x " << QByteArray("k=\"  x \"");
        QTest::newRow("quoted") << "\"x\"" << QByteArray("k=\"\"x\"\"");
        QTest::newRow("single quoted") << "'x'" << QByteArray("k=\"'x'\"");
        QTest::newRow("one quote") << "\"x" << QByteArray("k=\"x");
        QTest::newRow("empty") << "" << QByteArray("k=");
        QTest::newRow("chinese") << "房屋 中介" << QByteArray("k=房屋 中介");
    }
    void valuesReadBackAsWritten() {
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        const QString path = write("[s]\nk=old\n");
        ProfileFile ini(path);
        ini.writeString(QStringLiteral("s"), QStringLiteral("k"), value);
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k")), value);
        QCOMPARE(ProfileFile(path).readString(QStringLiteral("s"), QStringLiteral("k")), value);
        QCOMPARE(read(path), "[s]\n" + line + "\n");
    }

    // A line break would start new lines or sections; an unreadable file would be mangled.
    void refusedWrites() {
        const QString path = write("[s]\nk=old\n");
        ProfileFile ini(path);
        for (const QString& v :
             {QStringLiteral("a\n[Connect]"), QStringLiteral("a\rb"), QStringLiteral("a\tb")})
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                     ini.writeString(QStringLiteral("s"), QStringLiteral("k"), v));
        QCOMPARE(read(path), QByteArray("[s]\nk=old\n"));
        const QByteArray junk("[s]\nk=\xb7\xbf\n");
        ProfileFile garbled(write(junk));
        QVERIFY(!garbled.readable());
        QVERIFY_THROWS_EXCEPTION(
            std::runtime_error,
            garbled.writeString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QCOMPARE(read(garbled.path()), junk);
    }

    void firstDuplicateKeyWins() {
        ProfileFile ini(write("[a]\nk=1\nK=2\n"));
        QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("1"));
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_ProfileFile.moc"

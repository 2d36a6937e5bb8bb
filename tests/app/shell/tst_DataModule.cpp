#include "DbError.h"
#include "HouseDbMaker.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ProfileFile.h"
#include "ProgramEnd.h"
#include "ShellTestDb.h"
#include "TSetConfigFrm.h"
#include "TSetValue.h"
#include "TUserDM.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kFailure = QStringLiteral("连接数据库失败,请检查网络是否联通、网络驱动器映象是否正确！");

// A program folder of its own: the executable's path, MyConnect.ini and databases in it.
struct ProgramFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path(); }
    QString exe() const { return dir.filePath(QStringLiteral("Lintara")); }
    QString ini() const { return dir.filePath(QStringLiteral("MyConnect.ini")); }
    QString defaultDb() const { return dir.filePath(QStringLiteral("Data/House.HDB")); }
    void writeIni(const QByteArray& text) const {
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QString makeDb(const QString& relative,
                   const QString& key = ConnectionSettings::localFilePassword()) const {
        const QString file = dir.filePath(relative);
        QDir().mkpath(QFileInfo(file).absolutePath());
        HouseDbMaker::make(file, key);
        return file;
    }
};

// What a file holds and when it was written: a failed opening must change neither.
QByteArray fingerprint(const QString& path) {
    QFileInfo info(path);
    if (!info.exists())
        return "absent";
    if (info.isDir())
        return "dir:" +
               QByteArray::number(QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "unreadable";
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex() + ":" +
           QByteArray::number(info.lastModified().toMSecsSinceEpoch());
}

QStringList texts() {
    QStringList out;
    for (const ShownMessage& m : MessageBoxService::shown())
        out << m.text;
    return out;
}

// Drives the next settings dialog: checks its mode, optionally types a path, then OK or 退出.
void driveDialog(bool confirm, const QString& path = QString(), bool expectServer = false) {
    ModalSeam::drive([=](QWidget* w) {
        auto* form = qobject_cast<TSetConfigFrm*>(w);
        QVERIFY(form);
        QCOMPARE(form->serverMode(), expectServer);
        if (!path.isNull()) {
            form->EdtPath->clear();
            ShellTestDb::typeText(form->EdtPath, path);
        }
        QTest::mouseClick(confirm ? static_cast<QWidget*>(form->BtnOK) : form->BtnExit, Qt::LeftButton);
    });
}
} // namespace

class TestDataModule : public QObject {
    Q_OBJECT
private slots:
    void init() { ShellTestDb::resetGlobals(); }
    void cleanup() {
        UserDM = nullptr;
        ShellTestDb::resetGlobals();
    }

    void programFolderHasNoTrailingSlash() {
        QCOMPARE(TUserDM::programFolder(QStringLiteral("/opt/lintara/Lintara")),
                 QStringLiteral("/opt/lintara"));
        QCOMPARE(TUserDM::programFolder(QStringLiteral("/Lintara")), QString());
    }

    void fileModeConnectionTextAndSettings() {
        GuiTestScope scope;
        ProgramFolder p;
        p.makeDb(QStringLiteral("Data/House.HDB"));
        p.writeIni("[Connect]\nConnectOption=1\n[LocalDB]\nDBnames=" + p.defaultDb().toUtf8() + "\n");
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(dm.ADOConnection1.isOpen());
        QCOMPARE(AppGlobals.AppPath, p.path());
        QCOMPARE(AppGlobals.ConnectOption, 1);
        QCOMPARE(AppGlobals.DBPath, p.defaultDb());
        QCOMPARE(dm.connStr(),
                 "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=" + p.defaultDb() +
                     ";Mode=ReadWrite;Extended Properties=\"\";Jet OLEDB:System database=\"\";"
                     "Jet OLEDB:Registry Path=\"\";Jet OLEDB:Database Password='Kestr7081pine%^)' ;"
                     "Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;"
                     "Jet OLEDB:Global Partial Bulk Ops=2;Jet OLEDB:Global Bulk Transactions=1;"
                     "Jet OLEDB:New Database Password=\"\";Jet OLEDB:Create System Database=False;"
                     "Jet OLEDB:Encrypt Database=False;Jet OLEDB:Don't Copy Locale on Compact=False;"
                     "Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False");
        QCOMPARE(dm.connectionSettings().engine, SqlEngine::SqlCipher);
        QCOMPARE(dm.connectionSettings().filePath, p.defaultDb());
        QCOMPARE(dm.connectionSettings().key, QStringLiteral("Kestr7081pine%^)"));
        QCOMPARE(dm.connectionSettings().timeoutSeconds, 5);
        QVERIFY(MessageBoxService::shown().isEmpty());
        QVERIFY(!ProgramEnd::requested());
    }

    // Settings that lead to the default database (present) without any message.
    void settingsReadingTheDefaultPath_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("no DBnames key") << QByteArray("[Connect]\nConnectOption=1\n");
        QTest::newRow("empty DBnames") << QByteArray("[connect]\nconnectoption=1\n[LOCALDB]\nDBNAMES=\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("ConnectOption letters") << QByteArray("[Connect]\nConnectOption=abc\n");
        QTest::newRow("no Connect section") << QByteArray("[LocalDB]\n");
    }
    void settingsReadingTheDefaultPath() {
        QFETCH(QByteArray, ini);
        GuiTestScope scope;
        ProgramFolder p;
        p.makeDb(QStringLiteral("Data/House.HDB"));
        p.writeIni(ini);
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(dm.ADOConnection1.isOpen());
        QCOMPARE(AppGlobals.ConnectOption, 1);
        QCOMPARE(AppGlobals.DBPath, p.defaultDb());
        QVERIFY(MessageBoxService::shown().isEmpty());
        // Written back, and the lines that were there are still there first.
        ProfileFile written(p.ini());
        QCOMPARE(written.readString(QStringLiteral("LocalDB"), QStringLiteral("DBnames")), p.defaultDb());
        QFile f(p.ini());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray now = f.readAll();
        for (const QByteArray& line : ini.split('\n'))
            if (!line.isEmpty() && !line.startsWith("DBNAMES"))
                QVERIFY2(now.contains(line), line.constData());
        const auto perms = QFileInfo(p.ini()).permissions();
        QVERIFY(perms & QFileDevice::ReadOwner);
        QVERIFY(!(perms & (QFileDevice::ReadGroup | QFileDevice::ReadOther)));
    }

    void absentSettingsConfirmedWithAPath() {
        GuiTestScope scope;
        ProgramFolder p;
        const QString db = p.makeDb(QStringLiteral("elsewhere/Office.HDB"));
        driveDialog(true, db);
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(dm.ADOConnection1.isOpen());
        QCOMPARE(AppGlobals.DBPath, db);
        QCOMPARE(texts(), QStringList{QStringLiteral("配置成功!")});
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Information);
        ProfileFile ini(p.ini());
        QCOMPARE(ini.sections(), QStringList{QStringLiteral("LocalDB")});
        QCOMPARE(ini.keys(QStringLiteral("LocalDB")), QStringList{QStringLiteral("DBnames")});
        QCOMPARE(AppGlobals.ConnectOption, 1);
        QVERIFY(!ProgramEnd::requested());
        // Readable by its owner only: it may hold a server password.
        QCOMPARE(QFileInfo(p.ini()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
    }

    // Settings missing and the dialog left: the end is requested, yet the start-up runs on once
    // with the defaults and writes them; the program only ends at the next turn of the loop.
    void absentSettingsLeftEndsAfterTheRemainingSteps() {
        GuiTestScope scope;
        bool quit = false;
        ProgramEnd::setQuitHandler([&] { quit = true; });
        ProgramFolder p;
        p.makeDb(QStringLiteral("Data/House.HDB"));
        driveDialog(false);
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(ProgramEnd::requested());
        QVERIFY(!quit);
        QVERIFY(dm.ADOConnection1.isOpen());
        QCOMPARE(ProfileFile(p.ini()).readString(QStringLiteral("LocalDB"), QStringLiteral("DBnames")),
                 p.defaultDb());
        QVERIFY(MessageBoxService::shown().isEmpty());
        QTRY_VERIFY(quit);
    }

    void absentSettingsLeftWithoutDefaultDatabase() {
        GuiTestScope scope;
        ProgramFolder p;
        driveDialog(false);
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(ProgramEnd::requested());
        QVERIFY(!dm.ADOConnection1.isOpen());
        // Nobody is asked again while the program is ending, and no database file appears.
        QCOMPARE(ModalSeam::unattended(), 0);
        QVERIFY(MessageBoxService::shown().isEmpty());
        QVERIFY(!QFileInfo::exists(p.defaultDb()));
    }

    // Opening fails: the warning, then the dialog; left, the program carries on unconnected and
    // the named file is neither created nor changed.
    void openingFailures_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing file") << "missing";
        QTest::newRow("folder") << "folder";
        QTest::newRow("text file") << "text";
        QTest::newRow("another key") << "otherkey";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("missing default, empty settings") << "default";
    }
    void openingFailures() {
        QFETCH(QString, kind);
        GuiTestScope scope;
        ProgramFolder p;
        QString target = p.dir.filePath(QStringLiteral("Data/Target.HDB"));
        QDir().mkpath(p.dir.filePath(QStringLiteral("Data")));
        if (kind == "folder") {
            QDir().mkpath(target);
        } else if (kind == "text" || kind == "empty") {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (kind == "text")
                f.write("这不是数据库\nnot a database either\n");
        } else if (kind == "otherkey") {
            p.makeDb(QStringLiteral("Data/Target.HDB"), QStringLiteral("another-key"));
        }
        if (kind == "default") {
            target = p.defaultDb();
            p.writeIni("");
        } else {
            p.writeIni("[LocalDB]\nDBnames=" + target.toUtf8() + "\n");
        }
        const QByteArray before = fingerprint(target);
        QString pathInDialog;
        ModalSeam::drive([&](QWidget* w) {
            auto* form = qobject_cast<TSetConfigFrm*>(w);
            QVERIFY(form);
            QVERIFY(!form->serverMode());
            pathInDialog = form->EdtPath->text();
            QTest::mouseClick(form->BtnExit, Qt::LeftButton);
        });
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(!dm.ADOConnection1.isOpen());
        QVERIFY(!ProgramEnd::requested());
        QCOMPARE(pathInDialog, target);
        QCOMPARE(MessageBoxService::shown().size(), 1);
        const ShownMessage m = MessageBoxService::shown().first();
        QCOMPARE(m.caption, QStringLiteral("警告"));
        QCOMPARE(m.text, kFailure);
        QCOMPARE(m.icon, MsgIcon::NoIcon);
        QCOMPARE(m.buttons, MsgButtons::Ok);
        QCOMPARE(fingerprint(target), before);
    }

    void recoveryConfirmedOpensTheNewPath() {
        GuiTestScope scope;
        ProgramFolder p;
        const QString good = p.makeDb(QStringLiteral("good/House.HDB"));
        p.writeIni("[LocalDB]\nDBnames=" + p.dir.filePath(QStringLiteral("nowhere/House.HDB")).toUtf8() +
                   "\n");
        driveDialog(true, good);
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(dm.ADOConnection1.isOpen());
        QCOMPARE(AppGlobals.DBPath, good);
        QCOMPARE(texts(), (QStringList{kFailure, QStringLiteral("配置成功!")}));
        QVERIFY(!ProgramEnd::requested());
        QVERIFY(!QFileInfo::exists(p.dir.filePath(QStringLiteral("nowhere"))));
    }

    // One retry only: a second failure ends the program without another word.
    void recoveryConfirmedButStillFailingEnds() {
        GuiTestScope scope;
        ProgramFolder p;
        const QString bad = p.dir.filePath(QStringLiteral("nowhere/House.HDB"));
        p.writeIni("[LocalDB]\nDBnames=" + bad.toUtf8() + "\n");
        driveDialog(true, p.dir.filePath(QStringLiteral("still-nowhere.HDB")));
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(!dm.ADOConnection1.isOpen());
        QVERIFY(ProgramEnd::requested());
        QCOMPARE(texts(), (QStringList{kFailure, QStringLiteral("配置成功!")}));
        QCOMPARE(ModalSeam::pendingDrivers(), 0);
        QCOMPARE(ModalSeam::unattended(), 0);
        QVERIFY(!QFileInfo::exists(p.dir.filePath(QStringLiteral("still-nowhere.HDB"))));
    }

    // Binary junk or another code page: read as nothing, the failure shown, the file untouched.
    void garbledSettingsAreNotRewritten() {
        GuiTestScope scope;
        ProgramFolder p;
        p.makeDb(QStringLiteral("Data/House.HDB"));
        QByteArray junk("[LocalDB]\nDBnames=");
        junk += QByteArray("\xb7\xbf\xce\xdd\x00\xff\xfe\x01", 8);
        junk += "\n\x89PNG\r\n\x1a\n";
        p.writeIni(junk);
        const QByteArray before = fingerprint(p.ini());
        driveDialog(false);
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(!dm.ADOConnection1.isOpen());
        QCOMPARE(texts(), QStringList{kFailure});
        QCOMPARE(fingerprint(p.ini()), before);
        QVERIFY(!ProgramEnd::requested());
    }

    // The same file, the dialog confirmed with a path: the garbled file is kept beside as a dated
    // copy, a fresh one holds the path, and the one retry opens the database.
    void garbledSettingsConfirmedAreKeptAndReplaced() {
        GuiTestScope scope;
        ProgramFolder p;
        const QString db = p.makeDb(QStringLiteral("Data/House.HDB"));
        const QByteArray junk("[LocalDB]\nDBnames=D:\\\xb7\xbf\xce\xdd\\House.HDB\n");
        p.writeIni(junk);
        driveDialog(true, db);
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(dm.ADOConnection1.isOpen());
        QCOMPARE(AppGlobals.DBPath, db);
        const QStringList copies = QDir(p.path()).entryList({QStringLiteral("MyConnect.ini.*")}, QDir::Files);
        QCOMPARE(copies.size(), 1);
        QFile copy(p.dir.filePath(copies.first()));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), junk);
        QCOMPARE(ProfileFile(p.ini()).readString(QStringLiteral("LocalDB"), QStringLiteral("DBnames")), db);
        QCOMPARE(texts().first(), kFailure);
        QCOMPARE(texts().last(), QStringLiteral("配置成功!"));
    }

    void serverKeys_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<int>("engine");
        QTest::addColumn<QString>("connStr");
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("port");
        QTest::newRow("every key absent") << QByteArray() << int(SqlEngine::SqlServer)
                                          << "Provider=SQLOLEDB.1;Password=;Persist Security Info=True;User "
                                             "ID=sa;Initial Catalog=;Data Source="
                                          << "sa" << 0;
        QTest::newRow("UserName absent")
            << QByteArray("ServerName=127.0.0.1\nDataBaseName=house\nPassword=p;w\n")
            << int(SqlEngine::SqlServer)
            << "Provider=SQLOLEDB.1;Password=p;w;Persist Security Info=True;User ID=sa;Initial Catalog=house;"
               "Data Source=127.0.0.1"
            << "sa" << 0;
        QTest::newRow("Driver PostgreSQL, port")
            << QByteArray("ServerName=127.0.0.1\nDataBaseName=house\nUserName=agent\nPassword=x\n"
                          "Driver=PostgreSQL\nPort=1\n")
            << int(SqlEngine::PostgreSql)
            << "Provider=SQLOLEDB.1;Password=x;Persist Security Info=True;User ID=agent;Initial "
               "Catalog=house;"
               "Data Source=127.0.0.1"
            << "agent" << 1;
        QTest::newRow("driver in other case")
            << QByteArray("driver=postgresql\nusername=u\nPORT=1\n") << int(SqlEngine::PostgreSql)
            << "Provider=SQLOLEDB.1;Password=;Persist Security Info=True;User ID=u;Initial Catalog=;Data "
               "Source="
            << "u" << 1;
        QTest::newRow("Driver SQLServer")
            << QByteArray("Driver=SQLServer\nServerName=127.0.0.1\nPort=1\n") << int(SqlEngine::SqlServer)
            << "Provider=SQLOLEDB.1;Password=;Persist Security Info=True;User ID=sa;Initial Catalog=;"
               "Data Source=127.0.0.1"
            << "sa" << 1;
    }
    // Servers that do not answer: the connection text and settings as read, then the recovery
    // with the dialog in server mode (left here).
    void serverKeys() {
        QFETCH(QByteArray, section);
        QFETCH(int, engine);
        QFETCH(QString, connStr);
        QFETCH(QString, user);
        QFETCH(int, port);
        GuiTestScope scope;
        ProgramFolder p;
        p.writeIni("[Connect]\nConnectOption=2\n[DataBase]\n" + section);
        const QByteArray before = fingerprint(p.ini());
        QString userInDialog;
        bool pathGroupHidden = false;
        ModalSeam::drive([&](QWidget* w) {
            auto* form = qobject_cast<TSetConfigFrm*>(w);
            QVERIFY(form && form->serverMode());
            userInDialog = form->EdtUserName->text();
            pathGroupHidden = !form->GroupBox1->isVisible() && form->GroupBox2->isVisible();
            QTest::mouseClick(form->BtnExit, Qt::LeftButton);
        });
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QCOMPARE(AppGlobals.ConnectOption, 2);
        QCOMPARE(dm.connStr(), connStr);
        QCOMPARE(int(dm.connectionSettings().engine), engine);
        QCOMPARE(dm.connectionSettings().user, user);
        QCOMPARE(dm.connectionSettings().port, port);
        QCOMPARE(dm.connectionSettings().timeoutSeconds, 5);
        QVERIFY(!dm.ADOConnection1.isOpen());
        QCOMPARE(texts(), QStringList{kFailure});
        QCOMPARE(userInDialog, user);
        QVERIFY(pathGroupHidden);
        QVERIFY(AppGlobals.DBPath.isEmpty());
        QCOMPARE(fingerprint(p.ini()), before);
    }

    void unknownDriverIsAFailedOpening() {
        GuiTestScope scope;
        ProgramFolder p;
        p.writeIni("[Connect]\nConnectOption=2\n[DataBase]\nDriver=Oracle\n");
        driveDialog(false, QString(), true);
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(!dm.ADOConnection1.isOpen());
        QCOMPARE(texts(), QStringList{kFailure});
    }

    void postgresServerOpens() {
        if (!TestSupport::pgAvailable())
            QSKIP("the PostgreSQL test server is not running");
        GuiTestScope scope;
        // A server database holds the program's tables (the opening brings their schema up to date).
        ScratchDatabase scratch(QStringLiteral("postgresql"));
        const QString db = scratch.settings().database;
        ProgramFolder p;
        p.writeIni(QStringLiteral("[Connect]\nConnectOption=2\n[DataBase]\nDriver=PostgreSQL\nServerName=%1\n"
                                  "Port=%2\nDataBaseName=%3\nUserName=%4\n")
                       .arg(TestSupport::pgHost())
                       .arg(TestSupport::pgPort())
                       .arg(db, TestSupport::pgUser())
                       .toUtf8());
        TUserDM dm(p.exe());
        dm.DataModuleCreate();
        QVERIFY(dm.ADOConnection1.isOpen());
        QCOMPARE(dm.connectionSettings().database, db);
        QVERIFY(MessageBoxService::shown().isEmpty());
    }
};

QTEST_MAIN(TestDataModule)
#include "tst_DataModule.moc"

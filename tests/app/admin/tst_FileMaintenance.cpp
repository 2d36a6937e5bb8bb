#include "AdminTestData.h"
#include "BackupNames.h"
#include "DatabaseConnection.h"
#include "DatabaseInUseError.h"
#include "FileMaintenance.h"
#include "HouseDbMaker.h"
#include "ScratchDatabase.h"
#include "SqlCipherFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace AdminTestData;

namespace {

const QString kKey = ConnectionSettings::localFilePassword();

// Another workstation with the database open, in a process of its own, until destroyed.
class OtherWorkstation {
public:
    OtherWorkstation(const QString& db, const QString& mode) {
        m_stop = m_dir.filePath(QStringLiteral("stop"));
        m_process.start(QStringLiteral(HOUSE_HOLDER), {db, mode, m_stop});
        m_ready = m_process.waitForReadyRead(20000) && m_process.readLine().trimmed() == "ready";
    }
    ~OtherWorkstation() { stop(); }
    bool ready() const { return m_ready; }
    void stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        QFile(m_stop).open(QIODevice::WriteOnly);
        if (!m_process.waitForFinished(20000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }

private:
    QTemporaryDir m_dir;
    QString m_stop;
    QProcess m_process;
    bool m_ready = false;
};

// A folder on a tiny file system of its own (tmpfs), mounted for one test.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes) {
        m_mounted = QProcess::execute(QStringLiteral("mount"),
                                      {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                       QStringLiteral("size=%1k").arg(kilobytes),
                                       QStringLiteral("lintara-test"), m_dir.path()}) == 0;
    }
    ~SmallDisk() {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_dir.path()});
    }
    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    // Fills the disk up to leave about kilobytes free.
    void leaveFree(int kilobytes) {
        QFile filler(m_dir.filePath(QStringLiteral("filler")));
        filler.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
            QStorageInfo info(m_dir.path());
            if (info.bytesAvailable() <= qint64(kilobytes) * 1024)
                break;
        }
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace

class TestFileMaintenance : public QObject {
    Q_OBJECT

    // A House.HDB in a folder of its own with the program's connection open on it.
    struct Db {
        explicit Db(const QString& folder = QString(), const QString& name = QStringLiteral("ADOConnection1"))
            : connection(name) {
            if (!folder.isEmpty())
                QDir().mkpath(folder);
            settings.engine = SqlEngine::SqlCipher;
            settings.key = kKey;
            settings.filePath = (folder.isEmpty() ? dir.path() : folder) + QStringLiteral("/House.HDB");
            HouseDbMaker::make(settings.filePath, kKey);
            connection.open(settings);
        }
        QString folder() const { return QFileInfo(settings.filePath).absolutePath(); }
        QTemporaryDir dir;
        ConnectionSettings settings;
        DatabaseConnection connection;
    };

    // The backup file of a database holding rows lease listings.
    static QString backupWith(const QString& folder, int rows) {
        Db other(folder + QStringLiteral("/source"), QStringLiteral("source"));
        insertLeases(other.connection, rows, 1000);
        const QString target = folder + QStringLiteral("/source.bak");
        FileMaintenance(other.connection).backup(target, {});
        return target;
    }

    static void checkOpen(DatabaseConnection& connection) {
        QVERIFY(connection.isOpen());
        QVERIFY(count(connection, QStringLiteral("S_收件单号")) == 3);
    }

private slots:
    void initTestCase() { QVERIFY(QFileInfo::exists(QStringLiteral(HOUSE_HOLDER))); }

    void backupNames_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "/srv/data/backup2612"
                               << "/srv/data/backup2612.bak";
        QTest::newRow("blanks trimmed") << "  /srv/data/月底备份  "
                                        << "/srv/data/月底备份.bak";
        QTest::newRow("chosen .bak keeps its stem") << "/srv/data/a.bak"
                                                    << "/srv/data/a.bak";
        QTest::newRow("cut at the first dot") << "/srv/data/a.tar.gz"
                                              << "/srv/data/a.bak";
        QTest::newRow("dotted folder cut there") << "/srv/da.ta/backup"
                                                 << "/srv/da.bak";
        QTest::newRow("bare name") << "backup"
                                   << "backup.bak";
        QTest::newRow("empty") << ""
                               << ".bak";
    }
    void backupNames() {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QCOMPARE(BackupNames::backupFileName(typed), name);
    }

    void defaultNameAndPaths() {
        QCOMPARE(BackupNames::defaultName(QDate(2026, 3, 5)), QDir::homePath() + "/data/backup2603");
        QCOMPARE(BackupNames::defaultName(QDate(2009, 12, 31)), QDir::homePath() + "/data/backup0912");
        QCOMPARE(BackupNames::scratchFile("/srv/agency/Data/House.HDB"), QString("/srv/agency/Data/New.HDB"));
        QCOMPARE(BackupNames::datedCopy("/srv/Data/House.HDB", QDateTime(QDate(2026, 12, 1), QTime(9, 5, 7))),
                 QString("/srv/Data/House-20261201-090507.HDB"));
        QVERIFY(BackupNames::isNetworkPath("//server/share/House.HDB"));
        QVERIFY(BackupNames::isNetworkPath("\\\\server\\share\\House.HDB"));
        QVERIFY(!BackupNames::isNetworkPath("/srv/Data/House.HDB"));
    }

    // The copy is one consistent snapshot although another workstation keeps saving meanwhile.
    void backupWhileAnotherProcessWrites() {
        Db db;
        insertLeases(db.connection, 3000);
        OtherWorkstation writer(db.settings.filePath, QStringLiteral("write"));
        QVERIFY(writer.ready());
        const QString target = db.dir.filePath(QStringLiteral("while.bak"));
        FileMaintenance(db.connection).backup(target, {});
        writer.stop();
        DatabaseMaintenance::checkBackupFile(target);
        SqlCipherFile copy(target, kKey, SqlCipherFile::Mode::ReadOnly);
        const qint64 rows = copy.value(QStringLiteral("SELECT count(*) FROM H_出租表")).toLongLong();
        QVERIFY(rows >= 3005);
        QVERIFY(rows <= count(db.connection, QStringLiteral("H_出租表")));
        checkOpen(db.connection);
    }

    void backupReplacesItsNamesakeAndReports() {
        Db db;
        const QString target = db.dir.filePath(QStringLiteral("backup2612.bak"));
        FileMaintenance maintenance(db.connection);
        maintenance.backup(target, {});
        insertLeases(db.connection, 500);
        qint64 lastDone = -1, lastTotal = -1;
        maintenance.backup(target, [&](qint64 done, qint64 total) {
            QVERIFY(done <= total);
            lastDone = done;
            lastTotal = total;
        });
        QCOMPARE(lastDone, lastTotal);
        QCOMPARE(lastTotal, QFileInfo(target).size());
        SqlCipherFile copy(target, kKey, SqlCipherFile::Mode::ReadOnly);
        QCOMPARE(copy.value(QStringLiteral("SELECT count(*) FROM H_出租表")).toLongLong(), qint64(500));
        QCOMPARE(folderEntries(db.dir.path()), QStringList({"House.HDB", "backup2612.bak"}));
    }

    void backupFailures_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("folder missing") << "missing/backup.bak";
        QTest::newRow("name taken by a folder") << "taken.bak";
    }
    void backupFailures() {
        QFETCH(QString, target);
        Db db;
        QDir(db.dir.path()).mkdir(QStringLiteral("taken.bak"));
        const QStringList before = folderEntries(db.dir.path());
        QVERIFY_THROWS_EXCEPTION(DbError, FileMaintenance(db.connection).backup(db.dir.filePath(target), {}));
        QCOMPARE(folderEntries(db.dir.path()), before);
        checkOpen(db.connection);
    }

    void restoreRefusesBadFiles_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"not a database", "another key", "empty file", "folder", "missing tables",
                                 "damaged", "missing file"})
            QTest::newRow(kind) << kind;
    }
    void restoreRefusesBadFiles() {
        QFETCH(QString, kind);
        Db db;
        insertLeases(db.connection, 50);
        QTemporaryDir files;
        QString bad = files.filePath(QStringLiteral("bad.bak"));
        if (kind == "not a database") {
            QFile f(bad);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("这不是数据库, just text\n").repeated(200));
        } else if (kind == "another key") {
            HouseDbMaker::make(bad, QStringLiteral("another key"));
        } else if (kind == "empty file") {
            QFile f(bad);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (kind == "folder") {
            QDir(files.path()).mkdir(QStringLiteral("bad.bak"));
        } else if (kind == "missing tables") {
            SqlCipherFile f(bad, kKey, SqlCipherFile::Mode::Create);
            f.exec(QStringLiteral("CREATE TABLE H_出租表 (ID INTEGER PRIMARY KEY)"));
        } else if (kind == "damaged") {
            bad = backupWith(files.path(), 2000);
            QFile f(bad);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(f.size() / 2);
            f.write(QByteArray(8192, '\x5a'));
        } else {
            bad = files.filePath(QStringLiteral("nowhere.bak"));
        }
        const QByteArray dbBefore = fileBytes(db.settings.filePath);
        const QStringList folderBefore = folderEntries(db.folder());
        try {
            FileMaintenance(db.connection).restore(bad, {});
            QFAIL("restore accepted a bad file");
        } catch (const DatabaseInUseError&) {
            QFAIL("refused for the wrong reason");
        } catch (const DbError&) {
        }
        QCOMPARE(fileBytes(db.settings.filePath), dbBefore);
        QCOMPARE(folderEntries(db.folder()), folderBefore);
        checkOpen(db.connection);
        QCOMPARE(count(db.connection, QStringLiteral("H_出租表")), qint64(50));
    }

    void restoreBringsBackRowsAndKeepsACopy() {
        Db db;
        insertLeases(db.connection, 300);
        const QStringList backedUp = dump(db.connection);
        const QString target = db.dir.filePath(QStringLiteral("month.bak"));
        FileMaintenance maintenance(db.connection);
        maintenance.backup(target, {});
        exec(db.connection, QStringLiteral("DELETE FROM H_出租表 WHERE ID > 100"));
        exec(db.connection, QStringLiteral("UPDATE S_收件单号 SET BillNo = 77 WHERE Billtype = 'A'"));
        const QStringList mistaken = dump(db.connection);

        maintenance.restore(target, {});
        checkOpen(db.connection);
        QCOMPARE(dump(db.connection), backedUp);
        QVERIFY(QFileInfo(maintenance.keptCopy()).absolutePath() == db.folder());
        QVERIFY(maintenance.keptCopy() != db.settings.filePath);
        {
            DatabaseConnection kept(QStringLiteral("kept"));
            ConnectionSettings s = db.settings;
            s.filePath = maintenance.keptCopy();
            kept.open(s);
            QCOMPARE(dump(kept), mistaken);
        }
        // The next new row continues the keys of the restored database.
        insertLeases(db.connection, 1, 5000);
        QCOMPARE(number(db.connection, QStringLiteral("SELECT max(ID) FROM H_出租表")), qint64(301));
        QCOMPARE(folderEntries(db.folder()),
                 QStringList({QFileInfo(maintenance.keptCopy()).fileName(), "House.HDB", "month.bak"}));
    }

    void inUseRefusals_data() {
        QTest::addColumn<bool>("restore");
        QTest::newRow("restore") << true;
        QTest::newRow("compaction") << false;
    }
    void inUseRefusals() {
        QFETCH(bool, restore);
        Db db;
        insertLeases(db.connection, 40);
        const QString backup = db.dir.filePath(QStringLiteral("b.bak"));
        FileMaintenance maintenance(db.connection);
        maintenance.backup(backup, {});
        auto run = [&] {
            if (restore)
                maintenance.restore(backup, {});
            else
                maintenance.compact({});
        };
        const QByteArray before = fileBytes(db.settings.filePath);
        {
            OtherWorkstation other(db.settings.filePath, QStringLiteral("hold"));
            QVERIFY(other.ready());
            QVERIFY_THROWS_EXCEPTION(DatabaseInUseError, run());
            QCOMPARE(fileBytes(db.settings.filePath), before);
            checkOpen(db.connection);
        }
        run();
        checkOpen(db.connection);
    }

    void compactionShrinksAndKeepsEveryRow() {
        Db db;
        insertLeases(db.connection, 4000);
        exec(db.connection, QStringLiteral("DELETE FROM H_出租表 WHERE ID % 5 <> 0"));
        exec(db.connection, QStringLiteral("PRAGMA user_version = 3"));
        const QStringList rows = dump(db.connection);
        const qint64 sizeBefore = QFileInfo(db.settings.filePath).size();
        qint64 reported = 0;
        FileMaintenance(db.connection).compact([&](qint64 done, qint64) { reported = done; });
        checkOpen(db.connection);
        const qint64 sizeAfter = QFileInfo(db.settings.filePath).size();
        QVERIFY2(sizeAfter < sizeBefore / 2,
                 qPrintable(QStringLiteral("%1 -> %2").arg(sizeBefore).arg(sizeAfter)));
        QVERIFY(reported > 0);
        QCOMPARE(dump(db.connection), rows);
        QCOMPARE(number(db.connection, QStringLiteral("PRAGMA user_version")), qint64(3));
        insertLeases(db.connection, 1, 9000);
        QCOMPARE(number(db.connection, QStringLiteral("SELECT max(ID) FROM H_出租表")), qint64(4001));
        QCOMPARE(folderEntries(db.folder()), QStringList({"House.HDB"}));
    }

    void staleScratchFileIsRemovedFirst() {
        Db db;
        insertLeases(db.connection, 20);
        for (const QString& name : {QStringLiteral("New.HDB"), QStringLiteral("New.HDB-journal")}) {
            QFile f(db.dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("left over from a run that was cut short");
        }
        FileMaintenance(db.connection).compact({});
        checkOpen(db.connection);
        QCOMPARE(count(db.connection, QStringLiteral("H_出租表")), qint64(20));
        QCOMPARE(folderEntries(db.folder()), QStringList({"House.HDB"}));
    }

    void damagedDatabaseIsNotCompacted() {
        QTemporaryDir dir;
        QString path;
        {
            Db db(dir.path());
            insertLeases(db.connection, 2000);
            path = db.settings.filePath;
        }
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(f.size() / 2);
            f.write(QByteArray(4096, '\x33'));
        }
        const QByteArray before = fileBytes(path);
        DatabaseConnection connection(QStringLiteral("ADOConnection1"));
        ConnectionSettings s;
        s.filePath = path;
        s.key = kKey;
        connection.open(s);
        QVERIFY_THROWS_EXCEPTION(DbError, FileMaintenance(connection).compact({}));
        QVERIFY(connection.isOpen());
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(folderEntries(dir.path()), QStringList({"House.HDB"}));
    }

    void fullDisk_data() {
        QTest::addColumn<QString>("operation");
        QTest::newRow("backup onto the full disk") << "backup";
        QTest::newRow("restore with the database on the full disk") << "restore";
        QTest::newRow("compaction with the database on the full disk") << "compact";
    }
    void fullDisk() {
        QFETCH(QString, operation);
        SmallDisk disk(4096);
        if (!disk.mounted())
            QSKIP("a small tmpfs cannot be mounted here (needs root and mount rights)");
        QTemporaryDir elsewhere;
        const bool dbOnDisk = operation != "backup";
        Db db(dbOnDisk ? disk.path() : elsewhere.path());
        insertLeases(db.connection, operation == "restore" ? 50 : 1500);
        const QString big = backupWith(elsewhere.path(), 4000);
        disk.leaveFree(operation == "compact" ? 64 : 128);
        const QStringList diskBefore = folderEntries(disk.path());
        const QByteArray dbBefore = fileBytes(db.settings.filePath);
        FileMaintenance maintenance(db.connection);
        if (operation == "backup")
            QVERIFY_THROWS_EXCEPTION(DbError,
                                     maintenance.backup(disk.path() + QStringLiteral("/full.bak"), {}));
        else if (operation == "restore")
            QVERIFY_THROWS_EXCEPTION(DbError, maintenance.restore(big, {}));
        else
            QVERIFY_THROWS_EXCEPTION(DbError, maintenance.compact({}));
        QCOMPARE(folderEntries(disk.path()), diskBefore);
        QCOMPARE(fileBytes(db.settings.filePath), dbBefore);
        checkOpen(db.connection);
    }
};

QTEST_GUILESS_MAIN(TestFileMaintenance)
#include "tst_FileMaintenance.moc"

#include "AdminTestData.h"
#include "BillNumbers.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "FileMaintenance.h"
#include "FreeQuery.h"
#include "ScratchDatabase.h"
#include "ServerMaintenance.h"
#include "SqlCipherFile.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace AdminTestData;

namespace {

qint64 maxId(DatabaseConnection& connection, const QString& table) {
    return number(connection, QStringLiteral("SELECT max(ID) FROM %1").arg(table));
}

QString nextBill(DatabaseConnection& connection, const QString& type) {
    FreeQuery q(connection);
    return NextBillNo(connection, q, type);
}

} // namespace

class TestServerMaintenance : public QObject {
    Q_OBJECT

    // A database of one engine with the program's connection open on it.
    struct Db {
        explicit Db(const QString& engine, const QString& name = QStringLiteral("ADOConnection1"))
            : scratch(engine), connection(name) {
            connection.open(scratch.settings());
        }
        ScratchDatabase scratch;
        DatabaseConnection connection;
    };

private slots:
    void initTestCase() {
        if (!TestSupport::pgAvailable())
            QSKIP("the PostgreSQL test server is not running");
    }

    void backupDeleteRestore() {
        Db db(QStringLiteral("postgresql"));
        insertLeases(db.connection, 700);
        exec(db.connection, QStringLiteral("INSERT INTO S_用户表 (用户代码, 用户口令, 用户姓名, 类型) "
                                           "VALUES ('zl', 'x', '张丽', '管理员')"));
        // Keys handed out and then deleted are never handed out again.
        exec(db.connection, QStringLiteral("DELETE FROM H_出租表 WHERE ID > 690"));
        nextBill(db.connection, QStringLiteral("A"));
        nextBill(db.connection, QStringLiteral("E"));
        const QStringList backedUp = dump(db.connection);

        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("server.bak"));
        ServerMaintenance maintenance(db.connection);
        qint64 lastDone = 0, lastTotal = 0;
        maintenance.backup(target, [&](qint64 done, qint64 total) {
            lastDone = done;
            lastTotal = total;
        });
        QCOMPARE(lastDone, lastTotal);
        QVERIFY(lastTotal > 690);
        DatabaseMaintenance::checkBackupFile(target);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"server.bak"}));
        {
            SqlCipherFile file(target, DatabaseMaintenance::backupKey(), SqlCipherFile::Mode::ReadOnly);
            QCOMPARE(file.value(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'H_出租表'"))
                         .toLongLong(),
                     qint64(700));
        }

        exec(db.connection, QStringLiteral("DELETE FROM H_出租表 WHERE ID % 2 = 0"));
        exec(db.connection, QStringLiteral("DELETE FROM S_用户表"));
        exec(db.connection, QStringLiteral("UPDATE S_收件单号 SET BillNo = 5000"));
        maintenance.restore(target, {});
        QCOMPARE(dump(db.connection), backedUp);
        insertLeases(db.connection, 1, 9000);
        QCOMPARE(maxId(db.connection, QStringLiteral("H_出租表")), qint64(701));
        QCOMPARE(nextBill(db.connection, QStringLiteral("A")), QStringLiteral("00000002"));
        maintenance.compact({});
    }

    // An agency moving to a server restores its local House.HDB there.
    void localFileIntoANewServerDatabase() {
        Db local(QStringLiteral("sqlcipher"), QStringLiteral("local"));
        insertLeases(local.connection, 500);
        exec(local.connection, QStringLiteral("INSERT INTO S_用户表 (用户代码, 用户口令, 用户姓名, 类型) "
                                              "VALUES ('wq', 'y', '王强', '操作员')"));
        exec(local.connection, QStringLiteral("UPDATE S_收件单号 SET BillNo = 41 WHERE Billtype = 'A'"));
        exec(local.connection, QStringLiteral("UPDATE S_收件单号 SET BillNo = 7 WHERE Billtype = 'E'"));
        exec(local.connection, QStringLiteral("DELETE FROM H_出租表 WHERE ID > 480"));
        const QStringList rows = dump(local.connection);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("House.bak"));
        FileMaintenance(local.connection).backup(file, {});

        Db server(QStringLiteral("postgresql"));
        ServerMaintenance(server.connection).restore(file, {});
        QCOMPARE(dump(server.connection), rows);
        QCOMPARE(nextBill(server.connection, QStringLiteral("A")), QStringLiteral("00000041"));
        QCOMPARE(nextBill(server.connection, QStringLiteral("E")), QStringLiteral("00000007"));
        insertLeases(server.connection, 1, 9000);
        QCOMPARE(maxId(server.connection, QStringLiteral("H_出租表")), qint64(501));
        exec(server.connection, QStringLiteral("INSERT INTO S_用户表 (用户代码) VALUES ('new')"));
        QCOMPARE(number(server.connection, QStringLiteral("SELECT max(编号) FROM S_用户表")), qint64(2));
    }

    // A row the server refuses halfway through: nothing of the restore stays.
    void restoreIsAllOrNothing() {
        Db server(QStringLiteral("postgresql"));
        insertLeases(server.connection, 30);
        const QStringList before = dump(server.connection);

        Db local(QStringLiteral("sqlcipher"), QStringLiteral("local"));
        insertLeases(local.connection, 200);
        // Fits the file's integer column, not the server's.
        exec(local.connection,
             QStringLiteral("UPDATE S_收件单号 SET BillNo = 9000000000 WHERE Billtype = 'E'"));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("odd.bak"));
        FileMaintenance(local.connection).backup(file, {});

        QVERIFY_THROWS_EXCEPTION(DbError, ServerMaintenance(server.connection).restore(file, {}));
        QVERIFY(server.connection.isOpen());
        QVERIFY(!server.connection.inTransaction());
        QCOMPARE(dump(server.connection), before);
    }

    void badFileChangesNothing() {
        Db server(QStringLiteral("postgresql"));
        insertLeases(server.connection, 10);
        const QStringList before = dump(server.connection);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("text.bak"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a backup");
        }
        QVERIFY_THROWS_EXCEPTION(DbError, ServerMaintenance(server.connection).restore(file, {}));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 ServerMaintenance(server.connection).backup(dir.filePath("none/x.bak"), {}));
        QCOMPARE(dump(server.connection), before);
        QVERIFY(!server.connection.inTransaction());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"text.bak"}));
    }
};

QTEST_GUILESS_MAIN(TestServerMaintenance)
#include "tst_ServerMaintenance.moc"

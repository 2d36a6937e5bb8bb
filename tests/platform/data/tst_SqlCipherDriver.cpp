#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"
#include "HouseDbMaker.h"
#include "SqlCipherDriver.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

ConnectionSettings fileSettings(const QString& path,
                                const QString& key = ConnectionSettings::localFilePassword()) {
    ConnectionSettings s;
    s.engine = SqlEngine::SqlCipher;
    s.filePath = path;
    s.key = key;
    return s;
}

// Every file of a folder with its content hash, to see that a failed opening left all as it was.
QMap<QString, QByteArray> snapshot(const QString& dir) {
    QMap<QString, QByteArray> result;
    const QFileInfoList entries =
        QDir(dir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : entries) {
        QByteArray hash = "dir";
        if (info.isFile()) {
            QFile f(info.absoluteFilePath());
            if (f.open(QIODevice::ReadOnly))
                hash = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        }
        result.insert(info.fileName(), hash);
    }
    return result;
}

QString helper() {
    return TestSupport::binaryDir() + QStringLiteral("/bin/lintara_lockholder");
}

} // namespace

class TestSqlCipherDriver : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_db;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_db = m_dir.filePath(QStringLiteral("House.HDB"));
        HouseDbMaker::make(m_db, ConnectionSettings::localFilePassword());
    }

    void failedOpeningsTouchNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // "<dir>" makes a folder, "<none>" nothing
        QTest::addColumn<QString>("key");
        const QString key = ConnectionSettings::localFilePassword();
        QTest::newRow("missing file") << "missing.HDB" << QByteArray("<none>") << key;
        QTest::newRow("folder") << "folder.HDB" << QByteArray("<dir>") << key;
        QTest::newRow("text file") << "text.HDB"
                                   << QByteArray("这不是数据库\nnot a database at all\n").repeated(60) << key;
        QTest::newRow("empty file") << "empty.HDB" << QByteArray() << key;
        QTest::newRow("other key") << "<copy>" << QByteArray() << QStringLiteral("Kestr7081pine%^(");
        QTest::newRow("no key") << "<copy>" << QByteArray() << QString();
        QTest::newRow("key with quote")
            << "<copy>" << QByteArray() << QStringLiteral("x'); drop table S_字典; --");
    }
    void failedOpeningsTouchNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        QTemporaryDir dir;
        QString path;
        if (name == QLatin1String("<copy>")) {
            path = dir.filePath(QStringLiteral("House.HDB"));
            QVERIFY(QFile::copy(m_db, path));
        } else {
            path = dir.filePath(name);
            if (content == "<dir>") {
                QVERIFY(QDir(dir.path()).mkdir(name));
            } else if (content != "<none>") {
                QFile f(path);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(content);
            }
        }
        const auto before = snapshot(dir.path());
        DatabaseConnection connection(QStringLiteral("failing"));
        try {
            connection.open(fileSettings(path, key));
            QFAIL("the opening should have failed");
        } catch (const DbError& e) {
            QVERIFY(!e.message().isEmpty());
        }
        QVERIFY(!connection.isOpen());
        QCOMPARE(snapshot(dir.path()), before);
    }

    void opensAndReadsTheSeeds() {
        DatabaseConnection connection;
        connection.open(fileSettings(m_db));
        QVERIFY(connection.isOpen());
        QCOMPARE(connection.database().driverName(), SqlCipherDriver::driverName());
        FreeQuery q(connection);
        q.setSql(QStringLiteral("PRAGMA journal_mode"));
        q.open();
        QCOMPARE(q.value(0).toString(), QStringLiteral("delete"));
        // Opening twice closes the first connection and opens again.
        connection.open(fileSettings(m_db));
        q.setSql(QStringLiteral("Select BillNo from S_收件单号 where Billtype=:Billtype"));
        q.setParam(QStringLiteral("billtype"), QStringLiteral("A"));
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.value(QStringLiteral("billno")).toInt(), 1);
    }

    void fieldKindsFollowTheDeclaredTypes_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("length");
        QTest::newRow("text") << "收件号" << int(QMetaType::QString) << 10;
        QTest::newRow("state") << "状态位" << int(QMetaType::QString) << 6;
        QTest::newRow("integer") << "楼层" << int(QMetaType::Int) << -1;
        QTest::newRow("key") << "ID" << int(QMetaType::Int) << -1;
        QTest::newRow("money") << "租金" << int(QMetaType::Double) << 19;
        QTest::newRow("date") << "编辑日期" << int(QMetaType::QDate) << -1;
        QTest::newRow("yes/no") << "跟踪报警标志" << int(QMetaType::Bool) << -1;
    }
    void fieldKindsFollowTheDeclaredTypes() {
        QFETCH(QString, column);
        QFETCH(int, type);
        QFETCH(int, length);
        DatabaseConnection connection;
        connection.open(fileSettings(m_db));
        QSqlQuery query(connection.database());
        QVERIFY(query.exec(QStringLiteral("Select * from H_出租表 ")));
        const QSqlField field = query.record().field(column);
        QCOMPARE(field.metaType().id(), type);
        QCOMPARE(field.length(), length);
        const QSqlField tableField = connection.database().record(QStringLiteral("H_出租表")).field(column);
        QCOMPARE(tableField.metaType().id(), type);
        QCOMPARE(tableField.length(), length);
        QCOMPARE(tableField.isAutoValue(), column == QLatin1String("ID"));
        QCOMPARE(query.record().count(), 36);
    }

    void valuesComeBackAsTheyWent() {
        DatabaseConnection connection;
        connection.open(fileSettings(m_db));
        QSqlQuery insert(connection.database());
        QVERIFY(insert.prepare(
            QStringLiteral("Insert into H_出租表 (房屋地址, 楼层, 租金, 编辑日期, 跟踪报警标志, "
                           "状态位, 联系人) values (?, ?, ?, ?, ?, ?, ?)")));
        insert.addBindValue(QStringLiteral("文三路 168 号 3 幢"));
        insert.addBindValue(12);
        insert.addBindValue(1850.5);
        insert.addBindValue(QDate(2024, 2, 29));
        insert.addBindValue(true);
        insert.addBindValue(QStringLiteral("未出租"));
        insert.addBindValue(QString()); // empty text, not null
        QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        const qlonglong id = insert.lastInsertId().toLongLong();
        QVERIFY(id > 0);

        QSqlQuery read(connection.database());
        QVERIFY(read.prepare(QStringLiteral("Select * from H_出租表 where ID=:id")));
        read.bindValue(QStringLiteral(":id"), id);
        QVERIFY(read.exec());
        QVERIFY(read.next());
        QCOMPARE(read.value(QStringLiteral("房屋地址")).toString(), QStringLiteral("文三路 168 号 3 幢"));
        QCOMPARE(read.value(QStringLiteral("楼层")), QVariant(12));
        QCOMPARE(read.value(QStringLiteral("租金")).toDouble(), 1850.5);
        QCOMPARE(read.value(QStringLiteral("编辑日期")), QVariant(QDate(2024, 2, 29)));
        QCOMPARE(read.value(QStringLiteral("跟踪报警标志")), QVariant(true));
        QVERIFY(!read.isNull(QStringLiteral("联系人")));
        QCOMPARE(read.value(QStringLiteral("联系人")).toString(), QString());
        QVERIFY(read.isNull(QStringLiteral("竣工日期")));
        QCOMPARE(read.value(QStringLiteral("竣工日期")).metaType().id(), int(QMetaType::QDate));
        QVERIFY(!read.next());

        // The date texts compare as dates: a range ending today finds a row registered today.
        QSqlQuery range(connection.database());
        QVERIFY(
            range.prepare(QStringLiteral("Select count(*) from H_出租表 where 编辑日期 between ? and ?")));
        range.addBindValue(QStringLiteral("2024-02-20"));
        range.addBindValue(QStringLiteral("2024-02-29"));
        QVERIFY(range.exec() && range.next());
        QCOMPARE(range.value(0).toInt(), 1);
        QVERIFY(QSqlQuery(connection.database()).exec(QStringLiteral("Delete from H_出租表")));
    }

    void readsForwardAndScrolling() {
        DatabaseConnection connection;
        connection.open(fileSettings(m_db));
        const QString sql = QStringLiteral("Select Value from S_字典 where TypeName='区域' order by rowid");
        QSqlQuery forward(connection.database());
        forward.setForwardOnly(true);
        QVERIFY(forward.exec(sql));
        QStringList values;
        while (forward.next())
            values.append(forward.value(0).toString());
        QCOMPARE(values.size(), 8);

        QSqlQuery scroll(connection.database());
        QVERIFY(scroll.exec(sql));
        QVERIFY(scroll.last());
        QCOMPARE(scroll.at(), 7);
        QCOMPARE(scroll.value(0).toString(), values.last());
        QVERIFY(scroll.first());
        QCOMPARE(scroll.value(0).toString(), values.first());
        QVERIFY(scroll.seek(3));
        QCOMPARE(scroll.value(0).toString(), values.at(3));
        QVERIFY(scroll.previous());
        QCOMPARE(scroll.value(0).toString(), values.at(2));
        QVERIFY(!scroll.seek(8));

        QSqlQuery lastOnly(connection.database());
        lastOnly.setForwardOnly(true);
        QVERIFY(lastOnly.exec(sql));
        QVERIFY(lastOnly.last());
        QCOMPARE(lastOnly.at(), 7);
        QCOMPARE(lastOnly.value(0).toString(), values.last());
    }

    void queriesMayOutliveTheirConnection() {
        auto query = std::make_unique<QSqlQuery>();
        {
            DatabaseConnection connection(QStringLiteral("short"));
            connection.open(fileSettings(m_db));
            *query = QSqlQuery(connection.database());
            QVERIFY(query->exec(QStringLiteral("Select * from S_字典")));
            QVERIFY(query->next());
        }
        QVERIFY(!query->next());
        query.reset();
    }

    void transactionsRollBack() {
        DatabaseConnection connection;
        connection.open(fileSettings(m_db));
        FreeQuery q(connection);
        connection.begin();
        q.setSql(QStringLiteral("Update S_收件单号 set BillNo=BillNo+1 where Billtype=:Billtype"));
        q.setParam(QStringLiteral("Billtype"), QStringLiteral("B"));
        QCOMPARE(q.execute(), 1);
        connection.rollback();
        q.setSql(QStringLiteral("Select BillNo from S_收件单号 where Billtype='B'"));
        q.open();
        QCOMPARE(q.value(QStringLiteral("BillNo")).toInt(), 1);
    }

    void refusesSeveralStatementsAtOnce() {
        DatabaseConnection connection;
        connection.open(fileSettings(m_db));
        FreeQuery q(connection);
        q.setSql(QStringLiteral("Update S_参数表 set 参数值='9' where 编码='CZYJ'; Delete from S_参数表"));
        QVERIFY_THROWS_EXCEPTION(DbError, q.execute());
        q.setSql(QStringLiteral("Select count(*) as n from S_参数表"));
        q.open();
        QCOMPARE(q.value(QStringLiteral("n")).toInt(), 9);
    }

    void secondConnectionWaitsThenGivesUp() {
        DatabaseConnection first(QStringLiteral("first"));
        DatabaseConnection second(QStringLiteral("second"));
        first.open(fileSettings(m_db));
        ConnectionSettings shortWait = fileSettings(m_db);
        shortWait.timeoutSeconds = 1;
        second.open(shortWait);
        FreeQuery a(first);
        FreeQuery b(second);
        first.begin();
        a.setSql(QStringLiteral("Update S_参数表 set 参数值='60' where 编码='CZYJ'"));
        a.execute();
        b.setSql(QStringLiteral("Update S_参数表 set 参数值='70' where 编码='CZYJ'"));
        QVERIFY_THROWS_EXCEPTION(DbError, b.execute()); // still locked after the time-out
        first.commit();
        QCOMPARE(b.execute(), 1);
        a.setSql(QStringLiteral("Select 参数值 from S_参数表 where 编码='CZYJ'"));
        a.open();
        QCOMPARE(a.text(QStringLiteral("参数值")), QStringLiteral("70"));
        b.setSql(QStringLiteral("Update S_参数表 set 参数值='50' where 编码='CZYJ'"));
        b.execute();
    }

    void anotherProcessHoldingTheLockIsWaitedFor() {
        QProcess holder;
        holder.start(helper(), {QStringLiteral("hold"), m_db, ConnectionSettings::localFilePassword(),
                                QStringLiteral("1000")});
        QVERIFY(holder.waitForStarted());
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));
        DatabaseConnection connection;
        connection.open(fileSettings(m_db));
        FreeQuery q(connection);
        q.setSql(QStringLiteral("Insert into S_字典 (TypeName, Value) values ('进程', 'waited')"));
        QCOMPARE(q.execute(), 1);
        QVERIFY(holder.waitForFinished(10000));
        QCOMPARE(holder.exitCode(), 0);
        q.setSql(QStringLiteral("Select count(*) as n from S_字典 where TypeName='进程'"));
        q.open();
        QCOMPARE(q.value(QStringLiteral("n")).toInt(), 2);
        q.setSql(QStringLiteral("Delete from S_字典 where TypeName='进程'"));
        q.execute();
    }

    void twoProcessesWriteAtOnce() {
        QProcess one;
        QProcess two;
        const QStringList args{QStringLiteral("insert"), m_db, ConnectionSettings::localFilePassword(),
                               QStringLiteral("150")};
        one.start(helper(), args);
        two.start(helper(), args);
        QVERIFY(one.waitForFinished(60000));
        QVERIFY(two.waitForFinished(60000));
        QVERIFY2(one.exitCode() == 0, one.readAllStandardError().constData());
        QVERIFY2(two.exitCode() == 0, two.readAllStandardError().constData());
        DatabaseConnection connection;
        connection.open(fileSettings(m_db));
        FreeQuery q(connection);
        q.setSql(QStringLiteral("Select count(*) as n from S_字典 where TypeName='进程'"));
        q.open();
        QCOMPARE(q.value(QStringLiteral("n")).toInt(), 300);
        q.setSql(QStringLiteral("Delete from S_字典 where TypeName='进程'"));
        q.execute();
    }
};

QTEST_GUILESS_MAIN(TestSqlCipherDriver)
#include "tst_SqlCipherDriver.moc"

#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"
#include "ScratchDatabases.h"
#include "SqlDialect.h"

#include <QTest>

// The scratch query on every engine: what the small services of the program rely on.
class TestFreeQuery : public QObject {
    Q_OBJECT
    ScratchDatabases m_dbs;

    void open(DatabaseConnection& connection) {
        QFETCH_GLOBAL(QString, engine);
        m_dbs.open(connection, engine);
    }

private slots:
    void initTestCase_data() { ScratchDatabases::addEngineRows(); }

    void parametersMatchWithoutRegardToCase() {
        DatabaseConnection connection;
        open(connection);
        FreeQuery q(connection);
        q.setSql(QStringLiteral(" Select 参数值  from S_参数表 where 编码=:Name "));
        q.setParam(QStringLiteral("NAME"), QStringLiteral("CZYJ"));
        q.open();
        QVERIFY(q.isOpen());
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.text(QStringLiteral("参数值")), QStringLiteral("50"));

        q.close();
        q.setSql(QStringLiteral(" Update  S_参数表 Set  参数值=:Value  where 编码=:Name "));
        q.setParam(QStringLiteral("value"), QStringLiteral("45"));
        q.setParam(QStringLiteral("name"), QStringLiteral("CZYJ"));
        QCOMPARE(q.execute(), 1);
        q.setParam(QStringLiteral("name"), QStringLiteral("没有这个"));
        QCOMPARE(q.execute(), 0);

        q.setSql(QStringLiteral("Select distinct Value  from S_字典 where TypeName=:Typename "));
        q.setParam(QStringLiteral("TypeName"), QStringLiteral("朝向"));
        q.open();
        QCOMPARE(q.recordCount(), 8);
        QStringList values;
        for (q.first(); !q.eof(); q.next())
            values.append(q.text(QStringLiteral("Value")));
        QVERIFY(values.contains(QStringLiteral("南北")));
        QVERIFY(q.eof());
    }

    void unknownNamesAreErrors() {
        DatabaseConnection connection;
        open(connection);
        FreeQuery q(connection);
        q.setSql(QStringLiteral("Select BillNo from S_收件单号 where Billtype=:Billtype"));
        QVERIFY_THROWS_EXCEPTION(DbError, q.setParam(QStringLiteral("Bill"), QStringLiteral("A")));
        QVERIFY_THROWS_EXCEPTION(DbError, q.open()); // the parameter has no value
        q.setParam(QStringLiteral("BILLTYPE"), QStringLiteral("A"));
        q.open();
        QCOMPARE(q.value(QStringLiteral("billno")).toInt(), 1);
        QVERIFY_THROWS_EXCEPTION(DbError, q.value(QStringLiteral("BillNumber")));
        q.next();
        QVERIFY(q.eof());
        QVERIFY_THROWS_EXCEPTION(DbError, q.value(QStringLiteral("BillNo"))); // no current row
        q.setParam(QStringLiteral("billtype"), QStringLiteral("Z"));
        q.open();
        QVERIFY(q.isEmpty());
        QVERIFY_THROWS_EXCEPTION(DbError, q.text(QStringLiteral("BillNo")));
    }

    void engineErrorsBecomeDbErrors() {
        DatabaseConnection connection;
        open(connection);
        FreeQuery q(connection);
        q.setSql(QStringLiteral("Select 没有 from S_没有这张表"));
        QVERIFY_THROWS_EXCEPTION(DbError, q.open());
        q.setSql(QStringLiteral("Update S_收件单号 set BillNo=:n where Billtype='A'"));
        q.setParam(QStringLiteral("n"), QStringLiteral("十二"));
        QVERIFY_THROWS_EXCEPTION(DbError, q.execute());
        QVERIFY(connection.isOpen());
    }

    void nullReadsAsEmptyText() {
        DatabaseConnection connection;
        open(connection);
        FreeQuery q(connection);
        q.setSql(QStringLiteral("Select 编号,用户代码,用户口令,用户姓名,类型 From S_用户表 "));
        q.open();
        QVERIFY(q.isEmpty());
        QCOMPARE(q.columnNames().size(), 5);
        q.setSql(QStringLiteral("Insert into S_用户表 (用户代码, 用户口令) values (:code, :pw)"));
        q.setParam(QStringLiteral("code"), QStringLiteral("admin"));
        q.setParam(QStringLiteral("pw"), QString());
        QCOMPARE(q.execute(), 1);
        q.setSql(
            QStringLiteral("Select 编号,用户代码,用户口令,用户姓名,类型 From S_用户表 where 用户代码=:c"));
        q.setParam(QStringLiteral("c"), QStringLiteral("admin"));
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QVERIFY(q.value(QStringLiteral("用户姓名")).isNull());
        QCOMPARE(q.text(QStringLiteral("用户姓名")), QString());
        QVERIFY(!q.value(QStringLiteral("用户口令")).isNull()); // zero-length text stays text
        QVERIFY(q.value(QStringLiteral("编号")).toInt() > 0);
        q.setSql(QStringLiteral("Delete from S_用户表"));
        q.execute();
    }

    void dialectSelectsTheFlaggedRows() {
        QFETCH_GLOBAL(QString, engine);
        if (engine == QLatin1String("odbc"))
            QSKIP("the SQL Server dialect does not apply to PostgreSQL behind ODBC");
        DatabaseConnection connection;
        open(connection);
        const SqlDialect& dialect = connection.dialect();
        FreeQuery q(connection);
        q.setSql(
            QStringLiteral("Insert into H_出租表 (状态位, 跟踪报警标志, 跟踪报警日期) values (:s, :f, :d)"));
        q.setParam(QStringLiteral("s"), QStringLiteral("已出租"));
        q.setParam(QStringLiteral("f"), dialect.boolValue(true));
        q.setParam(QStringLiteral("d"), dialect.dateParam(QStringLiteral("2024-03-05")));
        q.execute();
        q.setParam(QStringLiteral("f"), dialect.boolValue(false));
        q.execute();
        q.setSql(QStringLiteral(
                     " Select * from  H_出租表 where  (跟踪报警日期 between :beginDate and :EndDate) and "
                     "(跟踪报警标志=%1) and (状态位=:Stat)  Order by 编辑日期 DESC  ")
                     .arg(dialect.trueLiteral()));
        q.setParam(QStringLiteral("BeginDate"), dialect.dateParam(QStringLiteral("2024-02-28")));
        q.setParam(QStringLiteral("EndDate"), dialect.dateParam(QStringLiteral("2024-03-05")));
        q.setParam(QStringLiteral("Stat"), QStringLiteral("已出租"));
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.value(QStringLiteral("跟踪报警日期")).toDate(), QDate(2024, 3, 5));
        QCOMPARE(q.value(QStringLiteral("跟踪报警标志")).toBool(), true);
        q.setSql(QStringLiteral("Delete from H_出租表"));
        QCOMPARE(q.execute(), 2);
    }

    void lastInsertIdFollowsTheDialect() {
        QFETCH_GLOBAL(QString, engine);
        if (engine == QLatin1String("odbc"))
            QSKIP("the SQL Server dialect does not apply to PostgreSQL behind ODBC");
        DatabaseConnection connection;
        open(connection);
        FreeQuery q(connection);
        q.setSql(QStringLiteral("Insert into H_求租表 (联系人) values (:p)"));
        q.setParam(QStringLiteral("p"), QStringLiteral("王先生"));
        q.execute();
        q.setSql(connection.dialect().lastInsertIdSql(QStringLiteral("H_求租表")));
        q.open();
        const int id = q.value(0).toInt();
        q.setSql(QStringLiteral("Select 联系人 from H_求租表 where ID=:id"));
        q.setParam(QStringLiteral("id"), id);
        q.open();
        QCOMPARE(q.text(QStringLiteral("联系人")), QStringLiteral("王先生"));
    }
};

QTEST_GUILESS_MAIN(TestFreeQuery)
#include "tst_FreeQuery.moc"

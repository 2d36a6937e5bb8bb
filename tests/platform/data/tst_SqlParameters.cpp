#include "DbError.h"
#include "SqlParameters.h"

#include <QTest>

class TestSqlParameters : public QObject {
    Q_OBJECT
private slots:
    void rewritesPlaceholders_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("positional");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("two") << " Select * from  H_出租表 where  编辑日期 between :beginDate and :EndDate "
                             << " Select * from  H_出租表 where  编辑日期 between ? and ? "
                             << QStringList{"beginDate", "EndDate"};
        QTest::newRow("repeated, any case") << "select :a, :A, :b"
                                            << "select ?, ?, ?" << QStringList{"a", "b"};
        QTest::newRow("literal") << "select ':no', 'it''s :no', :yes"
                                 << "select ':no', 'it''s :no', ?" << QStringList{"yes"};
        QTest::newRow("quoted name") << "select \":no\" from t where x=:Stat"
                                     << "select \":no\" from t where x=?" << QStringList{"Stat"};
        QTest::newRow("bracket name") << "select [a:b] from t"
                                      << "select [a:b] from t" << QStringList{};
        QTest::newRow("cast") << "select :d::date, x::text"
                              << "select ?::date, x::text" << QStringList{"d"};
        QTest::newRow("comments") << "select 1 -- :no\n, :yes /* :no */"
                                  << "select 1 -- :no\n, ? /* :no */" << QStringList{"yes"};
        QTest::newRow("time text") << "select '12:30:00'"
                                   << "select '12:30:00'" << QStringList{};
        QTest::newRow("glued") << "where 编码=:Name"
                               << "where 编码=?" << QStringList{"Name"};
        QTest::newRow("unterminated literal") << "select ':x"
                                              << "select ':x" << QStringList{};
    }
    void rewritesPlaceholders() {
        QFETCH(QString, sql);
        QFETCH(QString, positional);
        QFETCH(QStringList, names);
        const SqlParameters params(sql);
        QCOMPARE(params.positionalSql(), positional);
        QCOMPARE(params.names(), names);
    }

    void bindsByNameWithoutRegardToCase() {
        SqlParameters params(QStringLiteral("select :beginDate, :EndDate, :BEGINDATE"));
        params.setValue(QStringLiteral("BeginDate"), QStringLiteral("2024-01-01"));
        params.setValue(QStringLiteral(":enddate"), 7);
        QCOMPARE(params.positionalValues(),
                 (QVariantList{QStringLiteral("2024-01-01"), 7, QStringLiteral("2024-01-01")}));
        params.setValue(QStringLiteral("begindate"), QVariant());
        QVERIFY(params.positionalValues().at(0).isNull());
    }

    void refusesUnknownAndMissingParameters() {
        SqlParameters params(QStringLiteral("Update S_参数表 Set 参数值=:Value where 编码=:Name"));
        QVERIFY_THROWS_EXCEPTION(DbError, params.setValue(QStringLiteral("Nme"), 1));
        params.setValue(QStringLiteral("Value"), 1);
        // A forgotten parameter would otherwise compare with null and quietly change nothing.
        QVERIFY_THROWS_EXCEPTION(DbError, params.positionalValues());
        params.setValue(QStringLiteral("name"), QStringLiteral("CZYJ"));
        QCOMPARE(params.positionalValues().size(), 2);
        params.setSql(QStringLiteral("select :Value"));
        QVERIFY(!params.hasValue(QStringLiteral("Value")));
    }
};

QTEST_GUILESS_MAIN(TestSqlParameters)
#include "tst_SqlParameters.moc"

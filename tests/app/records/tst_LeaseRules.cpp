#include "BatchDataSet.h"
#include "BillNumbers.h"
#include "CommissionRule.h"
#include "DbError.h"
#include "FieldValueError.h"
#include "LeaseFamily.h"
#include "RecordFamily.h"
#include "RecordStateMachine.h"
#include "RecordsTestBed.h"

#include <QTest>

#include <climits>

// The lease family's business rules on the batch data set, without windows, on every engine.
class TestLeaseRules : public QObject {
    Q_OBJECT

private:
    static const RecordFamily& family() { return LeaseFamily::get(); }

    static QVariantMap dealRow(const QString& state) {
        return {
            {QStringLiteral("收件号"), QStringLiteral("00000042")},
            {QStringLiteral("房屋地址"), QStringLiteral("文三路 12 号 3 单元")},
            {QStringLiteral("租金"), 1800},
            {QStringLiteral("编辑人"), QStringLiteral("李四")},
            {QStringLiteral("编辑日期"), QDate(2024, 3, 1)},
            {QStringLiteral("状态位"), state},
            {QStringLiteral("承租人姓名"), QStringLiteral("王五")},
            {QStringLiteral("承租人联系电话"), QStringLiteral("13900001111")},
            {QStringLiteral("承租人身份证号码"), QStringLiteral("330102199001011234")},
            {QStringLiteral("承租价格"), 1750},
            {QStringLiteral("承租日期"), QDate(2024, 3, 5)},
            {QStringLiteral("承租截止日期"), QDate(2025, 3, 4)},
            {QStringLiteral("承租方备注"), QStringLiteral("押一付三")},
            {QStringLiteral("受理人"), QStringLiteral("李四")},
            {QStringLiteral("受理日期"), QDate(2024, 3, 5)},
            {QStringLiteral("合同号"), QStringLiteral("HT-0042")},
            {QStringLiteral("佣金金额"), 525},
            {QStringLiteral("跟踪报警标志"), true},
            {QStringLiteral("跟踪报警日期"), QDate(2025, 2, 20)},
        };
    }

    static void openAll(BatchDataSet& data) {
        data.setSql(family().baseSql);
        data.setTableName(family().table);
        data.open();
    }

    // What a column holds afterwards: "keep" (as before), "empty" (empty text), "none" (no date),
    // "zero", "false", "today", "user", or a literal text.
    static void check(RecordsTestBed& bed, int id, const QVariantMap& before, const QString& column,
                      const QString& expect) {
        const QVariant v = bed.leaseValue(id, column);
        const QByteArray where = (column + QStringLiteral(" = ") + v.toString()).toUtf8();
        if (expect == QLatin1String("keep")) {
            const QVariant old = before.value(column);
            if (old.typeId() == QMetaType::QDate)
                QVERIFY2(v.toDate() == old.toDate(), where);
            else if (old.typeId() == QMetaType::Bool)
                QVERIFY2(v.toBool() == old.toBool(), where);
            else if (old.typeId() == QMetaType::Int)
                QVERIFY2(v.toDouble() == old.toDouble(), where);
            else
                QVERIFY2(v.toString() == old.toString(), where);
        } else if (expect == QLatin1String("empty")) {
            QVERIFY2(!v.isNull() && v.toString().isEmpty(), where);
        } else if (expect == QLatin1String("none")) {
            QVERIFY2(v.isNull(), where);
        } else if (expect == QLatin1String("zero")) {
            QVERIFY2(!v.isNull() && v.toDouble() == 0, where);
        } else if (expect == QLatin1String("false")) {
            QVERIFY2(!v.isNull() && !v.toBool(), where);
        } else if (expect == QLatin1String("today")) {
            QVERIFY2(v.toDate() == QDate::currentDate(), where);
        } else if (expect == QLatin1String("user")) {
            QVERIFY2(v.toString() == QStringLiteral("张三"), where);
        } else {
            QVERIFY2(v.toString() == expect, where);
        }
    }

private slots:
    void stateActions_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("expect"); // column=expectation

        // The deal columns, in table order, and what each action leaves in them.
        const QStringList let = {
            "状态位=已出租",       "受理人=user",           "受理日期=today", "承租人姓名=keep",
            "承租人联系电话=keep", "承租人身份证号码=keep", "承租价格=keep",  "承租日期=keep",
            "承租截止日期=keep",   "承租方备注=keep",       "合同号=keep",    "佣金金额=keep",
            "跟踪报警标志=keep",   "跟踪报警日期=keep",     "编辑日期=keep",  "收件号=keep",
        };
        const QStringList vacate = {
            "状态位=已作废",      "承租人姓名=empty",  "承租人联系电话=keep", "承租人身份证号码=empty",
            "承租价格=zero",      "承租日期=none",     "承租截止日期=none",   "承租方备注=empty",
            "受理人=keep",        "受理日期=keep",     "合同号=empty",        "佣金金额=zero",
            "跟踪报警标志=false", "跟踪报警日期=none", "编辑日期=keep",       "收件号=keep",
        };
        const QStringList again = {
            "状态位=未出租",      "承租人姓名=empty",  "承租人联系电话=keep", "承租人身份证号码=empty",
            "承租价格=zero",      "承租日期=none",     "承租截止日期=none",   "承租方备注=empty",
            "受理人=empty",       "受理日期=none",     "合同号=empty",        "佣金金额=zero",
            "跟踪报警标志=false", "跟踪报警日期=none", "编辑日期=today",      "收件号=keep",
        };
        for (const QString& engine : RecordsTestBed::engines()) {
            const QByteArray e = engine.toUtf8();
            QTest::newRow(e + " let") << engine << "TbLease"
                                      << "未出租" << let;
            QTest::newRow(e + " cancel") << engine << "TBVacate"
                                         << "未出租" << vacate;
            QTest::newRow(e + " offer again let") << engine << "TBReturn"
                                                  << "已出租" << again;
            QTest::newRow(e + " offer again cancelled") << engine << "TBReturn"
                                                        << "已作废" << again;
        }
    }

    void stateActions() {
        QFETCH(QString, engine);
        QFETCH(QString, button);
        QFETCH(QString, from);
        QFETCH(QStringList, expect);

        RecordsTestBed bed(engine);
        const QVariantMap before = dealRow(from);
        const int id = bed.insertLease(before);
        BatchDataSet data(bed.connection());
        openAll(data);
        RecordStateMachine rules(family(), data);
        const RecordFamily::StateAction* action = family().action(button);
        QVERIFY(action);
        QVERIFY(rules.allows(*action));
        rules.apply(*action, QStringLiteral("张三"), QDate::currentDate());
        data.applyBatch();
        QVERIFY(!data.hasPendingChanges());
        for (const QString& e : expect) {
            const QString column = e.section(u'=', 0, 0);
            check(bed, id, before, column, e.section(u'=', 1));
            if (QTest::currentTestFailed())
                return;
        }
    }

    void stateDisplay_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("deal");
        QTest::addColumn<QList<bool>>("buttons"); // 出租, 作废, 再租
        QTest::newRow("let") << "已出租" << true << true << QList<bool>{false, false, true};
        QTest::newRow("unlet") << "未出租" << true << false << QList<bool>{true, true, false};
        QTest::newRow("cancelled") << "已作废" << true << false << QList<bool>{false, false, true};
        QTest::newRow("blanks trimmed") << " 已出租 " << true << true << QList<bool>{false, false, true};
        QTest::newRow("unknown") << "出租中" << false << false << QList<bool>{};
        QTest::newRow("empty") << "" << false << false << QList<bool>{};
    }

    void stateDisplay() {
        QFETCH(QString, state);
        QFETCH(bool, known);
        QFETCH(bool, deal);
        QFETCH(QList<bool>, buttons);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        bed.insertLease(
            {{QStringLiteral("状态位"), state}, {QStringLiteral("编辑日期"), QDate::currentDate()}});
        BatchDataSet data(bed.connection());
        openAll(data);
        const RecordStateMachine::Display d = RecordStateMachine(family(), data).display();
        QCOMPARE(d.known, known);
        QCOMPARE(d.dealEnabled, deal);
        QCOMPARE(d.actionEnabled, buttons);
    }

    void newRowPresetsAndBillNumbers_data() {
        QTest::addColumn<QString>("engine");
        for (const QString& engine : RecordsTestBed::engines())
            QTest::newRow(engine.toUtf8()) << engine;
    }

    // A new row starts unlet, today, by the current user, without follow-up. Every new row a batch
    // writes draws its number of type "A" inside that batch: a failing batch gives the numbers back
    // with the counter, a second batch draws them again, and a numbered row keeps its number.
    void newRowPresetsAndBillNumbers() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        const qint64 counter = bed.billCounter(QStringLiteral("A"));
        BatchDataSet data(bed.connection());
        openAll(data);
        data.append();
        RecordStateMachine rules(family(), data);
        rules.presetNewRow(QStringLiteral("张三"), QDate::currentDate());
        QCOMPARE(data.text(QStringLiteral("状态位")), QStringLiteral("未出租"));
        QCOMPARE(data.text(QStringLiteral("编辑人")), QStringLiteral("张三"));
        QCOMPARE(data.value(QStringLiteral("编辑日期")).toDate(), QDate::currentDate());
        QCOMPARE(data.value(QStringLiteral("跟踪报警标志")).toBool(), false);
        QVERIFY(!data.isNull(QStringLiteral("跟踪报警标志")));
        data.append();
        data.setValue(QStringLiteral("房屋地址"), QStringLiteral("第二套"));

        int draws = 0;
        bool failSecond = true;
        data.setNumbering(QStringLiteral("收件号"), [&] {
            if (++draws == 2 && failSecond)
                throw DbError(QStringLiteral("counter busy"));
            return QVariant(NextBillNo(QStringLiteral("A")));
        });
        QVERIFY_THROWS_EXCEPTION(DbError, data.applyBatch());
        QCOMPARE(data.pendingCount(), 2);
        for (int r = 0; r < 2; ++r)
            QCOMPARE(data.valueAt(r, data.columnIndex(QStringLiteral("收件号"))).toString(), QString());
        QCOMPARE(bed.billCounter(QStringLiteral("A")), counter);

        failSecond = false;
        data.applyBatch();
        QCOMPARE(bed.leaseCount(), 2);
        const int bill = data.columnIndex(QStringLiteral("收件号"));
        QCOMPARE(data.valueAt(0, bill).toString(), BillNoText(counter));
        QCOMPARE(data.valueAt(1, bill).toString(), BillNoText(counter + 1));
        data.first();
        data.setValue(QStringLiteral("房屋地址"), QStringLiteral("改过"));
        data.applyBatch();
        QCOMPARE(data.text(QStringLiteral("收件号")), BillNoText(counter));
        QCOMPARE(bed.billCounter(QStringLiteral("A")), counter + 2);
    }

    void commissionArithmetic_data() {
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("percent");
        QTest::addColumn<qint64>("commission");
        QTest::newRow("1500 at 30") << "1500" << 30 << qint64(450);
        QTest::newRow("999 at 25, truncated") << "999" << 25 << qint64(249);
        QTest::newRow("2000 at 50") << "2000" << 50 << qint64(1000);
        QTest::newRow("half to even, down") << "1500.5" << 100 << qint64(1500);
        QTest::newRow("half to even, up") << "1501.5" << 100 << qint64(1502);
        QTest::newRow("2.5 to 2") << "2.5" << 100 << qint64(2);
        QTest::newRow("3.5 to 4") << "3.5" << 100 << qint64(4);
        QTest::newRow("above half") << "1500.5001" << 100 << qint64(1501);
        QTest::newRow("below half") << "1500.4999" << 100 << qint64(1500);
        QTest::newRow("empty price") << "" << 30 << qint64(0);
        QTest::newRow("negative toward zero") << "-999" << 25 << qint64(-249);
        QTest::newRow("beyond 32 bits") << "100000000" << 3000 << qint64(3000000000);
    }

    void commissionArithmetic() {
        QFETCH(QString, price);
        QFETCH(int, percent);
        QFETCH(qint64, commission);
        const QString c = QStringLiteral("佣金金额");
        QCOMPARE(CommissionRule::propose(CommissionRule::wholeAmount(price, c), percent, c), commission);
    }

    void commissionOnTheRow_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QVariant>("price");
        QTest::addColumn<QVariant>("present");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("expect"); // the commission text afterwards; "refused" keeps it
        for (const QString& engine : RecordsTestBed::engines()) {
            const QByteArray e = engine.toUtf8();
            QTest::newRow(e + " empty commission") << engine << QVariant(1500) << QVariant() << 30 << "450";
            QTest::newRow(e + " zero commission") << engine << QVariant(2000) << QVariant(0) << 50 << "1000";
            QTest::newRow(e + " present value left alone")
                << engine << QVariant(2000) << QVariant(800) << 50 << "800";
            QTest::newRow(e + " empty price") << engine << QVariant() << QVariant() << 30 << "0";
            QTest::newRow(e + " too large for the column")
                << engine << QVariant(qlonglong(900000000000)) << QVariant() << 200 << "refused";
            QTest::newRow(e + " beyond 64 bits")
                << engine << QVariant(qlonglong(900000000000)) << QVariant() << INT_MAX << "refused";
        }
    }

    void commissionOnTheRow() {
        QFETCH(QString, engine);
        QFETCH(QVariant, price);
        QFETCH(QVariant, present);
        QFETCH(int, percent);
        QFETCH(QString, expect);
        RecordsTestBed bed(engine);
        QVariantMap row = dealRow(QStringLiteral("已出租"));
        row.remove(QStringLiteral("承租价格"));
        row.remove(QStringLiteral("佣金金额"));
        if (!price.isNull())
            row.insert(QStringLiteral("承租价格"), price);
        if (!present.isNull())
            row.insert(QStringLiteral("佣金金额"), present);
        bed.insertLease(row);
        BatchDataSet data(bed.connection());
        openAll(data);
        const QString c = QStringLiteral("佣金金额");
        const QString before = data.text(c);
        if (expect == QLatin1String("refused")) {
            QVERIFY_THROWS_EXCEPTION(
                FieldValueError, CommissionRule::apply(data, before, c, QStringLiteral("承租价格"), percent));
            QCOMPARE(data.text(c), before);
            QVERIFY(!data.hasPendingChanges());
            return;
        }
        CommissionRule::apply(data, before, c, QStringLiteral("承租价格"), percent);
        QCOMPARE(data.text(c), expect);
    }
};

QTEST_MAIN(TestLeaseRules)
#include "tst_LeaseRules.moc"

#include "BatchDataSet.h"
#include "DatabaseConnection.h"
#include "DateText.h"
#include "DbError.h"
#include "FieldValueError.h"
#include "FreeQuery.h"
#include "ScratchDatabase.h"
#include "SqlDialect.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString LeaseTable = QStringLiteral("H_出租表");
const QString RangeSql =
    QStringLiteral(" Select * from  H_出租表 where  编辑日期 between :beginDate and :EndDate and "
                   "状态位=:Stat  Order by 编辑日期 DESC  ");
const QString AllSql = QStringLiteral("Select * from H_出租表 Order by ID");

QDate daysAgo(int n) {
    return QDate::currentDate().addDays(-n);
}

// One scratch database with two connections on it (two workstations).
struct Fixture {
    explicit Fixture(const QString& engine)
        : engine(engine), db(engine), conn(QStringLiteral("batch_a")), other(QStringLiteral("batch_b")) {
        conn.open(db.settings());
        other.open(db.settings());
    }
    QString engine;
    // The ODBC path runs here against PostgreSQL's ODBC driver: it asks for a new key the SQL Server
    // way, which PostgreSQL does not know, and it hands out yes/no columns as text.
    bool insertsGetKeys() const { return engine != QLatin1String("odbc"); }
    bool booleansTyped() const { return engine != QLatin1String("odbc"); }
    ScratchDatabase db;
    DatabaseConnection conn;
    DatabaseConnection other;

    int insertLease(const QString& billNo, const QString& address, const QDate& registered,
                    const QString& state = QStringLiteral("未出租"), const QVariant& rent = QVariant()) {
        FreeQuery q(conn);
        q.setSql(
            QStringLiteral("INSERT INTO H_出租表 (收件号, 房屋地址, 编辑日期, 状态位, 租金, 跟踪报警标志) "
                           "VALUES (:no, :addr, :day, :stat, :rent, :flag)"));
        q.setParam(QStringLiteral("no"), billNo);
        q.setParam(QStringLiteral("addr"), address);
        q.setParam(QStringLiteral("day"), conn.dialect().dateValue(registered));
        q.setParam(QStringLiteral("stat"), state);
        q.setParam(QStringLiteral("rent"), rent.isNull() ? QVariant(QMetaType(QMetaType::Double)) : rent);
        q.setParam(QStringLiteral("flag"), conn.dialect().boolValue(false));
        q.execute();
        return idOf(billNo);
    }
    int idOf(const QString& billNo) {
        FreeQuery q(conn);
        q.setSql(QStringLiteral("SELECT ID FROM H_出租表 WHERE 收件号 = :no"));
        q.setParam(QStringLiteral("no"), billNo);
        q.open();
        return q.isEmpty() ? -1 : q.value(0).toInt();
    }
    // The whole table as text, one line per row in key order: what "unchanged" means.
    QStringList snapshot() {
        FreeQuery q(conn);
        q.setSql(AllSql);
        q.open();
        QStringList lines;
        for (; !q.eof(); q.next()) {
            QStringList cells;
            for (int c = 0; c < q.columnNames().size(); ++c)
                cells << (q.value(c).isNull() ? QStringLiteral("<null>") : q.value(c).toString());
            lines << cells.join(u'|');
        }
        return lines;
    }
    QVariant column(int id, const QString& name) {
        FreeQuery q(conn);
        q.setSql(QStringLiteral("SELECT %1 FROM H_出租表 WHERE ID = :id").arg(name));
        q.setParam(QStringLiteral("id"), id);
        q.open();
        return q.isEmpty() ? QVariant(QStringLiteral("<no row>")) : q.value(0);
    }
    int rowCount() {
        FreeQuery q(conn);
        q.setSql(QStringLiteral("SELECT count(*) FROM H_出租表"));
        q.open();
        return q.value(0).toInt();
    }
    // Three listings A, B, C (ids in this order).
    void seedThree() {
        insertLease(QStringLiteral("00000001"), QStringLiteral("甲路1号"), daysAgo(3),
                    QStringLiteral("未出租"), 1500);
        insertLease(QStringLiteral("00000002"), QStringLiteral("乙路2号"), daysAgo(2),
                    QStringLiteral("已出租"), 2000);
        insertLease(QStringLiteral("00000003"), QStringLiteral("丙路3号"), daysAgo(1),
                    QStringLiteral("未出租"));
    }
    std::unique_ptr<BatchDataSet> openAll(DatabaseConnection& on) {
        auto set = std::make_unique<BatchDataSet>(on);
        set->setSql(AllSql);
        set->setTableName(LeaseTable);
        set->open();
        return set;
    }
};

void engineRows() {
    QTest::addColumn<QString>("engine");
    for (const QString& e : ScratchDatabase::engines())
        QTest::newRow(qPrintable(e)) << e;
}

} // namespace

class TestBatchDataSet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { DateText::setShortFormat(QString::fromLatin1(DateText::Iso)); }

    void openWithParameters_data() { engineRows(); }
    void openWithParameters() {
        QFETCH(QString, engine);
        Fixture f(engine);
        f.insertLease(QStringLiteral("before"), QStringLiteral("太早"), daysAgo(11));
        f.insertLease(QStringLiteral("begin"), QStringLiteral("首日"), daysAgo(10));
        f.insertLease(QStringLiteral("let"), QStringLiteral("已租"), daysAgo(5), QStringLiteral("已出租"));
        f.insertLease(QStringLiteral("middle"), QStringLiteral("中间"), daysAgo(5), QStringLiteral("未出租"),
                      1234.5678);
        f.insertLease(QStringLiteral("end"), QStringLiteral("今天"), daysAgo(0));
        f.insertLease(QStringLiteral("after"), QStringLiteral("明天"), daysAgo(-1));

        BatchDataSet set(f.conn);
        QSignalSpy opened(&set, &BatchDataSet::opened);
        set.setSql(RangeSql);
        // Names match without regard to case; dates go as the date editors' texts.
        set.setParam(QStringLiteral("BeginDate"), f.conn.dialect().dateParam(DateText::format(daysAgo(10))));
        set.setParam(QStringLiteral("ENDDATE"), f.conn.dialect().dateParam(DateText::today()));
        set.setParam(QStringLiteral("stat"), QStringLiteral("未出租"));
        set.open();
        QCOMPARE(opened.count(), 1);
        QVERIFY(set.isOpen());
        QCOMPARE(set.state(), BatchDataSet::State::Browse);

        QStringList order;
        for (int r = 0; r < set.recordCount(); ++r)
            order << set.valueAt(r, set.columnIndex(QStringLiteral("收件号"))).toString();
        QCOMPARE(order,
                 (QStringList{QStringLiteral("end"), QStringLiteral("middle"), QStringLiteral("begin")}));
        QCOMPARE(set.currentRow(), 0);

        set.setCurrentRow(1);
        QCOMPARE(set.value(QStringLiteral("编辑日期")), QVariant(daysAgo(5)));
        QCOMPARE(set.text(QStringLiteral("编辑日期")), DateText::format(daysAgo(5)));
        QCOMPARE(set.value(QStringLiteral("租金")).toDouble(), 1234.5678);
        QCOMPARE(set.text(QStringLiteral("租金")), QStringLiteral("1234.5678"));
        QVERIFY(set.isNull(QStringLiteral("承租日期")));
        QCOMPARE(set.text(QStringLiteral("承租日期")), QString());
        QCOMPARE(set.value(QStringLiteral("跟踪报警标志")), QVariant(false));

        // A QDate parameter works as well as the text.
        set.setParam(QStringLiteral("BeginDate"), daysAgo(5));
        set.open();
        QCOMPARE(set.recordCount(), 2);
    }

    void columnKinds_data() { engineRows(); }
    void columnKinds() {
        QFETCH(QString, engine);
        Fixture f(engine);
        auto set = f.openAll(f.conn);
        using K = BatchDataSet::ColumnKind;
        const struct {
            const char16_t* name;
            K kind;
            int length;
        } expected[] = {
            {u"收件号", K::Text, 10},         {u"房屋地址", K::Text, 100}, {u"建筑面积", K::Integer, 0},
            {u"租金", K::Money, 0},           {u"竣工日期", K::Date, 0},   {u"跟踪报警标志", K::Boolean, 0},
            {u"联系人身份证号", K::Text, 17}, {u"状态位", K::Text, 6},     {u"佣金金额", K::Money, 0}};
        for (const auto& e : expected) {
            if (e.kind == K::Boolean && !f.booleansTyped())
                continue;
            const int c = set->columnIndex(QString::fromUtf16(e.name));
            QVERIFY2(c >= 0, qPrintable(QString::fromUtf16(e.name)));
            QCOMPARE(set->columnKind(c), e.kind);
            QCOMPARE(set->maxLength(c), e.length);
        }
        QCOMPARE(set->columnIndex(QStringLiteral("id")), set->columnIndex(QStringLiteral("ID")));
        QVERIFY(set->columnIndex(QStringLiteral("ID")) >= 0);
        QCOMPARE(set->columnIndex(QStringLiteral("没有这列")), -1);
        QCOMPARE(set->columnCount(), 36);
    }

    void editShowsEverywhereAndCancel_data() { engineRows(); }
    void editShowsEverywhereAndCancel() {
        QFETCH(QString, engine);
        Fixture f(engine);
        f.seedThree();
        auto set = f.openAll(f.conn);
        const int address = set->columnIndex(QStringLiteral("房屋地址"));
        const int flag = set->columnIndex(QStringLiteral("跟踪报警标志"));
        QSignalSpy changed(set.get(), &QAbstractItemModel::dataChanged);
        QSignalSpy states(set.get(), &BatchDataSet::stateChanged);

        set->setCurrentRow(1);
        set->setValue(QStringLiteral("房屋地址"), QStringLiteral("新地址"));
        QCOMPARE(set->state(), BatchDataSet::State::Edit);
        QCOMPARE(states.count(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), set->index(1, address));
        QCOMPARE(set->data(set->index(1, address)).toString(), QStringLiteral("新地址"));
        QCOMPARE(set->storedValue(1, address).toString(), QStringLiteral("乙路2号"));
        QCOMPARE(set->rowStatus(1), BatchDataSet::RowStatus::Modified);
        QVERIFY(set->hasPendingChanges());

        int shownAgain = 1;
        if (f.booleansTyped()) {
            set->setValue(QStringLiteral("跟踪报警标志"), true);
            QCOMPARE(set->data(set->index(1, flag), Qt::CheckStateRole).toInt(), int(Qt::Checked));
            QCOMPARE(set->data(set->index(0, flag), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
            QVERIFY(set->data(set->index(1, flag)).isNull()); // the tick alone shows it
            shownAgain = 2;
        }

        changed.clear();
        set->cancel();
        QCOMPARE(set->state(), BatchDataSet::State::Browse);
        QCOMPARE(set->text(QStringLiteral("房屋地址")), QStringLiteral("乙路2号"));
        QCOMPARE(changed.count(), shownAgain); // every changed cell shows its stored value again
        QVERIFY(!set->hasPendingChanges());

        // Posting keeps the change pending; moving to another row posts as well.
        set->setValue(QStringLiteral("房屋地址"), QStringLiteral("改过"));
        set->post();
        QCOMPARE(set->state(), BatchDataSet::State::Browse);
        QCOMPARE(set->pendingCount(), 1);
        set->edit();
        set->setValue(QStringLiteral("状态位"), QStringLiteral("已作废"));
        set->setCurrentRow(0);
        QCOMPARE(set->state(), BatchDataSet::State::Browse);
        QCOMPARE(set->valueAt(1, set->columnIndex(QStringLiteral("状态位"))).toString(),
                 QStringLiteral("已作废"));
        QCOMPARE(set->valueAt(1, address).toString(), QStringLiteral("改过"));
        QCOMPARE(set->pendingCount(), 1);
        QCOMPARE(f.column(f.idOf(QStringLiteral("00000002")), QStringLiteral("房屋地址")).toString(),
                 QStringLiteral("乙路2号"));
    }

    void applyWritesExactlyThePendingRows_data() { engineRows(); }
    void applyWritesExactlyThePendingRows() {
        QFETCH(QString, engine);
        Fixture f(engine);
        f.seedThree();
        for (int i = 0; i < 5; ++i)
            f.insertLease(QStringLiteral("x%1").arg(i), QStringLiteral("别的%1").arg(i), daysAgo(20));
        const QStringList before = f.snapshot();
        const int idA = f.idOf(QStringLiteral("00000001"));
        const int idB = f.idOf(QStringLiteral("00000002"));
        auto set = f.openAll(f.conn);

        set->setCurrentRow(0); // A: modified
        set->setValue(QStringLiteral("租金"), QStringLiteral("1800.25"));
        set->setValue(QStringLiteral("竣工日期"), QDate(2001, 2, 3));
        set->clearValue(QStringLiteral("房屋地址"));
        set->setCurrentRow(1); // B: deleted
        set->deleteCurrent();
        QCOMPARE(set->recordCount(), 7);
        if (!f.insertsGetKeys()) {
            set->applyBatch();
            QCOMPARE(f.column(idA, QStringLiteral("租金")).toDouble(), 1800.25);
            QCOMPARE(f.column(idB, QStringLiteral("房屋地址")).toString(), QStringLiteral("<no row>"));
            QCOMPARE(f.rowCount(), 7);
            return;
        }
        set->append(); // a new row
        QCOMPARE(set->state(), BatchDataSet::State::Insert);
        set->setValue(QStringLiteral("收件号"), QStringLiteral("00000009"));
        set->setValue(QStringLiteral("编辑日期"), QDate::currentDate());
        set->setValue(QStringLiteral("跟踪报警标志"), false);
        QCOMPARE(set->pendingCount(), 3);
        QCOMPARE(set->rowStatus(7), BatchDataSet::RowStatus::Inserted);

        QSignalSpy pending(set.get(), &BatchDataSet::pendingChanged);
        set->applyBatch();
        QVERIFY(!set->hasPendingChanges());
        QCOMPARE(pending.count(), 1);
        QCOMPARE(set->state(), BatchDataSet::State::Browse);

        QCOMPARE(f.column(idA, QStringLiteral("租金")).toDouble(), 1800.25);
        QCOMPARE(f.column(idA, QStringLiteral("房屋地址")).toString(), QString());
        QVERIFY(!f.column(idA, QStringLiteral("房屋地址")).isNull()); // empty text, not null
        QCOMPARE(f.column(idB, QStringLiteral("房屋地址")).toString(), QStringLiteral("<no row>"));
        const int idNew = f.idOf(QStringLiteral("00000009"));
        QVERIFY(idNew > 0);
        QCOMPARE(set->valueAt(7, set->columnIndex(QStringLiteral("ID"))).toInt(), idNew);
        QCOMPARE(set->rowStatus(7), BatchDataSet::RowStatus::Unchanged);
        QCOMPARE(set->storedValue(0, set->columnIndex(QStringLiteral("竣工日期"))),
                 QVariant(QDate(2001, 2, 3)));

        // Every other row is exactly as it was.
        QStringList after = f.snapshot();
        QStringList untouched = before;
        untouched.removeAt(1);
        untouched.removeAt(0);
        after.removeIf([&](const QString& line) {
            return line.startsWith(QString::number(idA) + u'|') ||
                   line.startsWith(QString::number(idNew) + u'|');
        });
        QCOMPARE(after, untouched);

        // The rows read back are what a second edit checks against.
        set->setCurrentRow(0);
        set->setValue(QStringLiteral("楼层"), 7);
        set->setCurrentRow(7);
        set->setValue(QStringLiteral("楼层"), 8);
        set->applyBatch();
        QCOMPARE(f.column(idA, QStringLiteral("楼层")).toInt(), 7);
        QCOMPARE(f.column(idNew, QStringLiteral("楼层")).toInt(), 8);
    }

    void failureLeavesEverythingPending_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("conflict");
        for (const QString& e : ScratchDatabase::engines()) {
            QTest::newRow(qPrintable(e + QStringLiteral(" constraint"))) << e << false;
            QTest::newRow(qPrintable(e + QStringLiteral(" changed meanwhile"))) << e << true;
        }
    }
    void failureLeavesEverythingPending() {
        QFETCH(QString, engine);
        QFETCH(bool, conflict);
        Fixture f(engine);
        f.seedThree();
        auto set = f.openAll(f.conn);
        if (conflict) {
            FreeQuery q(f.other);
            q.setSql(QStringLiteral("UPDATE H_出租表 SET 联系人 = :who WHERE 收件号 = '00000002'"));
            q.setParam(QStringLiteral("who"), QStringLiteral("别人"));
            q.execute();
        } else {
            // A rule of the database that the data set cannot know: no address "禁止".
            FreeQuery q(f.conn);
            if (engine == QLatin1String("sqlcipher"))
                q.setSql(QStringLiteral("CREATE TRIGGER no_forbidden BEFORE UPDATE ON H_出租表 WHEN "
                                        "NEW.房屋地址 = '禁止' BEGIN SELECT RAISE(ABORT, 'forbidden'); END"));
            else
                q.setSql(QStringLiteral(
                    "ALTER TABLE H_出租表 ADD CONSTRAINT no_forbidden CHECK (房屋地址 <> '禁止')"));
            q.execute();
        }
        const QStringList before = f.snapshot();

        set->setCurrentRow(0);
        set->setValue(QStringLiteral("房屋地址"), QStringLiteral("先写的"));
        set->setCurrentRow(1);
        set->setValue(QStringLiteral("房屋地址"),
                      conflict ? QStringLiteral("后写的") : QStringLiteral("禁止"));
        set->setCurrentRow(2);
        set->deleteCurrent();
        const bool inserts = f.insertsGetKeys();
        if (inserts) {
            set->append();
            set->setValue(QStringLiteral("收件号"), QStringLiteral("00000010"));
        }
        QCOMPARE(set->pendingCount(), inserts ? 4 : 3);

        try {
            set->applyBatch();
            QFAIL("the batch was sent");
        } catch (const DbError& e) {
            if (conflict)
                QCOMPARE(e.message(), QStringLiteral("该记录已被其他用户修改或删除,请刷新后重试!"));
        }
        QCOMPARE(f.snapshot(), before);
        QCOMPARE(set->pendingCount(), inserts ? 4 : 3);
        QCOMPARE(set->recordCount(), inserts ? 3 : 2);
        QCOMPARE(set->valueAt(0, set->columnIndex(QStringLiteral("房屋地址"))).toString(),
                 QStringLiteral("先写的"));
        QCOMPARE(set->rowStatus(1), BatchDataSet::RowStatus::Modified);
        if (inserts) {
            QCOMPARE(set->rowStatus(2), BatchDataSet::RowStatus::Inserted);
            set->setCurrentRow(2);
            QCOMPARE(set->text(QStringLiteral("收件号")), QStringLiteral("00000010"));
            QVERIFY(set->value(QStringLiteral("ID")).isNull());
        }

        if (conflict)
            return;
        // Mended, the same batch goes through once: no second copy of the new row.
        set->setCurrentRow(1);
        set->setValue(QStringLiteral("房屋地址"), QStringLiteral("允许"));
        set->applyBatch();
        QVERIFY(!set->hasPendingChanges());
        QCOMPARE(f.rowCount(), inserts ? 3 : 2);
        QCOMPARE(f.column(f.idOf(QStringLiteral("00000002")), QStringLiteral("房屋地址")).toString(),
                 QStringLiteral("允许"));
        QCOMPARE(f.idOf(QStringLiteral("00000010")) > 0, inserts);
        QCOMPARE(f.idOf(QStringLiteral("00000003")), -1);
    }

    void cancelBatch_data() { engineRows(); }
    void cancelBatch() {
        QFETCH(QString, engine);
        Fixture f(engine);
        f.seedThree();
        for (int i = 4; i < 7; ++i)
            f.insertLease(QStringLiteral("0000000%1").arg(i), QStringLiteral("丁路"), daysAgo(1));
        const QStringList before = f.snapshot();
        auto set = f.openAll(f.conn);
        const int no = set->columnIndex(QStringLiteral("收件号"));
        auto order = [&] {
            QStringList list;
            for (int r = 0; r < set->recordCount(); ++r)
                list << set->valueAt(r, no).toString();
            return list;
        };
        const QStringList original = order();

        set->setCurrentRow(4);
        set->setValue(QStringLiteral("房屋地址"), QStringLiteral("改了"));
        set->setCurrentRow(1);
        set->deleteCurrent(); // 00000002
        set->append();
        set->setValue(QStringLiteral("收件号"), QStringLiteral("new1"));
        set->post();
        set->setCurrentRow(3); // 00000005 now
        set->setValue(QStringLiteral("房屋地址"), QStringLiteral("删前改了"));
        set->deleteCurrent(); // a modified row deleted
        set->setCurrentRow(0);
        set->deleteCurrent(); // 00000001
        set->append();
        set->setValue(QStringLiteral("收件号"), QStringLiteral("new2")); // left in insert, not posted
        QCOMPARE(order(),
                 (QStringList{QStringLiteral("00000003"), QStringLiteral("00000004"),
                              QStringLiteral("00000006"), QStringLiteral("new1"), QStringLiteral("new2")}));

        set->cancelBatch();
        QCOMPARE(order(), original);
        QCOMPARE(set->state(), BatchDataSet::State::Browse);
        QVERIFY(!set->hasPendingChanges());
        for (int r = 0; r < set->recordCount(); ++r) {
            QCOMPARE(set->rowStatus(r), BatchDataSet::RowStatus::Unchanged);
            QCOMPARE(set->valueAt(r, set->columnIndex(QStringLiteral("房屋地址"))),
                     set->storedValue(r, set->columnIndex(QStringLiteral("房屋地址"))));
        }
        QCOMPARE(f.snapshot(), before);
        set->applyBatch(); // nothing to send
        QCOMPARE(f.snapshot(), before);
    }

    // The item-model contract (rows inserted/removed/changed, indexes, roles) holds through every
    // operation the list and detail windows make, as Qt's model tester checks it.
    void modelContractHolds() {
        Fixture f(QStringLiteral("sqlcipher"));
        f.seedThree();
        BatchDataSet set(f.conn);
        QAbstractItemModelTester tester(&set, QAbstractItemModelTester::FailureReportingMode::QtTest);
        set.setSql(AllSql);
        set.setTableName(LeaseTable);
        set.open();
        QCOMPARE(set.rowCount(), 3);
        set.setCurrentRow(1);
        set.setValue(QStringLiteral("房屋地址"), QStringLiteral("改了"));
        set.post();
        set.append();
        set.setValue(QStringLiteral("收件号"), QStringLiteral("00000009"));
        set.post();
        set.append();
        set.cancel(); // an appended row dropped
        set.setCurrentRow(0);
        set.deleteCurrent();
        set.applyBatch();
        QCOMPARE(set.rowCount(), 3);
        set.setCurrentRow(2);
        set.deleteCurrent();
        set.append();
        set.setValue(QStringLiteral("收件号"), QStringLiteral("00000010"));
        set.cancelBatch();
        QCOMPARE(set.rowCount(), 3);
        set.open();
        set.close();
        QCOMPARE(set.rowCount(), 0);
    }

    void twoWorkstations_data() { engineRows(); }
    void twoWorkstations() {
        QFETCH(QString, engine);
        Fixture f(engine);
        f.seedThree();
        auto mine = f.openAll(f.conn);
        auto theirs = f.openAll(f.other);
        const int idB = f.idOf(QStringLiteral("00000002"));

        theirs->setCurrentRow(1);
        theirs->setValue(QStringLiteral("联系人"), QStringLiteral("他们"));
        theirs->applyBatch();

        mine->setCurrentRow(1);
        mine->setValue(QStringLiteral("联系人"), QStringLiteral("我们"));
        try {
            mine->applyBatch();
            QFAIL("overwrote another workstation's change");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), QStringLiteral("该记录已被其他用户修改或删除,请刷新后重试!"));
        }
        QCOMPARE(f.column(idB, QStringLiteral("联系人")).toString(), QStringLiteral("他们"));
        QCOMPARE(mine->pendingCount(), 1);

        // A different row of the same list is written (rows with many empty columns included).
        mine->cancelBatch();
        mine->setCurrentRow(2);
        mine->setValue(QStringLiteral("联系人"), QStringLiteral("我们"));
        mine->applyBatch();
        QCOMPARE(f.column(f.idOf(QStringLiteral("00000003")), QStringLiteral("联系人")).toString(),
                 QStringLiteral("我们"));

        // Deleting a row another workstation changed is refused too.
        mine->setCurrentRow(1);
        mine->deleteCurrent();
        QVERIFY_THROWS_EXCEPTION(DbError, mine->applyBatch());
        QCOMPARE(f.rowCount(), 3);
        QCOMPARE(mine->pendingCount(), 1);

        // And a row deleted meanwhile cannot be updated.
        mine->open();
        theirs->open();
        theirs->setCurrentRow(0);
        theirs->deleteCurrent();
        theirs->applyBatch();
        mine->setCurrentRow(0);
        mine->setValue(QStringLiteral("楼层"), 3);
        QVERIFY_THROWS_EXCEPTION(DbError, mine->applyBatch());
        QCOMPARE(f.rowCount(), 2);
    }

    void valueValidation_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QString>("refusal"); // empty: accepted
        QTest::addColumn<QString>("shown");
        const QString hundred = QString(100, QChar(0x623f));
        QTest::newRow("text at its size") << "房屋地址" << QVariant(hundred) << QString() << hundred;
        QTest::newRow("text too long")
            << "房屋地址" << QVariant(hundred + u'x') << "房屋地址 最多只能填写100个字符" << QString();
        QTest::newRow("bill number too long")
            << "收件号" << QVariant("12345678901") << "收件号 最多只能填写10个字符" << QString();
        QTest::newRow("letters for integer")
            << "建筑面积" << QVariant("12a") << "建筑面积 只能填写整数" << QString();
        QTest::newRow("fraction for integer")
            << "建筑面积" << QVariant("12.5") << "建筑面积 只能填写整数" << QString();
        QTest::newRow("integer too large")
            << "楼层" << QVariant("2147483648")
            << "楼层 超出范围,只能填写 -2147483648 到 2147483647 之间的整数" << QString();
        QTest::newRow("integer smallest") << "楼层" << QVariant("-2147483648") << QString() << "-2147483648";
        QTest::newRow("integer typed") << "建筑面积" << QVariant(" 120 ") << QString() << "120";
        QTest::newRow("money four decimals") << "租金" << QVariant("1.2345") << QString() << "1.2345";
        QTest::newRow("money five decimals")
            << "租金" << QVariant("1.23456") << "租金 最多只能有四位小数" << QString();
        QTest::newRow("money double five decimals")
            << "租金" << QVariant(0.00001) << "租金 最多只能有四位小数" << QString();
        QTest::newRow("money trailing zeros") << "佣金金额" << QVariant("450.5000") << QString() << "450.5";
        QTest::newRow("money letters") << "租金" << QVariant("1,5x") << "租金 只能填写数字" << QString();
        QTest::newRow("money too large")
            << "租金" << QVariant("900719925474.0992") << "租金 超出范围" << QString();
        QTest::newRow("money far too large")
            << "租金" << QVariant("99999999999999999999999") << "租金 超出范围" << QString();
        QTest::newRow("money largest")
            << "租金" << QVariant("-900719925474.0991") << QString() << "-900719925474.0991";
        QTest::newRow("date") << "竣工日期" << QVariant("2024-02-29") << QString() << "2024-02-29";
        QTest::newRow("no such date")
            << "竣工日期" << QVariant("2023-02-29") << "竣工日期 不是有效的日期" << QString();
        QTest::newRow("boolean") << "跟踪报警标志" << QVariant("1") << QString() << "True";
        QTest::newRow("not a boolean")
            << "跟踪报警标志" << QVariant("也许") << "跟踪报警标志 只能填写是或否" << QString();
    }
    void valueValidation() {
        QFETCH(QString, column);
        QFETCH(QVariant, input);
        QFETCH(QString, refusal);
        QFETCH(QString, shown);
        for (const QString& engine : ScratchDatabase::engines()) {
            Fixture f(engine);
            if (column == QStringLiteral("跟踪报警标志") && !f.booleansTyped())
                continue;
            f.seedThree();
            auto set = f.openAll(f.conn);
            const QVariant old = set->value(column);
            if (refusal.isEmpty()) {
                try {
                    set->setValue(column, input);
                    QCOMPARE(set->text(column), shown);
                    set->applyBatch(); // the database takes what the data set took
                    QCOMPARE(set->text(column), shown);
                    // and a later edit of the row still finds it as it was written
                    set->setValue(QStringLiteral("合同号"), QStringLiteral("HT-1"));
                    set->applyBatch();
                } catch (const DbError& e) {
                    QFAIL(qPrintable(engine + QStringLiteral(": ") + e.message()));
                }
                QCOMPARE(set->text(column), shown);
                continue;
            }
            try {
                set->setValue(column, input);
                QFAIL(qPrintable(engine + QStringLiteral(": accepted")));
            } catch (const FieldValueError& e) {
                QCOMPARE(e.message(), refusal);
                QCOMPARE(e.column(), column);
            }
            QCOMPARE(set->state(), BatchDataSet::State::Browse);
            QCOMPARE(set->value(column), old);
            QVERIFY(!set->hasPendingChanges());
        }
    }

    void clearingAndEmptyText_data() { engineRows(); }
    void clearingAndEmptyText() {
        QFETCH(QString, engine);
        Fixture f(engine);
        f.seedThree();
        auto set = f.openAll(f.conn);
        set->setValue(QStringLiteral("承租日期"), QDate(2020, 1, 1));
        set->setValue(QStringLiteral("承租价格"), 100);
        set->applyBatch();
        set->clearValue(QStringLiteral("承租日期"));
        set->clearValue(QStringLiteral("承租价格"));
        set->clearValue(QStringLiteral("状态位"));
        set->setValue(QStringLiteral("联系人"), QString());
        QVERIFY(set->isNull(QStringLiteral("承租日期")));
        QVERIFY(set->isNull(QStringLiteral("承租价格")));
        QVERIFY(!set->isNull(QStringLiteral("状态位")));
        QCOMPARE(set->value(QStringLiteral("状态位")).toString(), QString());
        set->applyBatch();
        const int id = set->value(QStringLiteral("ID")).toInt();
        QVERIFY(f.column(id, QStringLiteral("承租日期")).isNull());
        QVERIFY(f.column(id, QStringLiteral("承租价格")).isNull());
        QVERIFY(!f.column(id, QStringLiteral("状态位")).isNull());
        QVERIFY(!f.column(id, QStringLiteral("联系人")).isNull());
        QVERIFY(!set->isNull(QStringLiteral("状态位")));
    }

    void reopenDiscardsPending_data() { engineRows(); }
    void reopenDiscardsPending() {
        QFETCH(QString, engine);
        Fixture f(engine);
        f.seedThree();
        auto set = f.openAll(f.conn);
        set->setValue(QStringLiteral("房屋地址"), QStringLiteral("没存"));
        set->post();
        set->setCurrentRow(2);
        set->deleteCurrent();
        set->append();
        QSignalSpy pending(set.get(), &BatchDataSet::pendingChanged);
        set->open();
        QCOMPARE(pending.count(), 1);
        QVERIFY(!set->hasPendingChanges());
        QCOMPARE(set->recordCount(), 3);
        QCOMPARE(set->currentRow(), 0);
        QCOMPARE(set->text(QStringLiteral("房屋地址")), QStringLiteral("甲路1号"));
        set->applyBatch();
        QCOMPARE(f.column(f.idOf(QStringLiteral("00000001")), QStringLiteral("房屋地址")).toString(),
                 QStringLiteral("甲路1号"));
        QCOMPARE(f.rowCount(), 3);
    }

    void emptyListAndCursor_data() { engineRows(); }
    void emptyListAndCursor() {
        QFETCH(QString, engine);
        Fixture f(engine);
        auto set = f.openAll(f.conn);
        QVERIFY(set->isEmpty());
        QCOMPARE(set->currentRow(), -1);
        QVERIFY(set->value(QStringLiteral("收件号")).isNull());
        QVERIFY_THROWS_EXCEPTION(DbError, set->deleteCurrent());
        // Typing into an empty list starts a new row.
        set->setValue(QStringLiteral("收件号"), QStringLiteral("00000001"));
        QCOMPARE(set->state(), BatchDataSet::State::Insert);
        QCOMPARE(set->recordCount(), 1);
        // Leaving an appended row untouched drops it; cancelling an insert drops it too.
        set->append();
        QCOMPARE(set->recordCount(), 2);
        set->first();
        QCOMPARE(set->recordCount(), 1);
        set->append();
        set->setValue(QStringLiteral("收件号"), QStringLiteral("x"));
        set->cancel();
        QCOMPARE(set->recordCount(), 1);
        QCOMPARE(set->currentRow(), 0);
        if (!f.insertsGetKeys())
            return;
        set->applyBatch();
        QCOMPARE(f.rowCount(), 1);
        set->last();
        set->prior();
        set->next();
        QCOMPARE(set->currentRow(), 0);
        QVERIFY_THROWS_EXCEPTION(DbError, set->value(QStringLiteral("没有这列")));
    }
};

QTEST_GUILESS_MAIN(TestBatchDataSet)
#include "tst_BatchDataSet.moc"

#include "BillNumbers.h"
#include "FreeQuery.h"
#include "ScratchDatabase.h"
#include "ShellTestDb.h"
#include "TUserDM.h"
#include "TestSupport.h"

#include <QProcess>
#include <QSet>
#include <QTest>

namespace {
void setCounter(ShellTestDb& db, const QString& type, qint64 value) {
    FreeQuery q(db.dm().ADOConnection1);
    q.setSql(QStringLiteral("update S_收件单号 set BillNo=:n where Billtype=:t"));
    q.setParam(QStringLiteral("n"), value);
    q.setParam(QStringLiteral("t"), type);
    q.execute();
}

QVariant counter(ShellTestDb& db, const QString& type) {
    FreeQuery q(db.dm().ADOConnection1);
    q.setSql(QStringLiteral("select BillNo from S_收件单号 where Billtype=:t"));
    q.setParam(QStringLiteral("t"), type);
    q.open();
    return q.isEmpty() ? QVariant() : QVariant(q.value(0).toLongLong());
}

QStringList engines() {
    return ScratchDatabase::engines();
}
} // namespace

class TestBillNumbers : public QObject {
    Q_OBJECT
private slots:
    void counterCases_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("type");
        QTest::addColumn<qint64>("start"); // -1: no counter row
        QTest::addColumn<QStringList>("issued");
        QTest::addColumn<qint64>("after"); // -1: still no row
        for (const QString& e : engines()) {
            auto row = [&](const char* name) {
                return &QTest::newRow(qPrintable(e + u' ' + QLatin1String(name)));
            };
            *row("counter at 0") << e << "A" << qint64(0) << QStringList{"00000000", "00000001"} << qint64(2);
            *row("counter at 41") << e << "A" << qint64(41) << QStringList{"00000041"} << qint64(42);
            *row("the nine-digit wrap") << e << "B" << qint64(99999999)
                                        << QStringList{"99999999", "100000000", "00000001"} << qint64(2);
            *row("shared E: rent, purchase, rent")
                << e << "E" << qint64(7) << QStringList{"00000007", "00000008", "00000009"} << qint64(10);
            *row("no counter row") << e << "Z" << qint64(-1) << QStringList{"00000000", "00000000"}
                                   << qint64(-1);
        }
    }
    void counterCases() {
        QFETCH(QString, engine);
        QFETCH(QString, type);
        QFETCH(qint64, start);
        QFETCH(QStringList, issued);
        QFETCH(qint64, after);
        ShellTestDb db(engine);
        if (start >= 0)
            setCounter(db, type, start);
        QStringList got;
        for (int i = 0; i < issued.size(); ++i)
            got << NextBillNo(type);
        QCOMPARE(got, issued);
        if (after < 0) {
            QVERIFY(!counter(db, type).isValid());
            QCOMPARE(db.count(QStringLiteral("select count(*) from S_收件单号")), 3);
        } else {
            QCOMPARE(counter(db, type).toLongLong(), after);
        }
        QVERIFY(!db.dm().ADOConnection1.inTransaction());
    }

    // Drawn inside a caller's transaction, the number joins it and goes back with it.
    void joinsACallersTransaction() {
        ShellTestDb db;
        setCounter(db, QStringLiteral("A"), 5);
        db.dm().ADOConnection1.begin();
        QCOMPARE(NextBillNo(QStringLiteral("A")), QStringLiteral("00000005"));
        QVERIFY(db.dm().ADOConnection1.inTransaction());
        db.dm().ADOConnection1.rollback();
        QCOMPARE(counter(db, QStringLiteral("A")).toLongLong(), 5);
    }

    // Two workstations drawing at once from one database: no number twice, counter exact.
    void twoProcessesAtOnce_data() {
        QTest::addColumn<QString>("engine");
        for (const QString& e : engines())
            if (e != QLatin1String("odbc"))
                QTest::newRow(qPrintable(e)) << e;
    }
    void twoProcessesAtOnce() {
        QFETCH(QString, engine);
        ShellTestDb db(engine);
        setCounter(db, QStringLiteral("E"), 100);
        const int perProcess = 150;
        const QStringList args =
            QStringList{QString::number(perProcess), QStringLiteral("E")} + db.scratch().processArguments();
        QProcess a, b;
        a.start(QStringLiteral(BILLNO_DRAWER), args);
        b.start(QStringLiteral(BILLNO_DRAWER), args);
        QVERIFY(a.waitForFinished(120000));
        QVERIFY(b.waitForFinished(120000));
        QVERIFY2(a.exitCode() == 0, a.readAllStandardError().constData());
        QVERIFY2(b.exitCode() == 0, b.readAllStandardError().constData());
        const QStringList numbers = QString::fromUtf8(a.readAllStandardOutput() + b.readAllStandardOutput())
                                        .split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(numbers.size(), 2 * perProcess);
        QSet<QString> distinct(numbers.begin(), numbers.end());
        QCOMPARE(distinct.size(), 2 * perProcess);
        for (int n = 100; n < 100 + 2 * perProcess; ++n)
            QVERIFY(distinct.contains(BillNoText(n)));
        QCOMPARE(counter(db, QStringLiteral("E")).toLongLong(), 100 + 2 * perProcess);
    }
};

QTEST_MAIN(TestBillNumbers)
#include "tst_BillNumbers.moc"

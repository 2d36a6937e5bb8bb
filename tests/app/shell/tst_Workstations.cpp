// Several workstations on one database at once, and a workstation killed in the middle of a
// batch: every batch lands whole or not at all, nothing is lost, no bill number is drawn twice.
#include "BatchWriter.h"
#include "BillNumbers.h"
#include "DatabaseConnection.h"
#include "FreeQuery.h"
#include "ScratchDatabase.h"
#include "ShellTestDb.h"
#include "TUserDM.h"
#include "TestSupport.h"

#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <memory>
#include <vector>

namespace {
const QString kShared = QStringLiteral("共用房源");

QStringList databaseArgs(const ConnectionSettings& s, const QString& engine) {
    if (engine == QLatin1String("sqlcipher"))
        return {engine, s.filePath};
    return {engine, s.server, QString::number(s.port), s.user, s.database};
}

qint64 counterA(DatabaseConnection& c) {
    FreeQuery q(c);
    q.setSql(QStringLiteral("select BillNo from S_收件单号 where Billtype='A'"));
    q.open();
    return q.value(0).toLongLong();
}

struct Listing {
    int floor = 0;
    QString note;
    QString billNo;
};

// The listings whose 房屋地址 matches, by ID (shared rows) or by note (inserted rows).
QMap<QString, Listing> listings(DatabaseConnection& c, const QString& where, bool byNote) {
    FreeQuery q(c);
    q.setSql(QStringLiteral("select ID, 楼层, 出租方备注, 收件号 from H_出租表 where ") + where);
    q.open();
    QMap<QString, Listing> out;
    for (; !q.eof(); q.next()) {
        Listing l{q.value(1).toInt(), q.value(2).toString(), q.value(3).toString()};
        out.insert(byNote ? l.note : q.value(0).toString(), l);
    }
    return out;
}

void addEngines() {
    QTest::addColumn<QString>("engine");
    for (const QString& e : ScratchDatabase::engines())
        if (e != QLatin1String("odbc"))
            QTest::newRow(qPrintable(e)) << e;
}
} // namespace

class TestWorkstations : public QObject {
    Q_OBJECT
private slots:
    void fourWorkstationsAtOnce_data() { addEngines(); }

    // Four processes each send a few hundred batches that edit two of four shared rows, insert a
    // row and draw a bill number. Replaying the accepted batches gives the final rows.
    void fourWorkstationsAtOnce() {
        QFETCH(QString, engine);
        ShellTestDb db(engine);
        DatabaseConnection& c = db.dm().ADOConnection1;
        for (int i = 0; i < 4; ++i)
            ScratchDatabase::insertRow(c, QStringLiteral("H_出租表"),
                                       {{QStringLiteral("房屋地址"), kShared},
                                        {QStringLiteral("楼层"), 0},
                                        {QStringLiteral("出租方备注"), QStringLiteral("seed")},
                                        {QStringLiteral("状态位"), QStringLiteral("未出租")}});
        const qint64 firstNumber = counterA(c);
        const int workers = 4;
        const int batches = 200;

        std::vector<std::unique_ptr<QProcess>> procs;
        for (int w = 0; w < workers; ++w) {
            procs.push_back(std::make_unique<QProcess>());
            procs.back()->start(
                QStringLiteral(BATCH_WORKER),
                QStringList{QStringLiteral("load"), QString::number(w), QString::number(batches)} +
                    databaseArgs(db.scratch().settings(), engine));
        }
        QMap<QString, int> editsPerRow;           // shared row ID -> accepted batches that edited it
        QMap<QString, QSet<QString>> marksPerRow; // shared row ID -> marks of those batches
        QMap<QString, QString> acceptedInserts;   // mark -> bill number
        QSet<QString> drawn;
        int refused = 0;
        for (int w = 0; w < workers; ++w) {
            QProcess& p = *procs[size_t(w)];
            QVERIFY(p.waitForFinished(400000));
            QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
            const QStringList lines =
                QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), batches);
            for (const QString& l : lines) {
                const QStringList f = l.split(u' ');
                const QString mark = QStringLiteral("w%1-b%2").arg(w).arg(f.value(1));
                QVERIFY2(!drawn.contains(f.value(2)), qPrintable(l));
                drawn.insert(f.value(2));
                if (f[0] == QLatin1String("ok")) {
                    acceptedInserts.insert(mark, f.value(2));
                    for (const QString& id : {f.value(3), f.value(4)}) {
                        ++editsPerRow[id];
                        marksPerRow[id].insert(mark);
                    }
                } else {
                    QCOMPARE(f[0], QStringLiteral("refused"));
                    QCOMPARE(f.mid(3).join(u' '), BatchWriter::conflictMessage());
                    ++refused;
                }
            }
        }
        qInfo("%s: %d batches accepted, %d refused as conflicts", qPrintable(engine),
              int(acceptedInserts.size()), refused);

        // Bill numbers: every one drawn once, the counter exactly past the last.
        QCOMPARE(drawn.size(), workers * batches);
        for (qint64 n = firstNumber; n < firstNumber + workers * batches; ++n)
            QVERIFY(drawn.contains(BillNoText(n)));
        QCOMPARE(counterA(c), firstNumber + workers * batches);

        // Shared rows: one floor per accepted edit (no update lost), the note of one of them.
        const auto shared = listings(c, QStringLiteral("房屋地址='共用房源'"), false);
        QCOMPARE(shared.size(), 4);
        for (auto it = shared.cbegin(); it != shared.cend(); ++it) {
            QCOMPARE(it->floor, editsPerRow.value(it.key()));
            if (it->floor > 0)
                QVERIFY2(marksPerRow.value(it.key()).contains(it->note), qPrintable(it->note));
        }
        // Inserted rows: exactly those of the accepted batches, each with its bill number.
        const auto inserted = listings(c, QStringLiteral("房屋地址 like '新增 %'"), true);
        QCOMPARE(inserted.size(), acceptedInserts.size());
        for (auto it = acceptedInserts.cbegin(); it != acceptedInserts.cend(); ++it) {
            QVERIFY2(inserted.contains(it.key()), qPrintable(it.key()));
            QCOMPARE(inserted.value(it.key()).billNo, it.value());
        }
    }

    void killedInTheMiddleOfABatch_data() { addEngines(); }

    // SIGKILL while a large batch is being sent: the database is whole and the batch is either
    // all there or not there at all.
    void killedInTheMiddleOfABatch() {
        QFETCH(QString, engine);
        ShellTestDb db(engine);
        const int rows = 20000;
        QProcess p;
        p.start(QStringLiteral(BATCH_WORKER), QStringList{QStringLiteral("big"), QString::number(rows)} +
                                                  databaseArgs(db.scratch().settings(), engine));
        QByteArray out;
        for (int i = 0; i < 600 && !out.contains("sending"); ++i) {
            p.waitForReadyRead(1000);
            out += p.readAllStandardOutput();
            QVERIFY2(p.state() == QProcess::Running, p.readAllStandardError().constData());
        }
        QVERIFY(out.contains("sending"));
        QTest::qWait(300); // into the batch
        p.kill();
        QVERIFY(p.waitForFinished(30000));
        out += p.readAllStandardOutput();
        const bool finished = out.contains("sent");
        qInfo("%s: killed %s the batch had been sent", qPrintable(engine), finished ? "after" : "before");

        DatabaseConnection after(QStringLiteral("after_kill"));
        after.open(db.scratch().settings());
        FreeQuery q(after);
        if (engine == QLatin1String("sqlcipher")) {
            q.setSql(QStringLiteral("PRAGMA integrity_check"));
            q.open();
            QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
            q.close();
        }
        q.setSql(
            QStringLiteral("select count(*), count(distinct 楼层) from H_出租表 where 出租方备注='big'"));
        q.open();
        const int there = q.value(0).toInt();
        QVERIFY2(there == 0 || there == rows, qPrintable(QString::number(there)));
        QCOMPARE(q.value(1).toInt(), there);
        if (finished)
            QCOMPARE(there, rows);
        q.close();
        // The database takes writes again at once.
        q.setSql(QStringLiteral("update S_收件单号 set BillNo=BillNo where Billtype='A'"));
        q.execute();
        after.close();
    }
};

QTEST_MAIN(TestWorkstations)
#include "tst_Workstations.moc"

// Opening the lease list over many rows (time and peak memory) against the sqlcipher command line
// reading the same rows and against the file size; sending a batch with one changed row.
//
//   bench_batch [rows] [file]     makes the file when it does not exist (default 100000 rows)
//
// The measuring runs in a child process of its own, so its peak memory holds nothing of the filling.

#include "BatchDataSet.h"
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DateText.h"
#include "DbError.h"
#include "HouseDbMaker.h"
#include "SqlDialect.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

const QString ListSql =
    QStringLiteral(" Select * from  H_出租表 where  编辑日期 between :beginDate and :EndDate and "
                   "状态位=:Stat  Order by 编辑日期 DESC  ");

long statusKb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLong();
    return -1;
}

ConnectionSettings fileSettings(const QString& path) {
    ConnectionSettings s;
    s.engine = SqlEngine::SqlCipher;
    s.filePath = path;
    s.key = ConnectionSettings::localFilePassword();
    return s;
}

void fill(const QString& path, int rows) {
    HouseDbMaker::make(path, ConnectionSettings::localFilePassword());
    DatabaseConnection conn(QStringLiteral("filler"));
    conn.open(fileSettings(path));
    conn.begin();
    QSqlQuery q(conn.database());
    const QString sql =
        QStringLiteral("INSERT INTO H_出租表 (收件号, 房屋地址, 建筑面积, 房型, 朝向, 楼层, 租金, 区域, "
                       "竣工日期, 产权证号, 房屋设施, "
                       "装修情况, 交通情况, 周围环境, 联系人, 联系电话一, 联系电话二, 联系人身份证号, "
                       "出租方备注, 编辑人, 编辑日期, "
                       "状态位, 跟踪报警标志) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    if (!q.prepare(sql))
        throw DbError::fromSqlError(q.lastError(), sql);
    const QStringList layouts{QStringLiteral("一室一厅"), QStringLiteral("两室一厅"),
                              QStringLiteral("三室两厅")};
    const QStringList districts{QStringLiteral("浦东"), QStringLiteral("徐汇"), QStringLiteral("静安"),
                                QStringLiteral("长宁")};
    const QDate today = QDate::currentDate();
    for (int i = 0; i < rows; ++i) {
        const QVariantList values{
            QStringLiteral("%1").arg(i + 1, 8, 10, QLatin1Char('0')),
            QStringLiteral("上海市%1区张江路%2弄%3号%4室")
                .arg(districts[i % 4])
                .arg(i % 900)
                .arg(i % 37)
                .arg(101 + i % 20),
            60 + i % 90,
            layouts[i % 3],
            QStringLiteral("南北"),
            1 + i % 30,
            1500.0 + (i % 400) * 10,
            districts[i % 4],
            QDate(1990 + i % 30, 1 + i % 12, 1 + i % 28).toString(QString::fromLatin1(DateText::Iso)),
            QStringLiteral("沪房地字第%1号").arg(100000 + i),
            QStringLiteral("空调,热水器,冰箱,洗衣机,宽带"),
            QStringLiteral("精装修"),
            QStringLiteral("地铁2号线,公交981,775"),
            QStringLiteral("近学校,近超市,公园"),
            QStringLiteral("王先生"),
            QStringLiteral("138%1").arg(i, 8, 10, QLatin1Char('0')),
            QString(),
            QStringLiteral("31011519800101%1").arg(i % 1000, 3, 10, QLatin1Char('0')),
            QStringLiteral("随时看房"),
            QStringLiteral("张三"),
            today.addDays(-(i % 10)).toString(QString::fromLatin1(DateText::Iso)),
            QStringLiteral("未出租"),
            0};
        for (int v = 0; v < values.size(); ++v)
            q.bindValue(v, values[v]);
        if (!q.exec())
            throw DbError::fromSqlError(q.lastError(), sql);
    }
    q.finish();
    conn.commit();
}

double cliSeconds(const QString& path, int* rowsOut) {
    const QDate today = QDate::currentDate();
    const QString script =
        QStringLiteral(
            "PRAGMA key='%1';\n.output /dev/null\nSelect * from  H_出租表 where  编辑日期 between '%2' and "
            "'%3' and 状态位='未出租'  Order by 编辑日期 DESC;\n.output stdout\nselect count(*) from "
            "H_出租表 "
            "where 编辑日期 between '%2' and '%3' and 状态位='未出租';\n")
            .arg(ConnectionSettings::localFilePassword(), today.addDays(-10).toString(Qt::ISODate),
                 today.toString(Qt::ISODate));
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        QProcess cli;
        QElapsedTimer t;
        t.start();
        cli.start(QStringLiteral("sqlcipher"), {QStringLiteral("-batch"), path});
        cli.write(script.toUtf8());
        cli.closeWriteChannel();
        cli.waitForFinished(-1);
        best = std::min(best, t.nsecsElapsed() / 1e9);
        *rowsOut = cli.readAllStandardOutput().trimmed().split('\n').last().toInt();
    }
    return best;
}

// The child: open the list once for memory, again for time, then send one-row batches.
int measure(const QString& path) {
    DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
    DatabaseConnection conn;
    conn.open(fileSettings(path));
    BatchDataSet set(conn);
    set.setTableName(QStringLiteral("H_出租表"));
    set.setSql(ListSql);
    set.setParam(QStringLiteral("BeginDate"),
                 conn.dialect().dateParam(DateText::format(QDate::currentDate().addDays(-10))));
    set.setParam(QStringLiteral("EndDate"), conn.dialect().dateParam(DateText::today()));
    set.setParam(QStringLiteral("Stat"), QStringLiteral("未出租"));

    const long rssBefore = statusKb("VmRSS:");
    QElapsedTimer t;
    t.start();
    set.open();
    const double firstOpen = t.nsecsElapsed() / 1e9;
    const long hwm = statusKb("VmHWM:");
    double best = firstOpen;
    for (int run = 0; run < 3; ++run) {
        t.restart();
        set.open();
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    // The driver alone, values fetched and dropped: the part of the opening that is not ours.
    double driverBest = 1e9;
    for (int run = 0; run < 3; ++run) {
        t.restart();
        QSqlQuery q(conn.database());
        q.setForwardOnly(true);
        q.prepare(QString(ListSql)
                      .replace(QStringLiteral(":beginDate"), QStringLiteral("?"))
                      .replace(QStringLiteral(":EndDate"), QStringLiteral("?"))
                      .replace(QStringLiteral(":Stat"), QStringLiteral("?")));
        q.addBindValue(DateText::format(QDate::currentDate().addDays(-10)));
        q.addBindValue(DateText::today());
        q.addBindValue(QStringLiteral("未出租"));
        q.exec();
        const int columns = q.record().count();
        qint64 cells = 0;
        while (q.next())
            for (int c = 0; c < columns; ++c)
                cells += q.value(c).isNull() ? 0 : 1;
        driverBest = std::min(driverBest, t.nsecsElapsed() / 1e9);
        if (cells == 0)
            std::printf("child driver_read_nothing\n");
    }
    std::printf("child driver_only_best_s %.4f\n", driverBest);
    std::printf("child rows %d\nchild open_first_s %.4f\nchild open_best_s %.4f\n", set.recordCount(),
                firstOpen, best);
    std::printf("child rss_before_kb %ld\nchild hwm_after_first_open_kb %ld\n", rssBefore, hwm);

    // One changed row, sent: the write, its check and the read-back, nothing else.
    std::vector<double> sends;
    const int address = set.columnIndex(QStringLiteral("联系人"));
    for (int run = 0; run < 7; ++run) {
        set.setCurrentRow(set.recordCount() / 2 + run);
        set.setValue(QStringLiteral("联系人"), QStringLiteral("李%1").arg(run));
        t.restart();
        set.applyBatch();
        sends.push_back(t.nsecsElapsed() / 1e6);
        if (set.valueAt(set.currentRow(), address).toString() != QStringLiteral("李%1").arg(run))
            std::printf("child send_wrong_value\n");
    }
    std::sort(sends.begin(), sends.end());
    std::printf("child send_one_row_ms_median %.3f\nchild send_one_row_ms_best %.3f\n",
                sends[sends.size() / 2], sends.front());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.value(1) == QLatin1String("--measure"))
            return measure(args.value(2));

        const int rows = args.size() > 1 ? args.value(1).toInt() : 100000;
        QTemporaryDir dir;
        const QString path = args.size() > 2 ? args.value(2) : dir.filePath(QStringLiteral("House.HDB"));
        if (!QFileInfo::exists(path)) {
            QElapsedTimer t;
            t.start();
            fill(path, rows);
            std::printf("filled %d rows in %.1f s\n", rows, t.nsecsElapsed() / 1e9);
        }
        const double fileMb = QFileInfo(path).size() / 1048576.0;
        int cliRows = 0;
        const double cli = cliSeconds(path, &cliRows);

        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(app.applicationFilePath(), {QStringLiteral("--measure"), path});
        child.waitForFinished(-1);
        const QByteArray out = child.readAllStandardOutput();
        std::printf("%s", out.constData());
        double open = 0;
        long before = 0, hwm = 0;
        for (const QByteArray& line : out.split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() != 3)
                continue;
            if (parts[1] == "open_best_s")
                open = parts[2].toDouble();
            else if (parts[1] == "rss_before_kb")
                before = parts[2].toLong();
            else if (parts[1] == "hwm_after_first_open_kb")
                hwm = parts[2].toLong();
        }
        const double heldMb = (hwm - before) / 1024.0;
        std::printf("file_mb %.2f\nsqlcipher_cli_rows %d\nsqlcipher_cli_s %.4f\n", fileMb, cliRows, cli);
        std::printf("open / cli = %.2f (aim <= 1.5)\n", cli > 0 ? open / cli : 0.0);
        std::printf("memory held by the open list %.2f MB = %.2f x file (aim < 3)\n", heldMb,
                    heldMb / fileMb);
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

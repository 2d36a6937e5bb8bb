// Sorting and filtering the lease grid over 100,000 listings read by a batch data set from a
// fresh House.HDB. Prints the time of each step.
#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DateText.h"
#include "FreeQuery.h"
#include "HouseDbMaker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>
#include <functional>

namespace {

QTextStream out(stdout);

// Processor time of this process: the machine may be shared, so both figures are printed.
double cpuMs() {
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

void timed(const QString& what, const std::function<void()>& step) {
    QElapsedTimer timer;
    const double cpu = cpuMs();
    timer.start();
    step();
    QCoreApplication::processEvents();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    out << qSetFieldWidth(48) << Qt::left << what << qSetFieldWidth(0) << qSetFieldWidth(9) << Qt::right
        << QString::number(ms, 'f', 1) << qSetFieldWidth(0) << " ms   cpu " << qSetFieldWidth(8)
        << QString::number(cpuMs() - cpu, 'f', 1) << qSetFieldWidth(0) << " ms\n";
    out.flush();
}

void fill(DatabaseConnection& connection, int rows) {
    FreeQuery query(connection);
    query.setSql(
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO H_出租表 (收件号, 房屋地址, 建筑面积, 房型, 朝向, 楼层, 租金, 区域, 装修情况, "
            "联系人, "
            "联系电话一, 编辑人, 编辑日期, 状态位, 受理人, 承租价格, 跟踪报警标志) "
            "SELECT printf('%08d', i), '幸福路' || (i % 997) || '号' || (i % 31) || '室', 40 + i % 120, "
            "CASE i % 5 WHEN 0 THEN '一室一厅' WHEN 1 THEN '两室一厅' WHEN 2 THEN '两室两厅' WHEN 3 THEN "
            "'三室一厅' "
            "ELSE '三室两厅' END, CASE i % 4 WHEN 0 THEN '南' WHEN 1 THEN '北' WHEN 2 THEN '东' ELSE '西' "
            "END, "
            "1 + i % 30, 500 + (i * 37) % 4500, CASE i % 6 WHEN 0 THEN '城东' WHEN 1 THEN '城西' WHEN 2 THEN "
            "'城南' "
            "WHEN 3 THEN '城北' WHEN 4 THEN '开发区' ELSE '新区' END, CASE i % 3 WHEN 0 THEN '精装修' WHEN 1 "
            "THEN "
            "'简装修' ELSE '毛坯' END, '联系人' || (i % 500), '1390000' || printf('%04d', i % 10000), "
            "'录入员' || (i % 7), date('2024-01-01', '+' || (i % 365) || ' days'), "
            "CASE i % 3 WHEN 0 THEN '已出租' WHEN 1 THEN '未出租' ELSE '已作废' END, '受理员' || (i % 5), "
            "CASE i % 3 WHEN 0 THEN 400 + (i * 13) % 4000 ELSE NULL END, i % 2 FROM n")
            .arg(rows));
    query.execute();
}

void layOut(BandedGrid& grid) {
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("宋体")});
    font.setPixelSize(13);
    grid.setFont(font);
    grid.addBand(QStringLiteral("出租信息"));
    for (const char* field : {"收件号", "状态位", "房屋地址", "建筑面积", "房型", "朝向", "楼层", "租金",
                              "区域", "装修情况", "联系人", "联系电话一", "竣工日期", "出租方备注"})
        grid.addColumn(QString::fromUtf8(field), QString(), 80);
    grid.addBand(QStringLiteral("中介信息"));
    for (const char* field : {"编辑人", "编辑日期", "受理人", "佣金金额", "受理日期"})
        grid.addColumn(QString::fromUtf8(field), QString(), 80);
    grid.addBand(QStringLiteral("承租信息"));
    for (const char* field : {"承租人姓名", "承租日期", "承租人联系电话", "承租价格", "承租人身份证号码"})
        grid.addColumn(QString::fromUtf8(field), QString(), 80);
    grid.setFilterColumns({QStringLiteral("收件号"), QStringLiteral("状态位"), QStringLiteral("房型"),
                           QStringLiteral("朝向"), QStringLiteral("楼层"), QStringLiteral("租金"),
                           QStringLiteral("区域"), QStringLiteral("装修情况"), QStringLiteral("承租日期"),
                           QStringLiteral("编辑人"), QStringLiteral("受理人")});
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;

    QTemporaryDir dir;
    ConnectionSettings settings;
    settings.engine = SqlEngine::SqlCipher;
    settings.filePath = dir.filePath(QStringLiteral("House.HDB"));
    settings.key = ConnectionSettings::localFilePassword();
    HouseDbMaker::make(settings.filePath, settings.key);
    DatabaseConnection connection;
    connection.open(settings);
    out << "Lease grid over " << rows << " listings (SQLCipher file)\n";
    timed(QStringLiteral("fill the table"), [&] { fill(connection, rows); });

    {
        BatchDataSet alone(connection);
        alone.setSql(QStringLiteral("Select * from H_出租表 order by 编辑日期 DESC"));
        timed(QStringLiteral("open the data set alone (no grid)"), [&] { alone.open(); });
    }
    BatchDataSet ds(connection);
    ds.setSql(QStringLiteral("Select * from H_出租表 order by 编辑日期 DESC"));
    ds.setTableName(QStringLiteral("H_出租表"));
    BandedGrid grid;
    layOut(grid);
    grid.setDataSet(&ds);
    grid.resize(1280, 800);
    grid.show();
    QCoreApplication::processEvents();

    timed(QStringLiteral("open the data set under the grid"), [&] { ds.open(); });
    timed(QStringLiteral("sort on 租金 (money)"), [&] { grid.sortOn(QStringLiteral("租金")); });
    timed(QStringLiteral("sort on 租金 descending"),
          [&] { grid.sortOn(QStringLiteral("租金"), Qt::DescendingOrder); });
    timed(QStringLiteral("sort on 状态位 (text, 3 values)"), [&] { grid.sortOn(QStringLiteral("状态位")); });
    timed(QStringLiteral("then add 租金 (shift-click)"),
          [&] { grid.sortOn(QStringLiteral("租金"), Qt::AscendingOrder, true); });
    timed(QStringLiteral("sort on 房屋地址 (text, pinyin order)"),
          [&] { grid.sortOn(QStringLiteral("房屋地址")); });
    timed(QStringLiteral("sort on 编辑日期 (date)"), [&] { grid.sortOn(QStringLiteral("编辑日期")); });
    timed(QStringLiteral("sort on 收件号 descending"),
          [&] { grid.sortOn(QStringLiteral("收件号"), Qt::DescendingOrder); });
    timed(QStringLiteral("back to the data set's order"), [&] { grid.clearSort(); });
    timed(QStringLiteral("filter drop-down values of 状态位"),
          [&] { grid.filterValues(QStringLiteral("状态位")); });
    timed(QStringLiteral("filter drop-down values of 收件号 (all distinct)"),
          [&] { grid.filterValues(QStringLiteral("收件号")); });
    timed(QStringLiteral("filter 状态位 = 未出租"),
          [&] { grid.setFilter(QStringLiteral("状态位"), QStringLiteral("未出租")); });
    out << "  rows shown: " << grid.viewRowCount() << "\n";
    timed(QStringLiteral("and 房型 = 两室一厅"),
          [&] { grid.setFilter(QStringLiteral("房型"), QStringLiteral("两室一厅")); });
    out << "  rows shown: " << grid.viewRowCount() << "\n";
    timed(QStringLiteral("sort the filtered rows on 租金"), [&] { grid.sortOn(QStringLiteral("租金")); });
    timed(QStringLiteral("clear the filters (sorted)"), [&] { grid.clearFilters(); });
    timed(QStringLiteral("focus the last row, then 1000 x next"), [&] {
        grid.focusFirst();
        for (int i = 0; i < 1000; ++i)
            grid.focusNext();
    });
    timed(QStringLiteral("re-run the query (sorted grid)"), [&] { ds.open(); });
    timed(QStringLiteral("paint the grid (grab 1280x800)"), [&] { grid.grab(); });
    return 0;
}

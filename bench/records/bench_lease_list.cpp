// Opening the lease list over 100,000 rows in range, sorting and filtering its grid, and sending
// a batch with one changed row, against the sqlcipher command line reading the same rows.
#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DateText.h"
#include "FreeQuery.h"
#include "HouseDbMaker.h"
#include "RangeDateEdit.h"
#include "TFrm_LeaseDetail.h"
#include "TSetValue.h"
#include "TUserDM.h"
#include "Tfrm_HouseLease.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {
long rssKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    f.open(QIODevice::ReadOnly);
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

double ms(QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
    const int rows = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    ConnectionSettings s;
    s.filePath = dir.filePath(QStringLiteral("House.HDB"));
    s.key = ConnectionSettings::localFilePassword();
    HouseDbMaker::make(s.filePath, s.key);

    UserDM = new TUserDM();
    UserDM->ADOConnection1.open(s);
    {
        DatabaseConnection& c = UserDM->ADOConnection1;
        c.begin();
        FreeQuery q(c);
        q.setSql(
            QStringLiteral("insert into H_出租表 "
                           "(收件号,房屋地址,建筑面积,房型,朝向,楼层,租金,区域,装修情况,联系人,联系电话一,"
                           "出租方备注,编辑人,编辑日期,状态位,跟踪报警标志) values "
                           "(:a,:b,:c,'两室一厅','朝南',:d,:e,'西湖区',"
                           "'精装修','陈建国','13805718888','房东急租,可议价','张三',:f,'未出租',0)"));
        for (int i = 0; i < rows; ++i) {
            q.setParam(QStringLiteral("a"), QString::number(i).rightJustified(8, u'0'));
            q.setParam(QStringLiteral("b"), QStringLiteral("西湖区文三路%1号").arg(i));
            q.setParam(QStringLiteral("c"), 50 + i % 90);
            q.setParam(QStringLiteral("d"), 1 + i % 30);
            q.setParam(QStringLiteral("e"), 1000 + i % 3000);
            q.setParam(QStringLiteral("f"), DateText::format(QDate::currentDate().addDays(-(i % 10))));
            q.execute();
        }
        c.commit();
    }
    AppGlobals.AppPath = dir.path();
    const qint64 fileBytes = QFileInfo(s.filePath).size();

    const QString range = QStringLiteral("编辑日期 between '%1' and '%2'")
                              .arg(DateText::format(QDate::currentDate().addDays(-10)), DateText::today());
    QElapsedTimer t;
    t.start();
    QProcess cli;
    cli.start(QStringLiteral("sqlcipher"),
              {s.filePath, QStringLiteral("PRAGMA key='%1';").arg(s.key),
               QStringLiteral("select * from H_出租表 where %1 and 状态位='未出租' order by 编辑日期 desc;")
                   .arg(range)});
    cli.waitForFinished(-1);
    const qint64 cliBytes = cli.readAllStandardOutput().size();
    const double cliMs = ms(t);

    Tfrm_HouseLease list;
    TFrm_LeaseDetail detail;
    list.setDetailWindow(&detail);
    list.SetOpeningRange();
    const long rssBefore = rssKb();
    t.restart();
    list.BtQueryClick();
    const double openMs = ms(t);
    const long rssAfter = rssKb();

    t.restart();
    list.dxDBGrid1->sortOn(QStringLiteral("租金"));
    const double sortMs = ms(t);
    t.restart();
    list.dxDBGrid1->sortOn(QStringLiteral("楼层"), Qt::DescendingOrder, true);
    const double sort2Ms = ms(t);
    t.restart();
    list.dxDBGrid1->setFilter(QStringLiteral("楼层"), QStringLiteral("7"));
    const double filterMs = ms(t);
    const int filtered = list.dxDBGrid1->viewRowCount();
    list.dxDBGrid1->clearFilters();
    list.dxDBGrid1->clearSort();

    list.QryData->setCurrentRow(rows / 2);
    list.QryData->setValue(QStringLiteral("房屋地址"), QStringLiteral("改过的地址"));
    t.restart();
    list.QryData->applyBatch();
    const double batchMs = ms(t);

    std::printf("rows in range                 %d (file %.1f MB)\n", list.QryData->recordCount(),
                fileBytes / 1e6);
    std::printf("sqlcipher CLI reading them    %.1f ms (%.1f MB of text)\n", cliMs, cliBytes / 1e6);
    std::printf("lease list query + grid       %.1f ms (%.2f x the CLI)\n", openMs, openMs / cliMs);
    std::printf("memory held by the list       %.1f MB (%.2f x the file)\n", (rssAfter - rssBefore) / 1024.0,
                (rssAfter - rssBefore) * 1024.0 / fileBytes);
    std::printf("sort on 租金                  %.1f ms\n", sortMs);
    std::printf("add 楼层 descending           %.1f ms\n", sort2Ms);
    std::printf("filter 楼层 = 7               %.1f ms (%d rows)\n", filterMs, filtered);
    std::printf("send batch, one changed row   %.2f ms\n", batchMs);
    delete UserDM;
    UserDM = nullptr;
    return 0;
}

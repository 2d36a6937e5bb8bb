// Opening the sale list over 100,000 rows in range against the lease list over as many rows, in
// the same run on the same file (each opened several times in turn; the medians are reported),
// and the sqlcipher command line reading the sale rows.
#include "BatchDataSet.h"
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DateText.h"
#include "FreeQuery.h"
#include "HouseDbMaker.h"
#include "TFrm_LeaseDetail.h"
#include "TFrm_Sale.h"
#include "TFrm_SaleDetail.h"
#include "TSetValue.h"
#include "TUserDM.h"
#include "Tfrm_HouseLease.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double ms(QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Inserts rows listings of one family, registered over the last ten days, unlet or unsold.
void fill(DatabaseConnection& c, const QString& table, const QString& priceColumn, const QString& state,
          int rows) {
    c.begin();
    FreeQuery q(c);
    q.setSql(QStringLiteral(
                 "insert into %1 (收件号,房屋地址,建筑面积,房型,朝向,楼层,%2,区域,装修情况,联系人,"
                 "联系电话一,出租方备注,编辑人,编辑日期,状态位) values (:a,:b,:c,'两室一厅','朝南',:d,:e,"
                 "'西湖区','精装修','陈建国','13805718888','房东急售,可议价','张三',:f,:g)")
                 .arg(table, priceColumn));
    for (int i = 0; i < rows; ++i) {
        q.setParam(QStringLiteral("a"), QString::number(i).rightJustified(8, u'0'));
        q.setParam(QStringLiteral("b"), QStringLiteral("西湖区文三路%1号").arg(i));
        q.setParam(QStringLiteral("c"), 50 + i % 90);
        q.setParam(QStringLiteral("d"), 1 + i % 30);
        q.setParam(QStringLiteral("e"), 1000 + i % 3000);
        q.setParam(QStringLiteral("f"), DateText::format(QDate::currentDate().addDays(-(i % 10))));
        q.setParam(QStringLiteral("g"), state);
        q.execute();
    }
    c.commit();
}

// One opening of a family's list as its opening routine lists it: windows, range, query, grid.
template <class List, class Detail> double openOnce(int* count) {
    QElapsedTimer t;
    t.start();
    List list;
    Detail detail;
    list.setDetailWindow(&detail);
    list.SetOpeningRange();
    list.BtQueryClick();
    *count = list.QryData->recordCount();
    return ms(t);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
    const int rows = argc > 1 ? atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? atoi(argv[2]) : 7;
    QTemporaryDir dir;
    ConnectionSettings s;
    s.filePath = dir.filePath(QStringLiteral("House.HDB"));
    s.key = ConnectionSettings::localFilePassword();
    HouseDbMaker::make(s.filePath, s.key);

    UserDM = new TUserDM();
    UserDM->ADOConnection1.open(s);
    fill(UserDM->ADOConnection1, QStringLiteral("H_出租表"), QStringLiteral("租金"), QStringLiteral("未出租"),
         rows);
    fill(UserDM->ADOConnection1, QStringLiteral("H_出售表"), QStringLiteral("售价"), QStringLiteral("未出售"),
         rows);
    AppGlobals.AppPath = dir.path();

    QElapsedTimer t;
    t.start();
    QProcess cli;
    cli.start(
        QStringLiteral("sqlcipher"),
        {s.filePath, QStringLiteral("PRAGMA key='%1';").arg(s.key),
         QStringLiteral("select * from H_出售表 where 编辑日期 between '%1' and '%2' and 状态位='未出售' "
                        "order by 编辑日期 desc;")
             .arg(DateText::format(QDate::currentDate().addDays(-10)), DateText::today())});
    cli.waitForFinished(-1);
    const double cliMs = ms(t);

    std::vector<double> lease;
    std::vector<double> sale;
    int leaseRows = 0;
    int saleRows = 0;
    for (int i = 0; i < runs; ++i) {
        lease.push_back(openOnce<Tfrm_HouseLease, TFrm_LeaseDetail>(&leaseRows));
        sale.push_back(openOnce<TFrm_Sale, TFrm_SaleDetail>(&saleRows));
    }
    for (int i = 0; i < runs; ++i)
        std::printf("run %d: lease %.1f ms, sale %.1f ms\n", i + 1, lease[size_t(i)], sale[size_t(i)]);
    std::printf("file                           %.1f MB\n", QFileInfo(s.filePath).size() / 1e6);
    std::printf("sqlcipher CLI, sale rows       %.1f ms\n", cliMs);
    std::printf("lease list opening (median)    %.1f ms (%d rows)\n", median(lease), leaseRows);
    std::printf("sale list opening (median)     %.1f ms (%d rows, %.2f x the lease list, %.2f x the CLI)\n",
                median(sale), saleRows, median(sale) / median(lease), median(sale) / cliMs);
    delete UserDM;
    UserDM = nullptr;
    return 0;
}

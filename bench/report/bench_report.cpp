// Time to render one lease bill: to a PDF file, and into the preview window's pages.
// Usage: bench_report [rounds] [output folder]; the last PDF and a picture of the preview stay there.

#include "BillPrinter.h"
#include "Report.h"
#include "ReportPreviewDialog.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
QVariantMap leaseRecord() {
    return {{QStringLiteral("收件号"), QStringLiteral("00000123")},
            {QStringLiteral("房屋地址"), QStringLiteral("江城市滨江区望江路88号锦绣花园3幢2单元602室")},
            {QStringLiteral("建筑面积"), 96},
            {QStringLiteral("房型"), QStringLiteral("三室两厅")},
            {QStringLiteral("朝向"), QStringLiteral("南北")},
            {QStringLiteral("楼层"), 6},
            {QStringLiteral("租金"), 2800.0},
            {QStringLiteral("区域"), QStringLiteral("滨江区")},
            {QStringLiteral("竣工日期"), QDate(2012, 5, 1)},
            {QStringLiteral("产权证号"), QStringLiteral("江房权证滨字第2012003456号")},
            {QStringLiteral("房屋设施"), QStringLiteral("空调,热水器,冰箱,洗衣机,宽带,有线电视,燃气,暖气")},
            {QStringLiteral("装修情况"), QStringLiteral("精装修")},
            {QStringLiteral("交通情况"), QStringLiteral("1,21,155路公交望江路站;地铁2号线锦绣站")},
            {QStringLiteral("周围环境"), QStringLiteral("近学校,近超市,公园")},
            {QStringLiteral("联系人"), QStringLiteral("王建国")},
            {QStringLiteral("联系电话一"), QStringLiteral("13905710001")},
            {QStringLiteral("联系人身份证号"), QStringLiteral("33010619700101123")},
            {QStringLiteral("出租方备注"), QStringLiteral("家具家电齐全,可拎包入住;押一付三。")},
            {QStringLiteral("编辑人"), QStringLiteral("李小红")},
            {QStringLiteral("编辑日期"), QDate(2024, 3, 18)},
            {QStringLiteral("承租人姓名"), QStringLiteral("陈志明")},
            {QStringLiteral("承租人联系电话"), QStringLiteral("13805710002")},
            {QStringLiteral("承租人身份证号码"), QStringLiteral("330102198505052345")},
            {QStringLiteral("承租价格"), 2700.0},
            {QStringLiteral("承租日期"), QDate(2024, 4, 1)},
            {QStringLiteral("承租截止日期"), QDate(2025, 3, 31)},
            {QStringLiteral("承租方备注"), QStringLiteral("一年一签,到期优先续租。")},
            {QStringLiteral("状态位"), QStringLiteral("已出租")},
            {QStringLiteral("受理人"), QStringLiteral("张伟")},
            {QStringLiteral("受理日期"), QDate(2024, 3, 25)},
            {QStringLiteral("合同号"), QStringLiteral("HT-2024-0315")},
            {QStringLiteral("佣金金额"), 810.0},
            {QStringLiteral("跟踪报警标志"), true},
            {QStringLiteral("跟踪报警日期"), QDate(2025, 3, 1)}};
}

QVariantMap saleRecord() {
    QVariantMap r = leaseRecord();
    for (const char* lease : {"租金", "承租人姓名", "承租人联系电话", "承租人身份证号码", "承租价格",
                              "承租日期", "承租截止日期", "承租方备注", "跟踪报警标志", "跟踪报警日期"})
        r.remove(QString::fromUtf8(lease));
    r.insert(QStringLiteral("收件号"), QStringLiteral("00000045"));
    r.insert(QStringLiteral("产别"), QStringLiteral("商品房"));
    r.insert(QStringLiteral("售价"), 235.5);
    r.insert(QStringLiteral("使用年限"), 12);
    r.insert(QStringLiteral("购买人姓名"), QStringLiteral("赵丽"));
    r.insert(QStringLiteral("购买人联系电话"), QStringLiteral("13605710003"));
    r.insert(QStringLiteral("购买人身份证号码"), QStringLiteral("330105199002023456"));
    r.insert(QStringLiteral("购买价格"), 230.0);
    r.insert(QStringLiteral("购买日期"), QDate(2024, 5, 20));
    r.insert(QStringLiteral("购买方备注"), QStringLiteral("按揭付款,首付三成。"));
    r.insert(QStringLiteral("状态位"), QStringLiteral("已出售"));
    r.insert(QStringLiteral("佣金金额"), 46000.0);
    return r;
}

void printFigures(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    std::printf("%-28s rounds %3zu  mean %7.2f ms  median %7.2f ms  min %7.2f ms  max %7.2f ms\n", what,
                ms.size(), sum / double(ms.size()), ms[ms.size() / 2], ms.front(), ms.back());
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 30;
    QTemporaryDir scratch;
    const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2]) : scratch.path();
    QDir().mkpath(out);

    Report report;
    report.loadTemplate(QStringLiteral(LINTARA_SOURCE_DIR "/dist") + BillPrinter::leaseTemplate(),
                        BillPrinter::namedLabels());
    report.setLabelCaption(QStringLiteral("PLbYJ"), QStringLiteral("30"));
    report.setLabelCaption(QStringLiteral("PLBCompanyName"), QStringLiteral("江城安居房屋中介有限公司"));
    report.setLabelCaption(QStringLiteral("PLbCompanyTel"), QStringLiteral("0571-88886666"));
    const QVariantMap record = leaseRecord();

    const QString pdf = out + QStringLiteral("/出租单.pdf");
    report.renderToPdf(pdf, record); // warm-up: fonts are loaded once per process
    std::vector<double> toPdf;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        report.renderToPdf(pdf, record);
        toPdf.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    std::vector<double> toPreview;
    ReportPreviewDialog preview(report, record);
    preview.show();
    QPrintPreviewWidget* widget = preview.previewWidget();
    widget->updatePreview();
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        widget->updatePreview();
        QCoreApplication::processEvents();
        toPreview.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    preview.grab().save(out + QStringLiteral("/preview.png"));

    Report sale = report;
    sale.loadTemplate(QStringLiteral(LINTARA_SOURCE_DIR "/dist") + BillPrinter::saleTemplate(),
                      BillPrinter::namedLabels());
    sale.setLabelCaption(QStringLiteral("PLbYJ"), QStringLiteral("2"));
    sale.renderToPdf(out + QStringLiteral("/出售单.pdf"), saleRecord());

    std::printf("lease bill, %lld bytes of PDF\n", QFileInfo(pdf).size());
    printFigures("render to PDF", toPdf);
    printFigures("render into the preview", toPreview);
    return 0;
}

#include "BillSamples.h"

#include "TestSupport.h"

#include <QDate>
#include <QFile>
#include <QProcess>

namespace BillSamples {

QVariantMap leaseRecord() {
    return {{QStringLiteral("ID"), 17},
            {QStringLiteral("收件号"), QStringLiteral("00000123")},
            {QStringLiteral("房屋地址"), QStringLiteral("滨江区望江路88号锦绣花园3幢602室")},
            {QStringLiteral("建筑面积"), 96},
            {QStringLiteral("房型"), QStringLiteral("三室两厅")},
            {QStringLiteral("朝向"), QStringLiteral("南北")},
            {QStringLiteral("楼层"), 6},
            {QStringLiteral("租金"), QStringLiteral("2800.0000")}, // money as the SQLite file gives it
            {QStringLiteral("区域"), QStringLiteral("滨江区")},
            {QStringLiteral("竣工日期"), QStringLiteral("2012-05-01")},
            {QStringLiteral("装修情况"), QStringLiteral("精装修")},
            {QStringLiteral("联系人"), QStringLiteral("王建国")},
            {QStringLiteral("联系电话一"), QStringLiteral("13905710001")},
            {QStringLiteral("编辑人"), QStringLiteral("李小红")},
            {QStringLiteral("编辑日期"), QDate(2024, 3, 18)},
            {QStringLiteral("承租人姓名"), QStringLiteral("陈志明")},
            {QStringLiteral("承租价格"), 2700.0},
            {QStringLiteral("承租日期"), QDate(2024, 4, 1)},
            {QStringLiteral("承租截止日期"), QDate(2025, 3, 31)},
            {QStringLiteral("状态位"), QStringLiteral("已出租")},
            {QStringLiteral("合同号"), QStringLiteral("HT-2024-0315")},
            {QStringLiteral("佣金金额"), 810.0},
            {QStringLiteral("跟踪报警标志"), true}};
}

QStringList leaseColumns() {
    return {QStringLiteral("ID"),           QStringLiteral("收件号"),      QStringLiteral("房屋地址"),
            QStringLiteral("建筑面积"),     QStringLiteral("房型"),        QStringLiteral("朝向"),
            QStringLiteral("楼层"),         QStringLiteral("租金"),        QStringLiteral("区域"),
            QStringLiteral("竣工日期"),     QStringLiteral("装修情况"),    QStringLiteral("联系人"),
            QStringLiteral("联系电话一"),   QStringLiteral("编辑人"),      QStringLiteral("编辑日期"),
            QStringLiteral("承租人姓名"),   QStringLiteral("承租价格"),    QStringLiteral("承租日期"),
            QStringLiteral("承租截止日期"), QStringLiteral("状态位"),      QStringLiteral("合同号"),
            QStringLiteral("佣金金额"),     QStringLiteral("跟踪报警标志")};
}

QVariantMap saleRecord() {
    return {{QStringLiteral("收件号"), QStringLiteral("00000045")},
            {QStringLiteral("房屋地址"), QStringLiteral("西湖区文三路12号")},
            {QStringLiteral("售价"), 235.5},
            {QStringLiteral("产别"), QStringLiteral("商品房")},
            {QStringLiteral("购买人姓名"), QStringLiteral("赵丽")},
            {QStringLiteral("购买日期"), QStringLiteral("2024-05-20")},
            {QStringLiteral("状态位"), QStringLiteral("已出售")}};
}

QString shippedTemplate(const QString& fileName) {
    return TestSupport::sourceDir() + QStringLiteral("/dist/Template/") + fileName;
}

QString pdfText(const QString& pdfPath) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>").arg(QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString lookDir() {
    return qEnvironmentVariable("LINTARA_LOOK_DIR");
}

} // namespace BillSamples

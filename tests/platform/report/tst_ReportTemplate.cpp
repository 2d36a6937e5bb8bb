#include "BillPrinter.h"
#include "BillSamples.h"
#include "Report.h"
#include "ReportError.h"
#include "ReportRenderer.h"
#include "ReportTemplate.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace BillSamples;

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray withRoot(const std::function<void(QJsonObject&)>& change) {
    QJsonObject root =
        QJsonDocument::fromJson(fileBytes(shippedTemplate(QStringLiteral("出租单.Rtm")))).object();
    change(root);
    return QJsonDocument(root).toJson();
}
} // namespace

class TestReportTemplate : public QObject {
    Q_OBJECT
private slots:
    void shippedBillsCarryTheNamedLabels_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("priceColumn");
        QTest::addColumn<bool>("agencyPrefix");
        QTest::newRow("lease") << QStringLiteral("出租单.Rtm") << QStringLiteral("出租佣金按一个月租金的")
                               << QStringLiteral("租金") << false;
        QTest::newRow("sale") << QStringLiteral("出售单.Rtm") << QStringLiteral("出售佣金按购买介格的")
                              << QStringLiteral("售价") << true;
    }
    void shippedBillsCarryTheNamedLabels() {
        QFETCH(QString, file);
        QFETCH(QString, sentence);
        QFETCH(QString, priceColumn);
        QFETCH(bool, agencyPrefix);
        const ReportTemplate t = ReportTemplate::load(shippedTemplate(file), BillPrinter::namedLabels());
        QCOMPARE(t.pageSize, QSizeF(210, 297));
        QCOMPARE(t.margins, QMarginsF(6.35, 6.35, 6.35, 6.35));

        const ReportItem& percent = t.items[t.indexOf(QStringLiteral("PLbYJ"))];
        QVERIFY(percent.bold && percent.underline);
        for (const char* name : {"PLBCompanyName", "PLbCompanyTel"}) {
            const ReportItem& footer = t.items[t.indexOf(QString::fromLatin1(name))];
            QVERIFY(footer.fontFamilies.contains(QStringLiteral("楷体_GB2312")));
            QCOMPARE(footer.fontSize, 16.0);
        }
        QStringList texts, columns;
        for (const ReportItem& item : t.items) {
            texts << item.text;
            columns << item.column;
        }
        QVERIFY(texts.contains(sentence));
        QVERIFY(texts.contains(QStringLiteral("%收取")));
        QVERIFY(texts.contains(QStringLiteral("联系电话:")));
        QCOMPARE(texts.contains(QStringLiteral("中介公司:")), agencyPrefix);
        for (const QString& c :
             {QStringLiteral("收件号"), QStringLiteral("房屋地址"), QStringLiteral("建筑面积"),
              QStringLiteral("房型"), QStringLiteral("楼层"), priceColumn, QStringLiteral("区域"),
              QStringLiteral("装修情况"), QStringLiteral("联系人"), QStringLiteral("编辑日期"),
              QStringLiteral("受理人"), QStringLiteral("合同号"), QStringLiteral("佣金金额")})
            QVERIFY2(columns.contains(c), qPrintable(c));
        // Everything stays on the printable area.
        for (const ReportItem& item : t.items)
            QVERIFY2(item.rect.left() >= 0 && item.rect.top() >= 0 &&
                         item.rect.right() <= t.printableSize().width() + 0.01 &&
                         item.rect.bottom() <= t.printableSize().height() + 0.01,
                     qPrintable(item.name));
    }

    void leaseBillPdfCarriesRecordPercentAndCompany() {
        QTemporaryDir dir;
        Report report;
        report.loadTemplate(shippedTemplate(QStringLiteral("出租单.Rtm")), BillPrinter::namedLabels());
        report.setLabelCaption(QStringLiteral("PLbYJ"), QStringLiteral("35"));
        report.setLabelCaption(QStringLiteral("PLBCompanyName"), QStringLiteral("江城安居房屋中介"));
        report.setLabelCaption(QStringLiteral("PLbCompanyTel"), QStringLiteral("0571-88886666"));
        const QString pdf = dir.filePath(QStringLiteral("bill.pdf"));
        report.renderToPdf(pdf, leaseRecord());
        const QString text = pdfText(pdf);

        for (const QString& value :
             {QStringLiteral("00000123"), QStringLiteral("滨江区望江路88号锦绣花园3幢602室"),
              QStringLiteral("三室两厅"), QStringLiteral("2,800.00"), QStringLiteral("2,700.00"),
              QStringLiteral("2024-04-01"), QStringLiteral("2025-03-31"), QStringLiteral("2024年3月18日"),
              QStringLiteral("2012-05-01"), QStringLiteral("陈志明"), QStringLiteral("王建国"),
              QStringLiteral("13905710001"), QStringLiteral("HT-2024-0315"), QStringLiteral("810.00"),
              QStringLiteral("已出租"), QStringLiteral("江城安居房屋中介"), QStringLiteral("0571-88886666")})
            QVERIFY2(text.contains(value), qPrintable(value + QStringLiteral(" missing in:\n") + text));
        // The percent stands in the gap of the sentence, and the telephone follows its caption.
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("出租佣金按一个月租金的\\s*35\\s*%收取"))),
                 qPrintable(text));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("联系电话:\\s*0571-88886666"))));
        // The stored text of the named labels never reaches paper once the program has set them.
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("租金的\\s*30\\s*%"))));
        if (!lookDir().isEmpty())
            QFile::copy(pdf, lookDir() + QStringLiteral("/出租单.pdf"));
    }

    void saleBillPdfNamesTheAgency() {
        QTemporaryDir dir;
        Report report;
        report.loadTemplate(shippedTemplate(QStringLiteral("出售单.Rtm")), BillPrinter::namedLabels());
        report.setLabelCaption(QStringLiteral("PLbYJ"), QStringLiteral("2"));
        report.setLabelCaption(QStringLiteral("PLBCompanyName"), QStringLiteral("江城安居房屋中介"));
        report.setLabelCaption(QStringLiteral("PLbCompanyTel"), QStringLiteral("88886666"));
        const QString pdf = dir.filePath(QStringLiteral("sale.pdf"));
        report.renderToPdf(pdf, saleRecord());
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("出售佣金按购买介格的\\s*2\\s*%收取"))),
                 qPrintable(text));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("中介公司:\\s*江城安居房屋中介"))));
        QVERIFY(text.contains(QStringLiteral("235.50")));
        QVERIFY(text.contains(QStringLiteral("2024-05-20")));
    }

    void fieldFormats_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("text") << QVariant(QStringLiteral("精装修")) << QString() << QStringLiteral("精装修");
        QTest::newRow("null") << QVariant() << QStringLiteral("money:2") << QString();
        QTest::newRow("date value") << QVariant(QDate(2024, 4, 1)) << QString()
                                    << QStringLiteral("2024-04-01");
        QTest::newRow("date text") << QVariant(QStringLiteral("2024-04-01"))
                                   << QStringLiteral("date:yyyy年M月d日") << QStringLiteral("2024年4月1日");
        QTest::newRow("server date time")
            << QVariant(QDateTime(QDate(2024, 4, 1), QTime(0, 0))) << QStringLiteral("date:yyyy-MM-dd")
            << QStringLiteral("2024-04-01");
        QTest::newRow("bad date kept")
            << QVariant(QStringLiteral("明年")) << QStringLiteral("date:yyyy") << QStringLiteral("明年");
        QTest::newRow("money text") << QVariant(QStringLiteral("1500.0000")) << QStringLiteral("money:2")
                                    << QStringLiteral("1,500.00");
        QTest::newRow("money big") << QVariant(1234567.5) << QStringLiteral("money:0")
                                   << QStringLiteral("1,234,568");
        QTest::newRow("money default places")
            << QVariant(99) << QStringLiteral("money") << QStringLiteral("99.00");
        QTest::newRow("number") << QVariant(96) << QStringLiteral("number:0") << QStringLiteral("96");
        QTest::newRow("plain double") << QVariant(2800.0) << QString() << QStringLiteral("2800");
        QTest::newRow("yes") << QVariant(true) << QStringLiteral("yesno") << QStringLiteral("是");
        QTest::newRow("no from text")
            << QVariant(QStringLiteral("0")) << QStringLiteral("yesno") << QStringLiteral("否");
    }
    void fieldFormats() {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, shown);
        QCOMPARE(ReportRenderer::formatValue(value, format), shown);
    }

    void savedTemplateLoadsBackIdentical() {
        QTemporaryDir dir;
        const ReportTemplate shipped = ReportTemplate::load(shippedTemplate(QStringLiteral("出售单.Rtm")));
        const QString path = dir.filePath(QStringLiteral("copy.Rtm"));
        shipped.save(path);
        const ReportTemplate back = ReportTemplate::load(path);
        QCOMPARE(back, shipped);
        const QString again = dir.filePath(QStringLiteral("again.Rtm"));
        back.save(again);
        QCOMPARE(fileBytes(again), fileBytes(path));
    }

    void badTemplatesAreRefusedNamingTheFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("says");
        const QByteArray good = fileBytes(shippedTemplate(QStringLiteral("出租单.Rtm")));
        QTest::newRow("text file") << QByteArray("这是一份说明\r\n")
                                   << QStringLiteral("不是本系统的报表模板");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                << QStringLiteral("不是本系统的报表模板");
        QTest::newRow("other json") << QByteArray("{\"items\": []}")
                                    << QStringLiteral("不是本系统的报表模板");
        QTest::newRow("json array") << QByteArray("[1, 2]") << QStringLiteral("不是本系统的报表模板");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("截断");
        QTest::newRow("truncated") << good.left(good.size() / 2) << QStringLiteral("截断");
        QTest::newRow("future version")
            << withRoot([](QJsonObject& r) { r.insert(QStringLiteral("version"), 2); })
            << QStringLiteral("较新版本");
        QTest::newRow("no version") << withRoot([](QJsonObject& r) { r.remove(QStringLiteral("version")); })
                                    << QStringLiteral("格式版本");
        QTest::newRow("no items") << withRoot([](QJsonObject& r) { r.remove(QStringLiteral("items")); })
                                  << QStringLiteral("项目列表");
        QTest::newRow("wrong kind of value") << withRoot([](QJsonObject& r) {
            QJsonArray items = r.value(QStringLiteral("items")).toArray();
            QJsonObject first = items[0].toObject();
            first.insert(QStringLiteral("x"), QStringLiteral("left"));
            items[0] = first;
            r.insert(QStringLiteral("items"), items);
        }) << QStringLiteral("第 1 项的属性“x”应为数字");
        QTest::newRow("missing named label") << withRoot([](QJsonObject& r) {
            QJsonArray items = r.value(QStringLiteral("items")).toArray();
            for (qsizetype i = 0; i < items.size(); ++i)
                if (items[i].toObject().value(QStringLiteral("name")).toString() ==
                    QLatin1String("PLbCompanyTel"))
                    items.removeAt(i--);
            r.insert(QStringLiteral("items"), items);
        }) << QStringLiteral("缺少标签 PLbCompanyTel");
    }
    void badTemplatesAreRefusedNamingTheFile() {
        QFETCH(QByteArray, content);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("出租单.Rtm"));
        writeFile(path, content);
        const QDateTime written = QFileInfo(path).lastModified();

        Report report;
        report.loadTemplate(shippedTemplate(QStringLiteral("出售单.Rtm")));
        const ReportTemplate before = report.layout();
        try {
            report.loadTemplate(path, BillPrinter::namedLabels());
            QFAIL("a bad template was accepted");
        } catch (const ReportError& e) {
            QVERIFY2(e.message().contains(QFileInfo(path).absoluteFilePath()), qPrintable(e.message()));
            QVERIFY2(e.message().contains(says), qPrintable(e.message()));
        }
        QCOMPARE(report.layout(), before); // the previous layout stays
        QCOMPARE(fileBytes(path), content);
        QCOMPARE(QFileInfo(path).lastModified(), written);
    }
};

QTEST_MAIN(TestReportTemplate)
#include "tst_ReportTemplate.moc"

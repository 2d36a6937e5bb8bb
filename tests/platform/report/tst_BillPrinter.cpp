#include "BillPrinter.h"
#include "BillSamples.h"
#include "DefaultPrinter.h"
#include "DesignerPage.h"
#include "DesignerProperties.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ReportDesigner.h"
#include "ReportPreviewDialog.h"
#include "ReportTemplate.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace BillSamples;

namespace {
const QString Percent = QStringLiteral("35");
const QString Company = QStringLiteral("江城安居房屋中介");
const QString Tel = QStringLiteral("0571-88886666");

// A program folder of its own with the shipped lease bill, so designing never touches dist/.
struct ProgramFolder {
    QTemporaryDir dir;
    QString bill;
    ProgramFolder() {
        QDir(dir.path()).mkpath(QStringLiteral("Template"));
        bill = dir.path() + BillPrinter::leaseTemplate();
        QFile::copy(shippedTemplate(QStringLiteral("出租单.Rtm")), bill);
        QFile(bill).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
};

template <class T> T* named(QWidget* w, const QString& name) {
    T* found = w->findChild<T*>(name);
    if (!found)
        qWarning("no widget named %s", qPrintable(name));
    return found;
}

// Types text the way an input method delivers it: key events that carry the characters.
void type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(w, key, mods);
}
} // namespace

class TestBillPrinter : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { DefaultPrinter::clearRedirect(); }

    void printModeFromParameter_data() {
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<int>("mode");
        QTest::newRow("print") << QStringLiteral("Print") << 2;
        QTest::newRow("preview") << QStringLiteral("Preview") << 1;
        QTest::newRow("preview upper") << QStringLiteral("PREVIEW") << 1;
        QTest::newRow("design lower") << QStringLiteral("design") << 0;
        QTest::newRow("empty") << QString() << 2;
        QTest::newRow("unknown") << QStringLiteral("Screen") << 2;
    }
    void printModeFromParameter() {
        QFETCH(QString, parameter);
        QFETCH(int, mode);
        QCOMPARE(BillPrinter::modeFromParameter(parameter), mode);
    }

    void missingTemplateIsReportedAndNothingOpens_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("design") << 0;
        QTest::newRow("preview") << 1;
        QTest::newRow("print") << 2;
    }
    void missingTemplateIsReportedAndNothingOpens() {
        QFETCH(int, mode);
        GuiTestScope scope;
        QTemporaryDir dir;
        DefaultPrinter::redirectToPdf(dir.filePath(QStringLiteral("out.pdf")));
        BillPrinter bill;
        QVERIFY(!bill.print(nullptr, mode, dir.path() + BillPrinter::saleTemplate(), Percent, Company, Tel,
                            leaseRecord()));
        QCOMPARE(MessageBoxService::shown().size(), 1);
        QCOMPARE(MessageBoxService::last().text, QStringLiteral("打印模板丢失,请与管理员联系!!!"));
        QCOMPARE(MessageBoxService::last().caption, QStringLiteral("提示"));
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
        QVERIFY(!bill.preview());
        QCOMPARE(ModalSeam::unattended(), 0);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("out.pdf"))));
    }

    void previewOpensNotModalWithTheBill() {
        GuiTestScope scope;
        ProgramFolder folder;
        QWidget window; // the list or detail window that prints
        window.show();
        BillPrinter bill(leaseColumns());
        QVERIFY(bill.print(&window, BillPrinter::Preview, folder.bill, Percent, Company, Tel, leaseRecord()));
        ReportPreviewDialog* preview = bill.preview();
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QVERIFY(!preview->isModal());
        QCOMPARE(preview->windowModality(), Qt::NonModal);
        QCOMPARE(ModalSeam::unattended(), 0);
        QCOMPARE(MessageBoxService::shown().size(), 0);
        QTRY_COMPARE(preview->pageCount(), 1);
        QCOMPARE(preview->printer()->pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(bill.report().labelCaption(QStringLiteral("plbyj")), Percent);
        if (!lookDir().isEmpty())
            preview->grab().save(lookDir() + QStringLiteral("/preview.png"));
        preview->close(); // frees itself
        QTRY_VERIFY(!bill.preview());
    }

    void printerModePrintsWithoutAnyDialog() {
        GuiTestScope scope;
        ProgramFolder folder;
        const QString pdf = folder.dir.filePath(QStringLiteral("printed.pdf"));
        DefaultPrinter::redirectToPdf(pdf);
        BillPrinter bill;
        QVERIFY(bill.print(nullptr, BillPrinter::Print, folder.bill, Percent, Company, Tel, leaseRecord()));
        QCOMPARE(MessageBoxService::shown().size(), 0);
        QCOMPARE(ModalSeam::unattended(), 0);
        QVERIFY(!bill.preview());
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("租金的\\s*35\\s*%收取"))),
                 qPrintable(text));
        QVERIFY(text.contains(Company));
        QVERIFY(text.contains(Tel));
        QVERIFY(text.contains(QStringLiteral("00000123")));
    }

    void noPrinterInstalledIsSaidClearly() {
        if (DefaultPrinter::installed())
            QSKIP("this machine has a printer; the test would print on it");
        GuiTestScope scope;
        ProgramFolder folder;
        BillPrinter bill;
        QVERIFY(!bill.print(nullptr, BillPrinter::Print, folder.bill, Percent, Company, Tel, leaseRecord()));
        QCOMPARE(MessageBoxService::shown().size(), 1);
        QVERIFY2(MessageBoxService::last().text.contains(QStringLiteral("没有安装打印机")),
                 qPrintable(MessageBoxService::last().text));
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
    }

    void badTemplateIsReportedAndLeftAlone_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("says");
        QTest::newRow("not ours") << QByteArray("PK\x03\x04 old report file")
                                  << QStringLiteral("不是本系统的报表模板");
        const QByteArray ours = "{\"format\": \"Lintara report template\", ";
        QTest::newRow("future version")
            << ours + "\"version\": 7, \"items\": []}" << QStringLiteral("较新版本");
        QTest::newRow("truncated") << ours + "\"version\": 1, \"items\": [{\"ty" << QStringLiteral("截断");
        QTest::newRow("no named labels")
            << ours + "\"version\": 1, \"items\": []}" << QStringLiteral("缺少标签 PLbYJ");
    }
    void badTemplateIsReportedAndLeftAlone() {
        QFETCH(QByteArray, content);
        QFETCH(QString, says);
        GuiTestScope scope;
        ProgramFolder folder;
        {
            QFile f(folder.bill);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
        }
        BillPrinter bill;
        for (int mode : {0, 1, 2}) {
            QVERIFY(!bill.print(nullptr, mode, folder.bill, Percent, Company, Tel, leaseRecord()));
            QVERIFY2(MessageBoxService::last().text.contains(QFileInfo(folder.bill).absoluteFilePath()),
                     qPrintable(MessageBoxService::last().text));
            QVERIFY2(MessageBoxService::last().text.contains(says),
                     qPrintable(MessageBoxService::last().text));
        }
        QCOMPARE(MessageBoxService::shown().size(), 3);
        QCOMPARE(ModalSeam::unattended(), 0); // no designer opened on it
        QVERIFY(!bill.preview());
        QCOMPARE(fileBytes(folder.bill), content);
    }

    void designModeOpensTheDesignerModallyAndPrintsNothing() {
        GuiTestScope scope;
        ProgramFolder folder;
        const QByteArray before = fileBytes(folder.bill);
        const QString pdf = folder.dir.filePath(QStringLiteral("printed.pdf"));
        DefaultPrinter::redirectToPdf(pdf);
        bool seen = false;
        ModalSeam::drive([&](QWidget* w) {
            auto* designer = qobject_cast<ReportDesigner*>(w);
            QVERIFY(designer);
            QVERIFY(designer->isVisible() && designer->isModal());
            QVERIFY(designer->layout().indexOf(QStringLiteral("PLbYJ")) >= 0);
            seen = true;
        });
        BillPrinter bill(leaseColumns());
        QVERIFY(bill.print(nullptr, BillPrinter::Design, folder.bill, Percent, Company, Tel, leaseRecord()));
        QVERIFY(seen);
        QCOMPARE(ModalSeam::pendingDrivers(), 0);
        QCOMPARE(MessageBoxService::shown().size(), 0);
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(fileBytes(folder.bill), before);
    }

    void designerEditsSavesAndTheNextPrintUsesIt() {
        GuiTestScope scope;
        ProgramFolder folder;
        ReportTemplate designed;
        ModalSeam::drive([&](QWidget* w) {
            auto* designer = static_cast<ReportDesigner*>(w);
            DesignerPage* page = designer->page();
            const ReportTemplate& t = designer->layout();
            const int percent = t.indexOf(QStringLiteral("PLbYJ"));
            const QRectF start = t.items[percent].rect;

            // Select with the mouse; the panel shows the item and keeps the program's name fixed.
            QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, page->centreOf(percent));
            QCOMPARE(page->selected(), percent);
            auto* name = named<QLineEdit>(designer, QStringLiteral("名称"));
            QCOMPARE(name->text(), QStringLiteral("PLbYJ"));
            QVERIFY(name->isReadOnly());

            // Arrow keys move by half a millimetre, Ctrl by a tenth, Shift resizes.
            press(page, Qt::Key_Right);
            press(page, Qt::Key_Right);
            press(page, Qt::Key_Down, Qt::ControlModifier);
            press(page, Qt::Key_Right, Qt::ShiftModifier);
            QCOMPARE(t.items[percent].rect,
                     QRectF(start.x() + 1.0, start.y() + 0.1, start.width() + 0.5, start.height()));
            QCOMPARE(named<QDoubleSpinBox>(designer, QStringLiteral("左侧位置"))->value(), start.x() + 1.0);

            // Deleting a label the program fills is refused.
            named<QToolButton>(designer, QStringLiteral("删除"))->click();
            QVERIFY(MessageBoxService::last().text.contains(QStringLiteral("PLbYJ")));
            QVERIFY(t.indexOf(QStringLiteral("PLbYJ")) >= 0);

            // A new label, its text, size, bold and alignment through the panel.
            const qsizetype count = t.items.size();
            named<QToolButton>(designer, QStringLiteral("添加标签"))->click();
            QCOMPARE(t.items.size(), count + 1);
            const int added = int(count);
            QCOMPARE(page->selected(), added);
            auto* text = named<QLineEdit>(designer, QStringLiteral("文字"));
            text->selectAll();
            type(text, QStringLiteral("看房请提前预约"));
            named<QDoubleSpinBox>(designer, QStringLiteral("字号"))->setValue(14);
            for (QCheckBox* c : designer->findChildren<QCheckBox*>())
                if (c->text() == QStringLiteral("粗体"))
                    c->click();
            named<QComboBox>(designer, QStringLiteral("水平对齐"))->setCurrentIndex(2);
            auto* width = named<QDoubleSpinBox>(designer, QStringLiteral("宽度"));
            width->setValue(60);
            QCOMPARE(t.items[added].text, QStringLiteral("看房请提前预约"));
            QCOMPARE(t.items[added].fontSize, 14.0);
            QVERIFY(t.items[added].bold);
            QVERIFY(t.items[added].alignment & Qt::AlignRight);
            if (!lookDir().isEmpty()) {
                designer->resize(1280, 860);
                designer->grab().save(lookDir() + QStringLiteral("/designer.png"));
            }

            // Drag it down 10 mm with the mouse.
            const QRectF before = t.items[added].rect;
            const QPoint from = page->centreOf(added);
            const QPoint to = from + QPoint(0, qRound(10 * page->zoom()));
            QTest::mousePress(page, Qt::LeftButton, Qt::NoModifier, from);
            QMouseEvent move(QEvent::MouseMove, to, page->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(page, &move);
            QTest::mouseRelease(page, Qt::LeftButton, Qt::NoModifier, to);
            QCOMPARE(t.items[added].rect.x(), before.x());
            QVERIFY(qAbs(t.items[added].rect.y() - (before.y() + 10)) <= 0.5);

            // A field picked from the family's columns, then bound to another in the panel.
            auto* field = named<QToolButton>(designer, QStringLiteral("添加字段"));
            QAction* rent = nullptr;
            for (QAction* a : field->menu()->actions())
                if (a->text() == QStringLiteral("租金"))
                    rent = a;
            QVERIFY(rent);
            rent->trigger();
            const int fieldIndex = page->selected();
            QCOMPARE(t.items[fieldIndex].column, QStringLiteral("租金"));
            auto* column = named<QComboBox>(designer, QStringLiteral("字段"));
            column->setCurrentIndex(column->findText(QStringLiteral("合同号")));
            QCOMPARE(t.items[fieldIndex].column, QStringLiteral("合同号"));
            QCOMPARE(column->count(), leaseColumns().size());

            // A line stays; a box is added and deleted with the Delete key.
            named<QToolButton>(designer, QStringLiteral("添加线条"))->click();
            QCOMPARE(t.items.last().kind, ReportItem::Kind::Line);
            named<QToolButton>(designer, QStringLiteral("添加方框"))->click();
            QCOMPARE(t.items.last().kind, ReportItem::Kind::Box);
            const qsizetype withBox = t.items.size();
            QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, page->centreOf(int(withBox - 1)));
            press(page, Qt::Key_Delete);
            QCOMPARE(t.items.size(), withBox - 1);
            QCOMPARE(page->selected(), -1);

            QVERIFY(designer->isModified());
            named<QToolButton>(designer, QStringLiteral("保存"))->click();
            QVERIFY(!designer->isModified());
            designed = t;
        });
        BillPrinter bill(leaseColumns());
        QVERIFY(bill.print(nullptr, BillPrinter::Design, folder.bill, Percent, Company, Tel, leaseRecord()));
        QCOMPARE(ModalSeam::pendingDrivers(), 0);

        const ReportTemplate back = ReportTemplate::load(folder.bill);
        QCOMPARE(back.items.size(), designed.items.size());
        for (qsizetype i = 0; i < back.items.size(); ++i)
            QVERIFY2(back.items[i] == designed.items[i], qPrintable(designed.items[i].name));
        QCOMPARE(back, designed);

        const QString pdf = folder.dir.filePath(QStringLiteral("printed.pdf"));
        DefaultPrinter::redirectToPdf(pdf);
        QVERIFY(bill.print(nullptr, BillPrinter::Print, folder.bill, Percent, Company, Tel, leaseRecord()));
        const QString printed = pdfText(pdf);
        QVERIFY2(printed.contains(QStringLiteral("看房请提前预约")), qPrintable(printed));
        QVERIFY(printed.contains(QRegularExpression(QStringLiteral("租金的\\s*35\\s*%收取"))));
    }

    void closingTheDesignerAsksBeforeSaving_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes saves") << int(MsgAnswer::Yes) << true;
        QTest::newRow("no discards") << int(MsgAnswer::No) << false;
    }
    void closingTheDesignerAsksBeforeSaving() {
        QFETCH(int, answer);
        QFETCH(bool, saved);
        GuiTestScope scope;
        ProgramFolder folder;
        const QByteArray before = fileBytes(folder.bill);
        ModalSeam::drive([&](QWidget* w) {
            auto* designer = static_cast<ReportDesigner*>(w);
            DesignerPage* page = designer->page();
            QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, page->centreOf(0));
            press(page, Qt::Key_Left);
            MessageBoxService::queueAnswer(MsgAnswer(answer));
            named<QToolButton>(designer, QStringLiteral("关闭"))->click();
            QVERIFY(!designer->isVisible());
        });
        BillPrinter bill;
        QVERIFY(bill.print(nullptr, BillPrinter::Design, folder.bill, Percent, Company, Tel, leaseRecord()));
        QCOMPARE(MessageBoxService::last().caption, QStringLiteral("确认"));
        QCOMPARE(fileBytes(folder.bill) != before, saved);
        if (saved)
            QCOMPARE(ReportTemplate::load(folder.bill).items[0].rect.x(),
                     ReportTemplate::load(shippedTemplate(QStringLiteral("出租单.Rtm"))).items[0].rect.x() -
                         0.5);
    }
};

QTEST_MAIN(TestBillPrinter)
#include "tst_BillPrinter.moc"

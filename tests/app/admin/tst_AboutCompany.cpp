#include "AdminTestBed.h"
#include "BillPrinter.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ProgramLauncher.h"
#include "Report.h"
#include "ReportPreviewDialog.h"
#include "SystemInfo.h"
#include "TFrm_ComPany.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserAboutBox.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {
void withCompany(const std::function<void(TFrm_ComPany*)>& body) {
    AdminTestBed::withModal<TFrm_ComPany>(body, [] { ShowCompanyForm(); });
}

QString pdfText(const QString& pdfPath) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

class TestAboutCompany : public QObject {
    Q_OBJECT
private slots:
    void memoryText_data() {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("512 MB") << quint64(512) * 1024 * 1024 << "524,288 KB";
        QTest::newRow("16 GB") << quint64(16) * 1024 * 1024 * 1024 << "16,777,216 KB";
        QTest::newRow("below a thousand KB") << quint64(999) * 1024 + 1023 << "999 KB";
        QTest::newRow("exactly a thousand KB") << quint64(1000) * 1024 << "1,000 KB";
    }
    void memoryText() {
        QFETCH(quint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(SystemInfo::memoryText(bytes), text);
    }

    void aboutBox() {
        GuiTestScope scope;
        QStringList opened;
        ProgramLauncher::setStarter([&](const QString& url, const QStringList&) {
            opened << url;
            return true;
        });
        QVERIFY(SystemInfo::totalMemoryBytes() > 0);
        ModalSeam::drive([&](QWidget* w) {
            auto* box = qobject_cast<TUserAboutBox*>(w);
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("关于系统"));
            QCOMPARE(box->Developper->text(), QCoreApplication::applicationName());
            QVERIFY(box->OS->text().contains(QStringLiteral("Linux")));
            QCOMPARE(box->PhysMem->text(), SystemInfo::memoryText(SystemInfo::totalMemoryBytes()));
            for (QLabel* l : {box->Label3, box->Label4, box->Label5, box->Label6, box->Label7})
                QTest::mouseClick(l, Qt::LeftButton);
            QTest::mouseClick(box->SBClose, Qt::LeftButton);
            QVERIFY(!box->isVisible());
        });
        ShowAboutBox();
        ProgramLauncher::resetStarter();
        const QString mail = QStringLiteral("mailto:") + TUserAboutBox::supportMail();
        QCOMPARE(opened, (QStringList{mail, mail, mail, mail, TUserAboutBox::webAddress()}));
    }

    // Enter steps through the five edits and the close button; an operator only reads.
    void companyReadOnlyForOperators() {
        AdminTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        CurrentUser.UserType = QStringLiteral("操作员");
        withCompany([&](TFrm_ComPany* form) {
            QApplication::setActiveWindow(form);
            QVERIFY(QTest::qWaitForWindowActive(form));
            QCOMPARE(form->EdtComPany->text(), QStringLiteral("恒信房屋中介服务有限公司"));
            QCOMPARE(form->EdtAddress->text(), QStringLiteral("杭州市西湖区文三路168号"));
            QCOMPARE(form->EdtTel->text(), QStringLiteral("0571-88123456"));
            QCOMPARE(form->EdtWeb->text(), QStringLiteral("http://www.hengxinfw.com.cn"));
            QCOMPARE(form->EdtEmail->text(), QStringLiteral("service@hengxinfw.com.cn"));
            QVERIFY(!form->BtnEdit->isVisible() && !form->BtnSave->isVisible());
            QList<QWidget*> order{form->EdtComPany, form->EdtAddress, form->EdtTel,
                                  form->EdtWeb,     form->EdtEmail,   form->Btnclose};
            form->EdtComPany->setFocus();
            for (int i = 0; i < order.size(); ++i) {
                QCOMPARE(QApplication::focusWidget(), order[i]);
                QVERIFY(!qobject_cast<QLineEdit*>(order[i]) ||
                        qobject_cast<QLineEdit*>(order[i])->isReadOnly());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            QVERIFY(form->isVisible());
            QCOMPARE(QApplication::focusWidget(), form->EdtComPany);
        });
    }

    void companyWithoutProfileRow() {
        AdminTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.exec(QStringLiteral("delete from S_企业信息"));
        AppGlobals.CompanyName = QStringLiteral("内存中的名称");
        withCompany([&](TFrm_ComPany* form) {
            QCOMPARE(form->EdtComPany->text(), QStringLiteral("内存中的名称"));
            QCOMPARE(form->EdtAddress->text() + form->EdtTel->text() + form->EdtWeb->text() +
                         form->EdtEmail->text(),
                     QString());
        });
    }

    // An administrator puts the agency's own name and telephone in; the next bill carries them.
    void companyEditReachesTheNextBill() {
        QFETCH(QString, engine);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        CurrentUser.UserType = QStringLiteral("管理员");
        withCompany([&](TFrm_ComPany* form) {
            QVERIFY(form->BtnEdit->isVisible() && form->BtnSave->isVisible());
            QVERIFY(form->EdtComPany->isReadOnly());
            QTest::mouseClick(form->BtnEdit, Qt::LeftButton);
            QVERIFY(!form->EdtComPany->isReadOnly());
            form->EdtTel->setText(QString(41, u'9'));
            QTest::mouseClick(form->BtnSave, Qt::LeftButton);
            QCOMPARE(AdminTestBed::shownTexts(), QStringList{"联系电话不能超过40个字符!!!"});
            form->EdtComPany->setText(QStringLiteral("安家置业 'O''Neil'"));
            form->EdtTel->setText(QStringLiteral("0571-86001234"));
            QTest::mouseClick(form->BtnSave, Qt::LeftButton);
            QVERIFY(form->EdtComPany->isReadOnly());
        });
        QCOMPARE(AdminTestBed::shownTexts(), (QStringList{"联系电话不能超过40个字符!!!", "保存成功！"}));
        QCOMPARE(bed.column(QStringLiteral("select 企业名称 from S_企业信息")),
                 QStringLiteral("安家置业 'O''Neil'"));
        QCOMPARE(bed.column(QStringLiteral("select 联系电话 from S_企业信息")),
                 QStringLiteral("0571-86001234"));
        QCOMPARE(AppGlobals.CompanyName, QStringLiteral("安家置业 'O''Neil'"));
        QCOMPARE(AppGlobals.CompanyTel, QStringLiteral("0571-86001234"));

        // The bill takes them from memory as the lease windows pass them.
        BillPrinter bill;
        const QVariantMap record{{QStringLiteral("收件号"), QStringLiteral("00000042")},
                                 {QStringLiteral("房屋地址"), QStringLiteral("文三路 8 号")}};
        QVERIFY(bill.print(nullptr, BillPrinter::Preview, AppGlobals.AppPath + BillPrinter::leaseTemplate(),
                           QStringLiteral("30"), AppGlobals.CompanyName, AppGlobals.CompanyTel, record));
        delete bill.preview();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("bill.pdf"));
        bill.report().renderToPdf(pdf, record);
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("安家置业 'O''Neil'")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("0571-86001234")), qPrintable(text));
    }
    void companyEditReachesTheNextBill_data() { AdminTestBed::addEngineRows(); }
};

QTEST_MAIN(TestAboutCompany)
#include "tst_AboutCompany.moc"

#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "RecordsTestBed.h"
#include "ShowAlarmForm.h"
#include "ShowLeaseForm.h"
#include "ShowSaleForm.h"
#include "TFrm_AlarmDetail.h"
#include "TFrm_LeaseDetail.h"
#include "TFrm_Sale.h"
#include "TFrm_SaleDetail.h"
#include "TSetValue.h"
#include "TestSupport.h"
#include "Tfrm_Alarm.h"
#include "Tfrm_HouseLease.h"
#include "WindowDriver.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QToolButton>

// Every window lays out at a clerk's screen size without cutting anything off; with
// LINTARA_GRAB_DIR set, the windows are also written there as pictures to look at.
class TestRecordLook : public QObject {
    Q_OBJECT

private:
    static void grab(QWidget* w, const QString& name) {
        const QString dir = qEnvironmentVariable("LINTARA_GRAB_DIR");
        if (!dir.isEmpty())
            w->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
    }

    // No label or editor is narrower than what it shows.
    static void checkNothingCut(QWidget* window) {
        for (QLabel* l : window->findChildren<QLabel*>()) {
            if (!l->isVisible() || l->text().isEmpty() || l->wordWrap())
                continue;
            QVERIFY2(l->width() >= l->fontMetrics().horizontalAdvance(l->text()) ||
                         l->width() >= l->sizeHint().width(),
                     qPrintable(l->text()));
        }
    }

    // A lease listing of the look fixture: every third one let, with its deal and follow-up.
    static QVariantMap leaseRow(int i) {
        QVariantMap row{
            {QStringLiteral("收件号"), QString::number(100 + i).rightJustified(8, u'0')},
            {QStringLiteral("房屋地址"), QStringLiteral("西湖区文三路%1号%2单元").arg(10 + i).arg(i % 4 + 1)},
            {QStringLiteral("建筑面积"), 60 + i},
            {QStringLiteral("房型"), QStringLiteral("两室一厅")},
            {QStringLiteral("朝向"), QStringLiteral("朝南")},
            {QStringLiteral("楼层"), i % 18 + 1},
            {QStringLiteral("租金"), 1500 + 50 * i},
            {QStringLiteral("区域"), QStringLiteral("西湖区")},
            {QStringLiteral("竣工日期"), QDate(2008, 6, 1)},
            {QStringLiteral("产权证号"), QStringLiteral("杭房权证西字第0012%1号").arg(i)},
            {QStringLiteral("装修情况"), QStringLiteral("精装修")},
            {QStringLiteral("交通情况"), QStringLiteral("K21,155,28")},
            {QStringLiteral("周围环境"), QStringLiteral("近学校,近超市,公园")},
            {QStringLiteral("房屋设施"), QStringLiteral("空调,热水器,宽带")},
            {QStringLiteral("联系人"), QStringLiteral("陈建国")},
            {QStringLiteral("联系电话一"), QStringLiteral("13805718888")},
            {QStringLiteral("联系人身份证号"), QStringLiteral("33010219700101123")},
            {QStringLiteral("出租方备注"), QStringLiteral("房东急租,可议价")},
            {QStringLiteral("编辑人"), QStringLiteral("张三")},
            {QStringLiteral("编辑日期"), QDate::currentDate().addDays(-(i % 9))},
            {QStringLiteral("状态位"), i % 3 == 0 ? QStringLiteral("已出租") : QStringLiteral("未出租")},
            {QStringLiteral("跟踪报警标志"), i % 3 == 0}};
        if (i % 3 == 0) {
            row.insert(QStringLiteral("承租人姓名"), QStringLiteral("王小明"));
            row.insert(QStringLiteral("承租人联系电话"), QStringLiteral("13912345678"));
            row.insert(QStringLiteral("承租人身份证号码"), QStringLiteral("330102199001011234"));
            row.insert(QStringLiteral("承租价格"), 1800);
            row.insert(QStringLiteral("承租日期"), QDate::currentDate());
            row.insert(QStringLiteral("承租截止日期"), QDate::currentDate().addYears(1));
            row.insert(QStringLiteral("承租方备注"), QStringLiteral("押一付三"));
            row.insert(QStringLiteral("受理人"), QStringLiteral("张三"));
            row.insert(QStringLiteral("受理日期"), QDate::currentDate());
            row.insert(QStringLiteral("合同号"), QStringLiteral("HT2024-0%1").arg(i));
            row.insert(QStringLiteral("佣金金额"), 540);
            row.insert(QStringLiteral("跟踪报警日期"), QDate::currentDate().addMonths(11));
        }
        return row;
    }

private slots:
    void leaseWindows() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        for (int i = 0; i < 30; ++i)
            bed.insertLease(leaseRow(i));
        bool ran = false;
        ModalSeam::drive([&](QWidget* w) {
            auto* list = qobject_cast<Tfrm_HouseLease*>(w);
            ran = true;
            list->setWindowState(Qt::WindowNoState);
            list->resize(1280, 800);
            list->CKBALL->click();
            list->BtQuery->click();
            QTest::qWait(50);
            checkNothingCut(list);
            grab(list, QStringLiteral("lease-list"));
            ModalSeam::drive([&](QWidget* d) {
                auto* detail = qobject_cast<TFrm_LeaseDetail*>(d);
                QTest::qWait(50);
                checkNothingCut(detail);
                grab(detail, QStringLiteral("lease-detail-let-browse"));
                detail->TbModfiy->click();
                grab(detail, QStringLiteral("lease-detail-let-edit"));
                detail->TbCancel->click();
                for (int i = 0; i < 4; ++i)
                    detail->TbnextClick();
                grab(detail, QStringLiteral("lease-detail-unlet-browse"));
                detail->TbLease->click();
                grab(detail, QStringLiteral("lease-detail-letting"));
                detail->TbCancel->click();
            });
            list->dxDBGrid1DblClick();
        });
        ShowLeaseForm();
        QVERIFY(ran);
    }

    void saleWindows() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        AppGlobals.SaleCommission = 2;
        for (int i = 0; i < 30; ++i) {
            const bool sold = i % 3 == 0;
            QVariantMap row{
                {QStringLiteral("收件号"), QString::number(300 + i).rightJustified(8, u'0')},
                {QStringLiteral("房屋地址"),
                 QStringLiteral("拱墅区莫干山路%1号%2幢").arg(100 + i).arg(i % 6 + 1)},
                {QStringLiteral("建筑面积"), 70 + i},
                {QStringLiteral("房型"), QStringLiteral("三室两厅")},
                {QStringLiteral("朝向"), QStringLiteral("南北通透")},
                {QStringLiteral("楼层"), i % 18 + 1},
                {QStringLiteral("产别"), QStringLiteral("商品房")},
                {QStringLiteral("售价"), 180 + 5 * i},
                {QStringLiteral("区域"), QStringLiteral("拱墅区")},
                {QStringLiteral("竣工日期"), QDate(2012, 9, 1)},
                {QStringLiteral("使用年限"), 70},
                {QStringLiteral("产权证号"), QStringLiteral("杭房权证拱字第0045%1号").arg(i)},
                {QStringLiteral("装修情况"), QStringLiteral("简装修")},
                {QStringLiteral("交通情况"), QStringLiteral("8,56,K155")},
                {QStringLiteral("周围环境"), QStringLiteral("近学校,近超市")},
                {QStringLiteral("房屋设施"), QStringLiteral("天然气,宽带")},
                {QStringLiteral("联系人"), QStringLiteral("周美玲")},
                {QStringLiteral("联系电话一"), QStringLiteral("13906517777")},
                {QStringLiteral("联系人身份证号"), QStringLiteral("33010519750505123")},
                {QStringLiteral("出租方备注"), QStringLiteral("满五唯一,随时看房")},
                {QStringLiteral("编辑人"), QStringLiteral("张三")},
                {QStringLiteral("编辑日期"), QDate::currentDate().addDays(-(i % 9))},
                {QStringLiteral("状态位"), sold ? QStringLiteral("已出售") : QStringLiteral("未出售")}};
            if (sold) {
                row.insert(QStringLiteral("购买人姓名"), QStringLiteral("刘建华"));
                row.insert(QStringLiteral("购买人联系电话"), QStringLiteral("13857109999"));
                row.insert(QStringLiteral("购买人身份证号码"), QStringLiteral("330106198503031234"));
                row.insert(QStringLiteral("购买价格"), 1850000);
                row.insert(QStringLiteral("购买日期"), QDate::currentDate());
                row.insert(QStringLiteral("购买方备注"), QStringLiteral("商业贷款"));
                row.insert(QStringLiteral("受理人"), QStringLiteral("张三"));
                row.insert(QStringLiteral("受理日期"), QDate::currentDate());
                row.insert(QStringLiteral("合同号"), QStringLiteral("XS2024-0%1").arg(i));
                row.insert(QStringLiteral("佣金金额"), 37000);
            }
            bed.insertRow(QStringLiteral("H_出售表"), row);
        }
        onModal<TFrm_Sale>(&ShowSaleForm, [&](TFrm_Sale* list) {
            list->setWindowState(Qt::WindowNoState);
            list->resize(1280, 800);
            list->CKBALL->click();
            list->BtQuery->click();
            QTest::qWait(50);
            checkNothingCut(list);
            grab(list, QStringLiteral("sale-list"));
            onModal<TFrm_SaleDetail>([&] { list->dxDBGrid1DblClick(); },
                                     [&](TFrm_SaleDetail* detail) {
                                         QTest::qWait(50);
                                         checkNothingCut(detail);
                                         grab(detail, QStringLiteral("sale-detail-sold-browse"));
                                         for (int i = 0; i < 5 && !detail->TbSale->isEnabled(); ++i)
                                             detail->TbnextClick();
                                         grab(detail, QStringLiteral("sale-detail-unsold-browse"));
                                         MessageBoxService::queueAnswer(MsgAnswer::Yes);
                                         detail->TbSale->click();
                                         grab(detail, QStringLiteral("sale-detail-selling"));
                                         detail->TbCancel->click();
                                     });
        });
    }
    void alarmWindows() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        for (int i = 0; i < 30; ++i) {
            QVariantMap row = leaseRow(i);
            if (i % 3 == 0)
                row.insert(QStringLiteral("跟踪报警日期"), QDate::currentDate().addDays(-(i % 8)));
            bed.insertLease(row);
        }
        onModal<Tfrm_Alarm>(&ShowAlarmForm, [&](Tfrm_Alarm* list) {
            list->setWindowState(Qt::WindowNoState);
            list->resize(1280, 800);
            QTest::qWait(50);
            checkNothingCut(list);
            grab(list, QStringLiteral("alarm-list"));
            onModal<TFrm_AlarmDetail>([&] { list->dxDBGrid1DblClick(); },
                                      [&](TFrm_AlarmDetail* detail) {
                                          QTest::qWait(50);
                                          checkNothingCut(detail);
                                          grab(detail, QStringLiteral("alarm-detail-browse"));
                                      });
        });
    }
};

QTEST_MAIN(TestRecordLook)
#include "tst_RecordLook.moc"

#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "BillPrinter.h"
#include "CheckListBox.h"
#include "DatabaseConnection.h"
#include "DateText.h"
#include "DbEdit.h"
#include "DbPopupCheckEdit.h"
#include "FreeQuery.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "RangeDateEdit.h"
#include "RecordsTestBed.h"
#include "ReportPreviewDialog.h"
#include "ShowLeaseForm.h"
#include "TFrm_LeaseDetail.h"
#include "TSetValue.h"
#include "TestSupport.h"
#include "Tfrm_HouseLease.h"
#include "WindowDriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <functional>

Q_DECLARE_METATYPE(QList<MsgAnswer>)

// The lease list and detail windows driven as a clerk drives them: buttons, keys, typing.
class TestLeaseWindows : public QObject {
    Q_OBJECT

private:
    using ListBody = std::function<void(Tfrm_HouseLease*)>;
    using DetailBody = std::function<void(TFrm_LeaseDetail*)>;

    // Opens the lease windows the way the daily-business page does and runs body on the list.
    static void withLease(const ListBody& body) { onModal<Tfrm_HouseLease>(&ShowLeaseForm, body); }

    // Opens the detail on the focused row with F3 and runs body in it.
    static void withDetail(Tfrm_HouseLease* list, const DetailBody& body, int key = Qt::Key_F3) {
        onModal<TFrm_LeaseDetail>([&] { QTest::keyClick(list->dxDBGrid1, Qt::Key(key)); }, body);
    }

    static QStringList addresses(BatchDataSet* data) {
        QStringList out;
        const int c = data->columnIndex(QStringLiteral("房屋地址"));
        for (int r = 0; r < data->recordCount(); ++r)
            out << data->valueAt(r, c).toString();
        return out;
    }

    static QString text(TFrm_LeaseDetail* d, const char* editor) {
        return qobject_cast<QLineEdit*>(d->editor(QString::fromUtf8(editor)))->text();
    }

    static QVariantMap unlet(const QString& address, int daysAgo = 0) {
        return {{QStringLiteral("收件号"), QStringLiteral("00000007")},
                {QStringLiteral("房屋地址"), address},
                {QStringLiteral("编辑日期"), QDate::currentDate().addDays(-daysAgo)},
                {QStringLiteral("编辑人"), QStringLiteral("李四")},
                {QStringLiteral("状态位"), QStringLiteral("未出租")},
                {QStringLiteral("承租价格"), 2000},
                {QStringLiteral("跟踪报警标志"), false}};
    }

    static QVariantMap withState(QVariantMap row, const QString& state) {
        row.insert(QStringLiteral("状态位"), state);
        return row;
    }

    // Typing Chinese text over what the editor holds (an input method hands over whole words).
    static void type(QWidget* editor, const QString& text) {
        auto* e = qobject_cast<QLineEdit*>(editor);
        e->setFocus();
        e->selectAll();
        e->insert(text);
    }

    static void addEngines() {
        QTest::addColumn<QString>("engine");
        for (const QString& e : RecordsTestBed::engines())
            QTest::newRow(e.toUtf8()) << e;
    }

private slots:
    void query_data() { addEngines(); }

    // The first list: unlet listings of today minus 10 to today, newest first, 未出租 ticked; the
    // other boxes, a wider range and 刷新.
    void query() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        bed.insertLease(unlet(QStringLiteral("B 十天前"), 10));
        bed.insertLease(unlet(QStringLiteral("C 十一天前"), 11));
        bed.insertLease(unlet(QStringLiteral("A 今天"), 0));
        bed.insertLease(withState(unlet(QStringLiteral("D 已出租"), 3), QStringLiteral("已出租")));
        bed.insertLease(withState(unlet(QStringLiteral("E 已作废"), 5), QStringLiteral("已作废")));
        bed.insertLease(unlet(QStringLiteral("F 四天前"), 4));
        withLease([&](Tfrm_HouseLease* list) {
            QVERIFY(list->CKBWCZ->isChecked());
            QVERIFY(!list->CKBALL->isChecked() && !list->CKBYCZ->isChecked() && !list->CKBZF->isChecked());
            QCOMPARE(addresses(list->QryData), (QStringList{"A 今天", "F 四天前", "B 十天前"}));

            list->CKBALL->click();
            QVERIFY(!list->CKBWCZ->isChecked());
            QCOMPARE(addresses(list->QryData).size(), 3); // ticking alone does not query
            list->BtQuery->click();
            QCOMPARE(addresses(list->QryData),
                     (QStringList{"A 今天", "D 已出租", "F 四天前", "E 已作废", "B 十天前"}));
            list->CKBYCZ->click();
            list->BtQuery->click();
            QCOMPARE(addresses(list->QryData), QStringList{"D 已出租"});
            list->CKBZF->click();
            list->BtQuery->click();
            QCOMPARE(addresses(list->QryData), QStringList{"E 已作废"});

            list->CKBZF->click(); // nothing ticked: back to 未出租
            list->Dtp1->setText(DateText::format(QDate::currentDate().addDays(-11)));
            list->BtQuery->click();
            QVERIFY(list->CKBWCZ->isChecked());
            QCOMPARE(addresses(list->QryData), (QStringList{"A 今天", "F 四天前", "B 十天前", "C 十一天前"}));

            list->TbRefresh->click();
            QCOMPARE(list->Dtp1->text(), DateText::format(QDate::currentDate().addDays(-2)));
            QCOMPARE(addresses(list->QryData), QStringList{"A 今天"});
            QCOMPARE(shownTexts(), QStringList{});
        });
    }

    void keys_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<MsgAnswer>>("answers");
        QTest::addColumn<QString>("mode"); // browse, edit or closed
        QTest::addColumn<QString>("shownState");
        QTest::addColumn<bool>("letEnabled");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("rowsLeft");
        using L = QList<int>;
        using A = QList<MsgAnswer>;
        const QString bill = QStringLiteral("你确定要删除收件号为:00000007？");
        QTest::newRow("F7 lets an unlet listing") << "未出租" << L{Qt::Key_F7} << A{} << "edit"
                                                  << "已出租" << true << QStringList{} << 1;
        QTest::newRow("F7 does nothing on a let listing") << "已出租" << L{Qt::Key_F7} << A{} << "browse"
                                                          << "已出租" << false << QStringList{} << 1;
        QTest::newRow("F5 and F6 do nothing in browse mode")
            << "未出租" << L{Qt::Key_F5, Qt::Key_F6} << A{} << "browse"
            << "未出租" << true << QStringList{} << 1;
        QTest::newRow("F3 modifies, F5 saves") << "已出租" << L{Qt::Key_F3, Qt::Key_F5} << A{} << "browse"
                                               << "已出租" << false << QStringList{} << 1;
        QTest::newRow("F7 then F6 undoes the letting")
            << "未出租" << L{Qt::Key_F7, Qt::Key_F6} << A{} << "browse"
            << "未出租" << true << QStringList{} << 1;
        QTest::newRow("F3 twice: the second does nothing")
            << "未出租" << L{Qt::Key_F3, Qt::Key_F3} << A{} << "edit"
            << "未出租" << true << QStringList{} << 1;
        QTest::newRow("hidden 新增 reached by F2") << "已出租" << L{Qt::Key_F2} << A{} << "edit"
                                                   << "未出租" << false << QStringList{} << 1;
        QTest::newRow("F2 refused while unsaved") << "已出租" << L{Qt::Key_F3, Qt::Key_F2} << A{} << "edit"
                                                  << "已出租" << false << QStringList{"请先保存数据!!!"} << 1;
        QTest::newRow("F7 on unsaved edits is not reached")
            << "未出租" << L{Qt::Key_F3, Qt::Key_F7} << A{} << "edit"
            << "未出租" << true << QStringList{"请先保存数据!!!"} << 1;
        QTest::newRow("hidden 删除 reached by F4, Yes")
            << "未出租" << L{Qt::Key_F4} << A{MsgAnswer::Yes} << "browse"
            << "" << true << QStringList{bill} << 0;
        QTest::newRow("hidden 删除 reached by F4, No")
            << "未出租" << L{Qt::Key_F4} << A{MsgAnswer::No} << "browse"
            << "未出租" << true << QStringList{bill} << 1;
        QTest::newRow("Esc closes") << "未出租" << L{Qt::Key_Escape} << A{} << "closed"
                                    << "未出租" << true << QStringList{} << 1;
        QTest::newRow("F9 closes") << "未出租" << L{Qt::Key_F9} << A{} << "closed"
                                   << "未出租" << true << QStringList{} << 1;
    }

    // A key acts only while its button is enabled; the hidden 新增 and 删除 are still reached.
    void keys() {
        QFETCH(QString, state);
        QFETCH(QList<int>, keys);
        QFETCH(QList<MsgAnswer>, answers);
        QFETCH(QString, mode);
        QFETCH(QString, shownState);
        QFETCH(bool, letEnabled);
        QFETCH(QStringList, messages);
        QFETCH(int, rowsLeft);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.insertLease(withState(unlet(QStringLiteral("文三路 1 号")), state));
        withLease([&](Tfrm_HouseLease* list) {
            list->CKBALL->click();
            list->BtQuery->click();
            withDetail(list, [&](TFrm_LeaseDetail* d) {
                QVERIFY(d->isVisible());
                QVERIFY(!d->TbSave->isEnabled());
                for (MsgAnswer a : answers)
                    MessageBoxService::queueAnswer(a);
                QWidget* focus = d->editor(QStringLiteral("DBEdtAddress"));
                for (int k : keys)
                    QTest::keyClick(focus, Qt::Key(k));
                QCOMPARE(shownTexts(), messages);
                if (mode == QLatin1String("closed")) {
                    QVERIFY(!d->isVisible());
                    return;
                }
                QVERIFY(d->isVisible());
                const bool edit = mode == QLatin1String("edit");
                QCOMPARE(d->TbSave->isEnabled(), edit);
                QCOMPARE(d->TbCancel->isEnabled(), edit);
                QCOMPARE(d->TbModfiy->isEnabled(), !edit);
                auto* address = qobject_cast<DbEdit*>(d->editor(QStringLiteral("DBEdtAddress")));
                QCOMPARE(address->isReadOnly(), !edit);
                QCOMPARE(text(d, "DBEdtStat"), shownState);
                QCOMPARE(d->TbLease->isEnabled(), letEnabled);
                if (edit) {
                    MessageBoxService::queueAnswer(MsgAnswer::No);
                    d->close();
                }
            });
            QCOMPARE(bed.leaseCount(), rowsLeft);
        });
    }

    // Opening a let listing: browse mode, deal editors enabled but read-only, only 再租 offered.
    void letListingInBrowseMode() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.insertLease(withState(unlet(QStringLiteral("文三路 2 号")), QStringLiteral("已出租")));
        withLease([&](Tfrm_HouseLease* list) {
            list->CKBYCZ->click();
            list->BtQuery->click();
            withDetail(list, [&](TFrm_LeaseDetail* d) {
                auto* tenant = qobject_cast<DbEdit*>(d->editor(QStringLiteral("DBCZLinker")));
                QVERIFY(tenant->isEnabled());
                QVERIFY(tenant->isReadOnly());
                QVERIFY(!d->TbLease->isEnabled());
                QVERIFY(!d->TBVacate->isEnabled());
                QVERIFY(d->TBReturn->isEnabled());
                QVERIFY(!d->editor(QStringLiteral("DBEdtSLR"))->isEnabled());
                QVERIFY(!d->CLBZW->isEnabled());
            });
        });
    }

    void letThenCancel() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.insertLease(unlet(QStringLiteral("文三路 3 号")));
        withLease([&](Tfrm_HouseLease* list) {
            withDetail(list, [&](TFrm_LeaseDetail* d) {
                d->TbLease->click();
                QCOMPARE(text(d, "DBEdtStat"), QStringLiteral("已出租"));
                QCOMPARE(text(d, "DBEdtSLR"), QStringLiteral("张三"));
                QCOMPARE(text(d, "DBEdtSLDate"), DateText::today());
                QVERIFY(d->editor(QStringLiteral("DBCZLinker"))->hasFocus() ||
                        QApplication::focusWidget() == nullptr);
                QVERIFY(d->editor(QStringLiteral("DbEdtYj"))->isEnabled());
                d->TbCancel->click();
                QCOMPARE(text(d, "DBEdtStat"), QStringLiteral("未出租"));
                QCOMPARE(text(d, "DBEdtSLR"), QString());
                QCOMPARE(text(d, "DBEdtSLDate"), QString());
                QVERIFY(!d->editor(QStringLiteral("DbEdtYj"))->isEnabled());
            });
        });
    }

    void closeInEditMode_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("pending");
        QTest::newRow("yes saves") << MsgAnswer::Yes << false << true << false;
        QTest::newRow("no keeps the edits pending") << MsgAnswer::No << false << false << true;
        QTest::newRow("cancel stays") << MsgAnswer::Cancel << true << false << true;
    }

    // Closing with unsaved edits asks; then a re-query asks before dropping what is pending.
    void closeInEditMode() {
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, staysOpen);
        QFETCH(bool, written);
        QFETCH(bool, pending);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        const int id = bed.insertLease(unlet(QStringLiteral("旧地址")));
        withLease([&](Tfrm_HouseLease* list) {
            withDetail(list, [&](TFrm_LeaseDetail* d) {
                d->TbModfiy->click();
                auto* address = qobject_cast<DbEdit*>(d->editor(QStringLiteral("DBEdtAddress")));
                type(address, QStringLiteral("新地址"));
                MessageBoxService::queueAnswer(answer);
                QTest::keyClick(address, Qt::Key_Escape);
                const ShownMessage asked = MessageBoxService::last();
                QCOMPARE(asked.text, RecordDetailWindow::closeQuestion());
                QCOMPARE(asked.buttons, MsgButtons::YesNoCancel);
                QCOMPARE(d->isVisible(), staysOpen);
                QCOMPARE(d->TbSave->isEnabled(), answer != MsgAnswer::Yes);
                if (staysOpen) {
                    MessageBoxService::queueAnswer(MsgAnswer::No);
                    d->close();
                }
            });
            QCOMPARE(bed.leaseValue(id, QStringLiteral("房屋地址")).toString(),
                     written ? QStringLiteral("新地址") : QStringLiteral("旧地址"));
            QCOMPARE(list->QryData->hasPendingChanges(), pending);
            QCOMPARE(list->QryData->text(QStringLiteral("房屋地址")), QStringLiteral("新地址"));
            if (!pending)
                return;
            // 查询 would drop the pending edit: it asks; No keeps it, Yes drops it.
            MessageBoxService::clearShown();
            MessageBoxService::queueAnswer(MsgAnswer::No);
            list->BtQuery->click();
            QCOMPARE(MessageBoxService::shown().size(), 1);
            QVERIFY(list->QryData->hasPendingChanges());
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
            list->TbRefresh->click();
            QVERIFY(!list->QryData->hasPendingChanges());
            QCOMPARE(list->QryData->text(QStringLiteral("房屋地址")), QStringLiteral("旧地址"));
        });
    }

    // A delete in the list sends the edits a closed detail window left pending.
    void deleteSendsPendingEdits() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        const int edited = bed.insertLease(unlet(QStringLiteral("甲 旧"), 1));
        const int removed = bed.insertLease(unlet(QStringLiteral("乙"), 0));
        withLease([&](Tfrm_HouseLease* list) {
            list->dxDBGrid1->focusLast();
            QCOMPARE(list->QryData->text(QStringLiteral("房屋地址")), QStringLiteral("甲 旧"));
            withDetail(list, [&](TFrm_LeaseDetail* d) {
                d->TbModfiy->click();
                auto* address = qobject_cast<DbEdit*>(d->editor(QStringLiteral("DBEdtAddress")));
                type(address, QStringLiteral("甲 新"));
                MessageBoxService::queueAnswer(MsgAnswer::No);
                d->TbcloseClick();
            });
            QVERIFY(list->QryData->hasPendingChanges());
            list->dxDBGrid1->focusFirst();
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
            QTest::keyClick(list->dxDBGrid1, Qt::Key_F4);
            QCOMPARE(MessageBoxService::last().text, QStringLiteral("你确定要删除收件号为:00000007？"));
            QVERIFY(!list->QryData->hasPendingChanges());
            QCOMPARE(list->QryData->recordCount(), 1);
        });
        QCOMPARE(bed.leaseValue(removed, QStringLiteral("房屋地址")).toString(), QStringLiteral("<no row>"));
        QCOMPARE(bed.leaseValue(edited, QStringLiteral("房屋地址")).toString(), QStringLiteral("甲 新"));
    }

    void otherWorkstation_data() { addEngines(); }

    // Another workstation changed the row meanwhile: the save is refused, nothing is overwritten,
    // the window stays in edit mode; a delete of that row shows the error box.
    void otherWorkstation() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        const int id = bed.insertLease(unlet(QStringLiteral("原地址")));
        withLease([&](Tfrm_HouseLease* list) {
            DatabaseConnection other(QStringLiteral("other_workstation"));
            other.open(bed.settings());
            FreeQuery q(other);
            q.setSql(QStringLiteral("update H_出租表 set 房屋地址='别人改的' where ID=:id"));
            q.setParam(QStringLiteral("id"), id);
            q.execute();
            withDetail(list, [&](TFrm_LeaseDetail* d) {
                d->TbModfiy->click();
                auto* address = qobject_cast<DbEdit*>(d->editor(QStringLiteral("DBEdtAddress")));
                type(address, QStringLiteral("我改的"));
                QTest::keyClick(address, Qt::Key_F5);
                QCOMPARE(MessageBoxService::last().text, QStringLiteral("保存失败!!!"));
                QVERIFY(d->TbSave->isEnabled());
                MessageBoxService::clearShown();
                d->TbFristClick();
                QCOMPARE(MessageBoxService::last().text, QStringLiteral("请先保存数据!!!"));
                MessageBoxService::queueAnswer(MsgAnswer::No);
                d->close();
            });
            QCOMPARE(bed.leaseValue(id, QStringLiteral("房屋地址")).toString(), QStringLiteral("别人改的"));
            MessageBoxService::clearShown();
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
            list->TbDelete->click();
            QCOMPARE(MessageBoxService::shown().size(), 2); // the question, then the error box
            QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
            other.close();
        });
        QCOMPARE(bed.leaseCount(), 1);
    }

    void newListingGetsBillNumber_data() { addEngines(); }

    void newListingGetsBillNumber() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        const qint64 counter = bed.billCounter(QStringLiteral("A"));
        withLease([&](Tfrm_HouseLease* list) {
            withDetail(
                list,
                [&](TFrm_LeaseDetail* d) {
                    QVERIFY(d->TbSave->isEnabled()); // no bill number yet: edit mode
                    QCOMPARE(text(d, "DBEdtStat"), QStringLiteral("未出租"));
                    QCOMPARE(text(d, "dxDBEdit1"), QStringLiteral("张三"));
                    QCOMPARE(text(d, "dxDBEdit2"), DateText::today());
                    type(d->editor(QStringLiteral("DBEdtAddress")), QStringLiteral("新登记的房子"));
                    d->TbSave->click();
                    QVERIFY(!d->TbSave->isEnabled());
                    QCOMPARE(text(d, "DBEdtId"), QString::number(counter).rightJustified(8, u'0'));
                    d->TbModfiy->click();
                    d->TbSave->click();
                    QCOMPARE(text(d, "DBEdtId"), QString::number(counter).rightJustified(8, u'0'));
                },
                Qt::Key_F2);
            QCOMPARE(shownTexts(), QStringList{});
        });
        QCOMPARE(bed.billCounter(QStringLiteral("A")), counter + 1);
        QCOMPARE(bed.leaseCount(), 1);
    }

    void cancelledNewListingVanishes() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        withLease([&](Tfrm_HouseLease* list) {
            withDetail(
                list, [&](TFrm_LeaseDetail* d) { d->TbCancel->click(); }, Qt::Key_F2);
            QCOMPARE(list->QryData->recordCount(), 0);
        });
        QCOMPARE(bed.leaseCount(), 0);
    }

    void commissionOnEntry_data() {
        QTest::addColumn<QVariant>("present");
        QTest::addColumn<QString>("expect");
        QTest::newRow("empty: proposed") << QVariant() << "1000";
        QTest::newRow("0: proposed") << QVariant(0) << "1000";
        QTest::newRow("800 left alone") << QVariant(800) << "800";
    }

    void commissionOnEntry() {
        QFETCH(QVariant, present);
        QFETCH(QString, expect);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        AppGlobals.LeaseCommission = 50;
        QVariantMap row = withState(unlet(QStringLiteral("文三路 5 号")), QStringLiteral("已出租"));
        if (!present.isNull())
            row.insert(QStringLiteral("佣金金额"), present);
        bed.insertLease(row);
        withLease([&](Tfrm_HouseLease* list) {
            list->CKBALL->click();
            list->BtQuery->click();
            withDetail(list, [&](TFrm_LeaseDetail* d) {
                QCOMPARE(d->LBYj->text(), QStringLiteral("50"));
                d->TbModfiy->click();
                d->activateWindow();
                d->editor(QStringLiteral("DbEdtYj"))->setFocus(Qt::TabFocusReason);
                d->DbEdtYjEnter();
                QCOMPARE(text(d, "DbEdtYj"), expect);
                QCOMPARE(shownTexts(), QStringList{});
                MessageBoxService::queueAnswer(MsgAnswer::No);
                d->close();
            });
        });
    }

    // The stored text ticks the items it names; a tick change rewrites it in list order.
    void multiChoicePopup() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        QVariantMap row = unlet(QStringLiteral("文三路 6 号"));
        row.insert(QStringLiteral("周围环境"), QStringLiteral("近学校,近超市,公园"));
        bed.insertLease(row);
        withLease([&](Tfrm_HouseLease* list) {
            withDetail(list, [&](TFrm_LeaseDetail* d) {
                d->setItems(QStringLiteral("CLBZW"),
                            {QStringLiteral("近学校"), QStringLiteral("公园"), QStringLiteral("近医院")});
                d->TbModfiy->click();
                auto* popup = qobject_cast<DbPopupCheckEdit*>(d->editor(QStringLiteral("CBZW")));
                popup->showPopup();
                QCOMPARE(d->CLBZW->checks(), (QList<bool>{true, true, false}));
                d->CLBZW->clickItem(2);
                QCOMPARE(popup->text(), QStringLiteral("近学校,公园,近医院"));
                QCOMPARE(list->QryData->text(QStringLiteral("周围环境")),
                         QStringLiteral("近学校,公园,近医院"));
                popup->hidePopup();
                d->TbSave->click();
            });
        });
    }

    void printing_data() {
        QTest::addColumn<QString>("from"); // list or detail
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("withTemplate");
        QTest::addColumn<QString>("expect"); // preview, designer, or the message shown
        QTest::newRow("list, preview") << "list" << 1 << false << true << "preview";
        QTest::newRow("list, unsaved row previewed") << "list" << 1 << true << true << "preview";
        QTest::newRow("list, designer") << "list" << 0 << false << true << "designer";
        QTest::newRow("list, template missing")
            << "list" << 1 << false << false << "打印模板丢失,请与管理员联系!!!";
        QTest::newRow("detail, preview") << "detail" << 1 << false << true << "preview";
        QTest::newRow("detail, unsaved") << "detail" << 1 << true << true << "请先保存数据!!!";
        QTest::newRow("detail, template missing")
            << "detail" << 1 << false << false << "打印模板丢失,请与管理员联系!!!";
    }

    // 打印 by the print mode: the percent from the settings (list) or the label (detail), the
    // company footer, the focused row with its pending edits.
    void printing() {
        QFETCH(QString, from);
        QFETCH(int, mode);
        QFETCH(bool, unsaved);
        QFETCH(bool, withTemplate);
        QFETCH(QString, expect);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        QTemporaryDir empty;
        AppGlobals.PrintMode = uint8_t(mode);
        bed.insertLease(unlet(QStringLiteral("文三路 8 号")));
        withLease([&](Tfrm_HouseLease* list) {
            AppGlobals.LeaseCommission = 45; // changed while the windows are open
            if (!withTemplate)
                AppGlobals.AppPath = empty.path();
            int designers = 0;
            if (expect == QLatin1String("designer"))
                ModalSeam::drive([&](QWidget*) { ++designers; });
            if (from == QLatin1String("list")) {
                if (unsaved) {
                    list->QryData->setValue(QStringLiteral("房屋地址"), QStringLiteral("未保存的地址"));
                    list->QryData->post();
                }
                QTest::keyClick(list->dxDBGrid1, Qt::Key_F8);
            } else {
                withDetail(list, [&](TFrm_LeaseDetail* d) {
                    if (unsaved)
                        d->TbModfiy->click();
                    QTest::keyClick(d->editor(QStringLiteral("DBEdtAddress")), Qt::Key_F8);
                    MessageBoxService::queueAnswer(MsgAnswer::No);
                    d->close();
                });
            }
            BillPrinter* bill = list->detail()->report();
            if (expect == QLatin1String("preview")) {
                QCOMPARE(shownTexts(), QStringList{});
                QVERIFY(bill && bill->preview());
                QCOMPARE(bill->report().labelCaption(QStringLiteral("PLbYJ")),
                         from == QLatin1String("list") ? QStringLiteral("45") : QStringLiteral("30"));
                QCOMPARE(bill->report().labelCaption(QStringLiteral("PLBCompanyName")),
                         AppGlobals.CompanyName);
                QCOMPARE(bill->report().labelCaption(QStringLiteral("PLbCompanyTel")), AppGlobals.CompanyTel);
                delete bill->preview();
            } else if (expect == QLatin1String("designer")) {
                QCOMPARE(shownTexts(), QStringList{});
                QCOMPARE(designers, 1);
            } else {
                QCOMPARE(shownTexts().value(0), expect);
                QVERIFY(!bill || !bill->preview());
            }
        });
    }
};

QTEST_MAIN(TestLeaseWindows)
#include "tst_LeaseWindows.moc"

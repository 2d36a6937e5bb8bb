#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "BillNumbers.h"
#include "CheckListBox.h"
#include "DateText.h"
#include "DbPopupCheckEdit.h"
#include "FreeQuery.h"
#include "MessageBoxService.h"
#include "RangeDateEdit.h"
#include "RecordsTestBed.h"
#include "ShowLeaseForm.h"
#include "TFrm_LeaseDetail.h"
#include "TSetValue.h"
#include "TestSupport.h"
#include "Tfrm_HouseLease.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

// A save never loses what the clerk typed, and nothing pending vanishes without a question:
// each case driven through the lease windows as a clerk drives them.
class TestRecordMends : public QObject {
    Q_OBJECT

private:
    using List = Tfrm_HouseLease;
    using Detail = TFrm_LeaseDetail;

    static void withLease(const std::function<void(List*)>& body) { onModal<List>(&ShowLeaseForm, body); }

    static void withDetail(List* list, const std::function<void(Detail*)>& body, int key = Qt::Key_F3) {
        onModal<Detail>([&] { QTest::keyClick(list->dxDBGrid1, Qt::Key(key)); }, body);
    }

    static QLineEdit* edit(Detail* d, const char* name) {
        return qobject_cast<QLineEdit*>(d->editor(QString::fromUtf8(name)));
    }

    static QVariantMap listing(const QString& address, const QString& state = QStringLiteral("未出租")) {
        return {{QStringLiteral("收件号"), QStringLiteral("00000009")},
                {QStringLiteral("房屋地址"), address},
                {QStringLiteral("编辑日期"), QDate::currentDate()},
                {QStringLiteral("编辑人"), QStringLiteral("李四")},
                {QStringLiteral("状态位"), state}};
    }

private slots:
    void refusedTextFailsTheSave_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters in 房屋面积") << "DbEdtMJ"
                                             << "建筑面积"
                                             << "12ab";
        QTest::newRow("no such date") << "DtpJG"
                                      << "竣工日期"
                                      << "2024-13-01";
        QTest::newRow("more decimals than money holds") << "DbEdtZJ"
                                                        << "租金"
                                                        << "1.23456";
    }

    // 保存 over a refused value fails like a save error; the window stays in edit mode and the typed
    // text stays in its editor.
    void refusedTextFailsTheSave() {
        QFETCH(QString, editor);
        QFETCH(QString, column);
        QFETCH(QString, typed);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        const int id = bed.insertLease(listing(QStringLiteral("文一路 1 号")));
        withLease([&](List* list) {
            withDetail(list, [&](Detail* d) {
                d->TbModfiy->click();
                QLineEdit* e = edit(d, editor.toUtf8().constData());
                e->setFocus();
                QTest::keyClicks(e, typed);
                QTest::keyClick(e, Qt::Key_F5);
                QCOMPARE(shownTexts(), QStringList{QStringLiteral("保存失败!!!")});
                QVERIFY(d->TbSave->isEnabled());
                QCOMPARE(e->text(), typed);
                d->TbSave->click(); // still refused, still there
                QCOMPARE(e->text(), typed);
                QVERIFY(d->TbSave->isEnabled());
                closeKeepingEdits(d);
            });
            MessageBoxService::queueAnswer(MsgAnswer::Yes); // the list's close drops what is pending
        });
        QVERIFY(bed.leaseValue(id, column).isNull());
    }

    // Closing the list with edits still pending asks first: 否 keeps the window and the edits.
    void closingTheListAsks() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        const int id = bed.insertLease(listing(QStringLiteral("旧地址")));
        withLease([&](List* list) {
            withDetail(list, [&](Detail* d) {
                d->TbModfiy->click();
                edit(d, "DBEdtAddress")->setText(QStringLiteral("新地址"));
                list->QryData->setValue(QStringLiteral("房屋地址"), QStringLiteral("新地址"));
                closeKeepingEdits(d);
            });
            MessageBoxService::clearShown();
            MessageBoxService::queueAnswer(MsgAnswer::No);
            QTest::keyClick(list->dxDBGrid1, Qt::Key_Escape);
            QCOMPARE(shownTexts(), QStringList{Ttemplet::closeQuestion()});
            QVERIFY(list->isVisible());
            QVERIFY(list->QryData->hasPendingChanges());
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
            QTest::keyClick(list->dxDBGrid1, Qt::Key_F9);
            QVERIFY(!list->isVisible());
        });
        QCOMPARE(bed.leaseValue(id, QStringLiteral("房屋地址")).toString(), QStringLiteral("旧地址"));
    }

    void everyNewRowGetsItsNumber_data() {
        QTest::addColumn<QString>("engine");
        for (const QString& e : RecordsTestBed::engines())
            QTest::newRow(e.toUtf8()) << e;
    }

    // A new row left pending by the detail's close is numbered by the next batch along with the
    // row being saved: no row reaches the table without 收件号.
    void everyNewRowGetsItsNumber() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        const qint64 counter = bed.billCounter(QStringLiteral("A"));
        withLease([&](List* list) {
            withDetail(
                list,
                [&](Detail* d) {
                    edit(d, "DBEdtAddress")->setFocus();
                    QTest::keyClicks(edit(d, "DBEdtAddress"), QStringLiteral("A1"));
                    closeKeepingEdits(d);
                },
                Qt::Key_F2);
            withDetail(
                list,
                [&](Detail* d) {
                    edit(d, "DBEdtAddress")->setFocus();
                    QTest::keyClicks(edit(d, "DBEdtAddress"), QStringLiteral("B2"));
                    QTest::keyClick(edit(d, "DBEdtAddress"), Qt::Key_F5);
                    QVERIFY(!d->TbSave->isEnabled());
                    QCOMPARE(edit(d, "DBEdtId")->text(), BillNoText(counter + 1));
                },
                Qt::Key_F2);
            QVERIFY(!list->QryData->hasPendingChanges());
            QCOMPARE(shownTexts(), QStringList{RecordDetailWindow::closeQuestion()});
        });
        QCOMPARE(bed.columnValues(QStringLiteral("H_出租表"), QStringLiteral("收件号")),
                 (QStringList{BillNoText(counter), BillNoText(counter + 1)}));
        QCOMPARE(bed.billCounter(QStringLiteral("A")), counter + 2);
    }

    void commissionOnlyOnRealEntry_data() {
        QTest::addColumn<int>("reason");
        QTest::addColumn<QVariant>("price");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("expect");
        QTest::newRow("tab into it") << int(Qt::TabFocusReason) << QVariant(2000) << 30 << "600";
        QTest::newRow("mouse into it") << int(Qt::MouseFocusReason) << QVariant(2000) << 30 << "600";
        QTest::newRow("window activated again")
            << int(Qt::ActiveWindowFocusReason) << QVariant(2000) << 30 << "";
        QTest::newRow("pop-up closed") << int(Qt::PopupFocusReason) << QVariant(2000) << 30 << "";
        QTest::newRow("beyond the column, silently")
            << int(Qt::TabFocusReason) << QVariant(qlonglong(900000000000)) << 200 << "";
    }

    // The proposal runs when the focus really enters the commission editor, and its errors are
    // swallowed: no message box that would give the focus back and ask again.
    void commissionOnlyOnRealEntry() {
        QFETCH(int, reason);
        QFETCH(QVariant, price);
        QFETCH(int, percent);
        QFETCH(QString, expect);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        AppGlobals.LeaseCommission = percent;
        QVariantMap row = listing(QStringLiteral("文一路 3 号"), QStringLiteral("已出租"));
        row.insert(QStringLiteral("承租价格"), price);
        bed.insertLease(row);
        withLease([&](List* list) {
            list->CKBYCZ->click();
            list->BtQuery->click();
            withDetail(list, [&](Detail* d) {
                QFocusEvent in(QEvent::FocusIn, Qt::FocusReason(reason));
                QApplication::sendEvent(d->editor(QStringLiteral("DbEdtYj")), &in);
                QCOMPARE(edit(d, "DbEdtYj")->text(), expect);
                QCOMPARE(shownTexts(), QStringList{});
            });
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
        });
    }

    // Typing into the detail over an empty list starts a new row with the family's presets, so the
    // saved row is found again by its registration date.
    void typingOverAnEmptyList() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        withLease([&](List* list) {
            QCOMPARE(list->QryData->recordCount(), 0);
            withDetail(list, [&](Detail* d) {
                QVERIFY(d->TbSave->isEnabled());
                edit(d, "DBEdtAddress")->setFocus();
                QTest::keyClicks(edit(d, "DBEdtAddress"), QStringLiteral("NEW"));
                QCOMPARE(edit(d, "DBEdtStat")->text(), QStringLiteral("未出租"));
                QCOMPARE(edit(d, "dxDBEdit1")->text(), QStringLiteral("张三"));
                QCOMPARE(edit(d, "dxDBEdit2")->text(), DateText::today());
                QCOMPARE(edit(d, "DBEdtAddress")->text(), QStringLiteral("NEW"));
                QTest::keyClick(edit(d, "DBEdtAddress"), Qt::Key_F5);
                QVERIFY(!d->TbSave->isEnabled());
            });
            list->BtQuery->click();
            QCOMPARE(list->QryData->recordCount(), 1);
            QCOMPARE(list->QryData->text(QStringLiteral("房屋地址")), QStringLiteral("NEW"));
            QCOMPARE(list->QryData->text(QStringLiteral("跟踪报警标志")), QStringLiteral("False"));
        });
        QCOMPARE(shownTexts(), QStringList{});
    }

    // Enter moves along the editor table's order: 产权证号 comes before 装修情况.
    void enterFollowsTheTabOrder() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.insertLease(listing(QStringLiteral("文一路 4 号")));
        withLease([&](List* list) {
            withDetail(list, [&](Detail* d) {
                QStringList order;
                d->editor(QStringLiteral("CBZX"))->setFocus();
                for (int i = 0; i < 3; ++i) {
                    QWidget* f = d->focusWidget();
                    QVERIFY(f);
                    QTest::keyClick(f, Qt::Key_Return);
                    while (f && f->objectName().isEmpty())
                        f = f->parentWidget();
                    order << f->objectName();
                }
                QCOMPARE(order, (QStringList{"CBZX", "CBCQ", "CbZC"}));
            });
        });
    }

    // 刷新 with edits pending asks once; 否 leaves the dates and the edits as they were.
    void refreshMovesTheDatesOnlyWhenItRuns() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.insertLease(listing(QStringLiteral("文一路 5 号")));
        withLease([&](List* list) {
            const QString start = list->Dtp1->text();
            list->QryData->setValue(QStringLiteral("房屋地址"), QStringLiteral("改了没存"));
            list->QryData->post();
            MessageBoxService::queueAnswer(MsgAnswer::No);
            list->TbRefresh->click();
            QCOMPARE(shownTexts(), QStringList{Ttemplet::requeryQuestion()});
            QCOMPARE(list->Dtp1->text(), start);
            QVERIFY(list->QryData->hasPendingChanges());
            MessageBoxService::clearShown();
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
            list->TbRefresh->click();
            QCOMPARE(shownTexts(), QStringList{Ttemplet::requeryQuestion()});
            QCOMPARE(list->Dtp1->text(), DateText::format(QDate::currentDate().addDays(-2)));
            QVERIFY(!list->QryData->hasPendingChanges());
        });
    }

    // A tick the column cannot hold (周围环境 holds 200 characters) is refused and undone.
    void aTickTheColumnCannotHoldIsUndone() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.insertLease(listing(QStringLiteral("文一路 6 号")));
        withLease([&](List* list) {
            withDetail(list, [&](Detail* d) {
                QStringList items;
                for (int i = 0; i < 5; ++i)
                    items << QString(60, QChar(u'甲' + i));
                d->setItems(QStringLiteral("CLBZW"), items);
                d->TbModfiy->click();
                auto* popup = qobject_cast<DbPopupCheckEdit*>(d->editor(QStringLiteral("CBZW")));
                popup->showPopup();
                for (int i = 0; i < 4; ++i)
                    d->CLBZW->clickItem(i);
                QCOMPARE(d->CLBZW->checks(), (QList<bool>{true, true, true, false, false}));
                QCOMPARE(list->QryData->text(QStringLiteral("周围环境")), items.mid(0, 3).join(u','));
                QCOMPARE(shownTexts().size(), 1);
                QCOMPARE(MessageBoxService::last().caption, QStringLiteral("提示"));
                popup->hidePopup();
                d->TbSave->click();
                QCOMPARE(shownTexts().size(), 1);
            });
        });
    }

    // Money another tool wrote with more than four decimals does not block the row's saves.
    void moneyWithMoreDecimalsSaves() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        const int id = bed.insertLease(listing(QStringLiteral("旧")));
        FreeQuery q(bed.connection());
        q.setSql(QStringLiteral("update H_出租表 set 租金=:v where ID=:id"));
        q.setParam(QStringLiteral("v"), 1.23456);
        q.setParam(QStringLiteral("id"), id);
        q.execute();
        withLease([&](List* list) {
            withDetail(list, [&](Detail* d) {
                QCOMPARE(edit(d, "DbEdtZJ")->text(), QStringLiteral("1.2346"));
                for (const QString& address : {QStringLiteral("first"), QStringLiteral("second")}) {
                    d->TbModfiy->click();
                    edit(d, "DBEdtAddress")->setFocus();
                    edit(d, "DBEdtAddress")->selectAll();
                    QTest::keyClicks(edit(d, "DBEdtAddress"), address);
                    d->TbSave->click();
                    QCOMPARE(shownTexts(), QStringList{});
                    QCOMPARE(bed.leaseValue(id, QStringLiteral("房屋地址")).toString(), address);
                }
            });
        });
    }
};

QTEST_MAIN(TestRecordMends)
#include "tst_RecordMends.moc"

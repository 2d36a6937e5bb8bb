#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "BillNumbers.h"
#include "BillPrinter.h"
#include "DateText.h"
#include "FreeQuery.h"
#include "MessageBoxService.h"
#include "RangeDateEdit.h"
#include "RecordsTestBed.h"
#include "ReportPreviewDialog.h"
#include "ShowSaleForm.h"
#include "TFrm_Sale.h"
#include "TFrm_SaleDetail.h"
#include "TSetValue.h"
#include "TestSupport.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(QList<MsgAnswer>)

// The sale list and detail windows driven as a clerk drives them, on every engine where the case
// touches the database.
class TestSaleWindows : public QObject {
    Q_OBJECT

private:
    using List = TFrm_Sale;
    using Detail = TFrm_SaleDetail;
    const QString Table = QStringLiteral("H_出售表");

    static void withSale(const std::function<void(List*)>& body) { onModal<List>(&ShowSaleForm, body); }

    static void withDetail(List* list, const std::function<void(Detail*)>& body, int key = Qt::Key_F3) {
        onModal<Detail>([&] { QTest::keyClick(list->dxDBGrid1, Qt::Key(key)); }, body);
    }

    static QLineEdit* edit(Detail* d, const char* name) {
        return qobject_cast<QLineEdit*>(d->editor(QString::fromUtf8(name)));
    }

    static QStringList addresses(BatchDataSet* data) {
        QStringList out;
        const int c = data->columnIndex(QStringLiteral("房屋地址"));
        for (int r = 0; r < data->recordCount(); ++r)
            out << data->valueAt(r, c).toString();
        return out;
    }

    static QVariantMap unsold(const QString& address, int daysAgo = 0) {
        return {{QStringLiteral("收件号"), QStringLiteral("00000021")},
                {QStringLiteral("房屋地址"), address},
                {QStringLiteral("售价"), 85},
                {QStringLiteral("编辑日期"), QDate::currentDate().addDays(-daysAgo)},
                {QStringLiteral("编辑人"), QStringLiteral("李四")},
                {QStringLiteral("状态位"), QStringLiteral("未出售")}};
    }

    static QVariantMap sold(const QString& address, const QString& state = QStringLiteral("已出售")) {
        QVariantMap row = unsold(address);
        row.insert(QStringLiteral("状态位"), state);
        row.insert(QStringLiteral("购买人姓名"), QStringLiteral("王五"));
        row.insert(QStringLiteral("购买人联系电话"), QStringLiteral("13900001111"));
        row.insert(QStringLiteral("购买人身份证号码"), QStringLiteral("330102199001011234"));
        row.insert(QStringLiteral("购买价格"), 8500);
        row.insert(QStringLiteral("购买日期"), QDate(2024, 5, 6));
        row.insert(QStringLiteral("购买方备注"), QStringLiteral("一次付清"));
        row.insert(QStringLiteral("受理人"), QStringLiteral("李四"));
        row.insert(QStringLiteral("受理日期"), QDate(2024, 5, 6));
        row.insert(QStringLiteral("合同号"), QStringLiteral("HT-21"));
        row.insert(QStringLiteral("佣金金额"), 170);
        return row;
    }

    static void addEngines() {
        QTest::addColumn<QString>("engine");
        for (const QString& e : RecordsTestBed::engines())
            QTest::newRow(e.toUtf8()) << e;
    }

private slots:
    void firstList_data() { addEngines(); }

    // The first list: unsold listings of today minus 10 to today, newest first, 未出售 ticked; cell
    // focus, no 刷新, the hidden columns and the filter drop-downs; the other boxes.
    void firstList() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        bed.insertRow(Table, unsold(QStringLiteral("B 十天前"), 10));
        bed.insertRow(Table, unsold(QStringLiteral("C 十一天前"), 11));
        bed.insertRow(Table, unsold(QStringLiteral("A 今天"), 0));
        bed.insertRow(Table, sold(QStringLiteral("D 已出售")));
        bed.insertRow(Table, sold(QStringLiteral("E 已作废"), QStringLiteral("已作废")));
        withSale([&](List* list) {
            QCOMPARE(list->windowTitle(), QStringLiteral("房屋出售管理"));
            QCOMPARE(list->Label1->text(), QStringLiteral("登记日期："));
            QVERIFY(list->CKBWCZ->isChecked());
            QCOMPARE(list->CKBYCZ->text(), QStringLiteral("已出售"));
            QCOMPARE(addresses(list->QryData), (QStringList{"A 今天", "B 十天前"}));
            QVERIFY(!list->TbRefresh->isVisible() && !list->ToolSep2->isVisible());
            QVERIFY(!list->TbModfiy->isVisible());
            QVERIFY(list->TbNew->isVisible() && list->TbDelete->isVisible() && list->TbPrint->isVisible());
            QVERIFY(!list->dxDBGrid1->rowSelect());
            QVERIFY(!list->dxDBGrid1->isColumnShown(QStringLiteral("产权证号")));
            QVERIFY(list->dxDBGrid1->isColumnShown(QStringLiteral("使用年限")));
            QCOMPARE(list->dxDBGrid1->filterColumns(),
                     (QStringList{"收件号", "状态位", "建筑面积", "房型", "朝向", "楼层", "产别", "区域",
                                  "装修情况", "编辑人"}));
            list->CKBYCZ->click();
            list->BtQuery->click();
            QCOMPARE(addresses(list->QryData), QStringList{"D 已出售"});
            list->CKBZF->click();
            list->BtQuery->click();
            QCOMPARE(addresses(list->QryData), QStringList{"E 已作废"});
            list->CKBALL->click();
            list->Dtp1->setText(DateText::format(QDate::currentDate().addDays(-11)));
            list->BtQuery->click();
            QCOMPARE(addresses(list->QryData).size(), 5);
            QCOMPARE(shownTexts(), QStringList{});
        });
    }

    void modifyClosedListing_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("state");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("then"); // nothing, cancel or save
        QTest::addColumn<QString>("stored");
        for (const QString& e : RecordsTestBed::engines()) {
            const QByteArray n = e.toUtf8();
            QTest::newRow(n + " sold, No") << e << "已出售" << MsgAnswer::No << "nothing"
                                           << "已出售";
            QTest::newRow(n + " sold, Yes, 取消") << e << "已出售" << MsgAnswer::Yes << "cancel"
                                                  << "已出售";
            QTest::newRow(n + " sold, Yes, 保存") << e << "已出售" << MsgAnswer::Yes << "save"
                                                  << "未出售";
            QTest::newRow(n + " cancelled, Yes, 保存") << e << "已作废" << MsgAnswer::Yes << "save"
                                                       << "未出售";
        }
    }

    // 修改 of a sold or cancelled listing asks first and offers it as unsold again; the buyer and the
    // deal stay filled in.
    void modifyClosedListing() {
        QFETCH(QString, engine);
        QFETCH(QString, state);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, then);
        QFETCH(QString, stored);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        const int id = bed.insertRow(Table, sold(QStringLiteral("文二路 1 号"), state));
        withSale([&](List* list) {
            list->CKBALL->click();
            list->BtQuery->click();
            withDetail(list, [&](Detail* d) {
                QVERIFY(!d->TbSale->isEnabled() && !d->TBVacate->isEnabled());
                MessageBoxService::queueAnswer(answer);
                QTest::keyClick(edit(d, "DBEdtAddress"), Qt::Key_F3);
                const ShownMessage asked = MessageBoxService::last();
                QCOMPARE(
                    asked.text,
                    QStringLiteral("当前房屋%1，您还需要修改，系统将房屋状态改为未售,确定？").arg(state));
                QCOMPARE(asked.caption, QStringLiteral("确认"));
                QCOMPARE(d->TbSave->isEnabled(), answer == MsgAnswer::Yes);
                QCOMPARE(edit(d, "DBEdtStat")->text(),
                         answer == MsgAnswer::Yes ? QStringLiteral("未出售") : state);
                if (then == QLatin1String("cancel"))
                    d->TbCancel->click();
                else if (then == QLatin1String("save"))
                    d->TbSave->click();
                QCOMPARE(edit(d, "DBEdtStat")->text(), stored);
                QCOMPARE(edit(d, "DBCZLinker")->text(), QStringLiteral("王五"));
                QVERIFY(!d->TbSave->isEnabled());
                const bool reopened = stored == QStringLiteral("未出售");
                QCOMPARE(d->TbSale->isEnabled(), reopened);
                QCOMPARE(d->TBVacate->isEnabled(), reopened);
                QCOMPARE(shownTexts().size(), 1);
            });
        });
        QCOMPARE(bed.rowValue(Table, id, QStringLiteral("状态位")).toString(), stored);
        QCOMPARE(bed.rowValue(Table, id, QStringLiteral("购买人姓名")).toString(), QStringLiteral("王五"));
        QCOMPARE(bed.rowValue(Table, id, QStringLiteral("合同号")).toString(), QStringLiteral("HT-21"));
        QCOMPARE(bed.rowValue(Table, id, QStringLiteral("佣金金额")).toDouble(), 170.0);
    }

    void vacate_data() { addEngines(); }

    // 作废 empties the buyer and the deal (telephone, 受理人 and 受理日期 kept) and is saved at once.
    void vacate() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        QVariantMap row = sold(QStringLiteral("文二路 2 号"), QStringLiteral("未出售"));
        const int id = bed.insertRow(Table, row);
        withSale([&](List* list) {
            withDetail(list, [&](Detail* d) {
                MessageBoxService::queueAnswer(MsgAnswer::No);
                d->TBVacate->click();
                QCOMPARE(MessageBoxService::last().text, QStringLiteral("确定要作废当前的房屋信息？"));
                QCOMPARE(edit(d, "DBEdtStat")->text(), QStringLiteral("未出售"));
                MessageBoxService::queueAnswer(MsgAnswer::Yes);
                d->TBVacate->click();
                QVERIFY(!d->TbSave->isEnabled());
                QVERIFY(!d->TbSale->isEnabled() && !d->TBVacate->isEnabled());
                QVERIFY(!d->editor(QStringLiteral("DBCZLinker"))->isEnabled());
            });
        });
        const auto value = [&](const char* c) { return bed.rowValue(Table, id, QString::fromUtf8(c)); };
        QCOMPARE(value("状态位").toString(), QStringLiteral("已作废"));
        for (const char* c : {"购买人姓名", "购买人身份证号码", "购买方备注", "合同号"}) {
            QVERIFY2(!value(c).isNull() && value(c).toString().isEmpty(), c);
        }
        QVERIFY(value("购买日期").isNull());
        QCOMPARE(value("购买价格").toDouble(), 0.0);
        QCOMPARE(value("佣金金额").toDouble(), 0.0);
        QCOMPARE(value("购买人联系电话").toString(), QStringLiteral("13900001111"));
        QCOMPARE(value("受理人").toString(), QStringLiteral("李四"));
        QCOMPARE(value("受理日期").toDate(), QDate(2024, 5, 6));
    }

    void saleAndCommission_data() {
        QTest::addColumn<QVariant>("price");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("commission");
        QTest::newRow("8500 at 2") << QVariant(8500) << 2 << "170";
        QTest::newRow("199 at 3, truncated") << QVariant(199) << 3 << "5";
        QTest::newRow("no price") << QVariant() << 2 << "0";
        QTest::newRow("beyond 32 bits") << QVariant(100000000) << 3000 << "3000000000";
    }

    // 出售 (F7) asks, then opens the deal in edit mode; entering the commission editor proposes
    // price × percent / 100; the sale is saved with the buyer.
    void saleAndCommission() {
        QFETCH(QVariant, price);
        QFETCH(int, percent);
        QFETCH(QString, commission);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        AppGlobals.SaleCommission = percent;
        const int id = bed.insertRow(Table, unsold(QStringLiteral("文二路 3 号")));
        withSale([&](List* list) {
            withDetail(list, [&](Detail* d) {
                QCOMPARE(d->LBYj->text(), QString::number(percent));
                QVERIFY(!d->editor(QStringLiteral("DBCZLinker"))->isEnabled());
                QLineEdit* address = edit(d, "DBEdtAddress");
                MessageBoxService::queueAnswer(MsgAnswer::No);
                QTest::keyClick(address, Qt::Key_F7);
                QCOMPARE(shownTexts(), QStringList{QStringLiteral("确定要出售当前的房屋信息？")});
                QVERIFY(!d->TbSave->isEnabled());
                MessageBoxService::queueAnswer(MsgAnswer::Yes);
                QTest::keyClick(address, Qt::Key_F7);
                QVERIFY(d->TbSave->isEnabled());
                QCOMPARE(edit(d, "DBEdtStat")->text(), QStringLiteral("已出售"));
                QCOMPARE(edit(d, "DBEdtSLR")->text(), QStringLiteral("张三"));
                QCOMPARE(edit(d, "DBEdtSLDate")->text(), DateText::today());
                QVERIFY(d->editor(QStringLiteral("DBCZLinker"))->isEnabled());
                edit(d, "DBCZLinker")->setText(QStringLiteral("赵六"));
                list->QryData->setValue(QStringLiteral("购买人姓名"), QStringLiteral("赵六"));
                if (!price.isNull())
                    list->QryData->setValue(QStringLiteral("购买价格"), price);
                QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
                QApplication::sendEvent(d->editor(QStringLiteral("DbEdtYj")), &in);
                QCOMPARE(edit(d, "DbEdtYj")->text(), commission);
                QTest::keyClick(address, Qt::Key_F5);
                QVERIFY(!d->TbSave->isEnabled());
                QTest::keyClick(address, Qt::Key_F7); // sold: 出售 is disabled, F7 does nothing
                QCOMPARE(shownTexts(), QStringList(2, QStringLiteral("确定要出售当前的房屋信息？")));
            });
        });
        QCOMPARE(bed.rowValue(Table, id, QStringLiteral("状态位")).toString(), QStringLiteral("已出售"));
        QCOMPARE(bed.rowValue(Table, id, QStringLiteral("购买人姓名")).toString(), QStringLiteral("赵六"));
        QCOMPARE(bed.rowValue(Table, id, QStringLiteral("佣金金额")).toLongLong(), commission.toLongLong());
    }

    void commissionInBrowseMode_data() {
        QTest::addColumn<QVariant>("present");
        QTest::addColumn<QString>("expect");
        QTest::addColumn<bool>("pending");
        QTest::newRow("1500 left alone") << QVariant(1500) << "1500" << false;
        QTest::newRow("0 proposed, pending") << QVariant(0) << "170" << true;
    }

    // Entering the commission of a sold listing in browse mode proposes one only when it is empty
    // or 0; the proposal waits in the list's data set.
    void commissionInBrowseMode() {
        QFETCH(QVariant, present);
        QFETCH(QString, expect);
        QFETCH(bool, pending);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        QVariantMap row = sold(QStringLiteral("文二路 4 号"));
        row.insert(QStringLiteral("佣金金额"), present);
        bed.insertRow(Table, row);
        withSale([&](List* list) {
            list->CKBYCZ->click();
            list->BtQuery->click();
            withDetail(list, [&](Detail* d) {
                QVERIFY(!d->TbSave->isEnabled());
                QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
                QApplication::sendEvent(d->editor(QStringLiteral("DbEdtYj")), &in);
                QCOMPARE(edit(d, "DbEdtYj")->text(), expect);
                QCOMPARE(list->QryData->hasPendingChanges(), pending);
            });
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
        });
    }

    void printing_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("withTemplate");
        QTest::addColumn<QString>("expect"); // preview, or the message shown
        QTest::newRow("list, pending row previewed") << "list" << true << true << "preview";
        QTest::newRow("list, template missing")
            << "list" << false << false << "打印模板丢失,请与管理员联系!!!";
        QTest::newRow("detail, preview") << "detail" << false << true << "preview";
        QTest::newRow("detail, unsaved") << "detail" << true << true << "请先保存数据!!!";
    }

    // 打印 on the sale bill: the list prints the focused row with its pending edits and the percent
    // as it stands, the detail refuses while unsaved and prints its label's percent.
    void printing() {
        QFETCH(QString, from);
        QFETCH(bool, unsaved);
        QFETCH(bool, withTemplate);
        QFETCH(QString, expect);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        QTemporaryDir empty;
        bed.insertRow(Table, unsold(QStringLiteral("文二路 5 号")));
        withSale([&](List* list) {
            AppGlobals.SaleCommission = 3; // changed while the windows are open
            if (!withTemplate)
                AppGlobals.AppPath = empty.path();
            if (from == QLatin1String("list")) {
                if (unsaved) {
                    list->QryData->setValue(QStringLiteral("房屋地址"), QStringLiteral("未保存的地址"));
                    list->QryData->post();
                }
                QTest::keyClick(list->dxDBGrid1, Qt::Key_F8);
            } else {
                withDetail(list, [&](Detail* d) {
                    if (unsaved)
                        d->TbModfiy->click();
                    QTest::keyClick(edit(d, "DBEdtAddress"), Qt::Key_F8);
                    if (unsaved)
                        closeKeepingEdits(d);
                });
            }
            BillPrinter* bill = list->detail()->report();
            if (expect == QLatin1String("preview")) {
                QCOMPARE(shownTexts(), QStringList{});
                QVERIFY(bill && bill->preview());
                QCOMPARE(bill->report().labelCaption(QStringLiteral("PLbYJ")),
                         from == QLatin1String("list") ? QStringLiteral("3") : QStringLiteral("2"));
                QCOMPARE(bill->report().labelCaption(QStringLiteral("PLBCompanyName")),
                         AppGlobals.CompanyName);
                if (unsaved)
                    QCOMPARE(bill->preview()->record().value(QStringLiteral("房屋地址")).toString(),
                             QStringLiteral("未保存的地址"));
                delete bill->preview();
            } else {
                QCOMPARE(shownTexts().value(0), expect);
                QVERIFY(!bill || !bill->preview());
            }
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
        });
    }

    void missingCounterRow_data() { addEngines(); }

    // Without the "B" counter row a new listing gets 00000000 and nothing else is written; with it,
    // the counter's number.
    void missingCounterRow() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        FreeQuery q(bed.connection());
        q.setSql(QStringLiteral("delete from S_收件单号 where Billtype=:t"));
        q.setParam(QStringLiteral("t"), QStringLiteral("B"));
        q.execute();
        withSale([&](List* list) {
            withDetail(
                list,
                [&](Detail* d) {
                    QCOMPARE(edit(d, "DBEdtStat")->text(), QStringLiteral("未出售"));
                    edit(d, "DBEdtAddress")->setFocus();
                    QTest::keyClicks(edit(d, "DBEdtAddress"), QStringLiteral("NEW"));
                    d->TbSave->click();
                    QCOMPARE(edit(d, "DBEdtId")->text(), QStringLiteral("00000000"));
                    QVERIFY(!d->TbSave->isEnabled());
                },
                Qt::Key_F2);
            QCOMPARE(shownTexts(), QStringList{});
        });
        QCOMPARE(bed.columnValues(Table, QStringLiteral("收件号")), QStringList{"00000000"});
        QCOMPARE(bed.columnValues(Table, QStringLiteral("状态位")), QStringList{"未出售"});
        QCOMPARE(bed.rowCount(QStringLiteral("S_收件单号")), 2);
    }

    // New and delete from the list; the delete question names the bill number.
    void newAndDelete() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        const qint64 counter = bed.billCounter(QStringLiteral("B"));
        bed.insertRow(Table, unsold(QStringLiteral("要删的")));
        withSale([&](List* list) {
            withDetail(
                list,
                [&](Detail* d) {
                    QVERIFY(d->TbSave->isEnabled());
                    QCOMPARE(edit(d, "dxDBEdit1")->text(), QStringLiteral("张三"));
                    edit(d, "DBEdtAddress")->setFocus();
                    QTest::keyClicks(edit(d, "DBEdtAddress"), QStringLiteral("NEW"));
                    QTest::keyClick(edit(d, "DBEdtAddress"), Qt::Key_F5);
                    QCOMPARE(edit(d, "DBEdtId")->text(), BillNoText(counter));
                },
                Qt::Key_F2);
            list->dxDBGrid1->focusFirst();
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
            QTest::keyClick(list->dxDBGrid1, Qt::Key_F4);
            QCOMPARE(MessageBoxService::last().text, QStringLiteral("你确定要删除收件号为:00000021？"));
        });
        QCOMPARE(bed.columnValues(Table, QStringLiteral("房屋地址")), QStringList{"NEW"});
    }
};

QTEST_MAIN(TestSaleWindows)
#include "tst_SaleWindows.moc"

#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "BillNumbers.h"
#include "BillPrinter.h"
#include "BillSamples.h"
#include "CheckListBox.h"
#include "DateText.h"
#include "DbPickEdit.h"
#include "DefaultPrinter.h"
#include "MessageBoxService.h"
#include "PurchaseFamily.h"
#include "RangeDateEdit.h"
#include "RecordsTestBed.h"
#include "RentFamily.h"
#include "ReportDesigner.h"
#include "ReportPreviewDialog.h"
#include "ShowPurchaseForm.h"
#include "ShowRentForm.h"
#include "TFrm_Purchase.h"
#include "TFrm_PurchaseDetail.h"
#include "TFrm_Rent.h"
#include "TFrm_RentDetail.h"
#include "TSetValue.h"
#include "TestSupport.h"
#include "WindowDriver.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <functional>

Q_DECLARE_METATYPE(QList<MsgAnswer>)

// The rent and purchase demand windows driven as a clerk drives them, on both engines: the first
// list, new, save, modify, cancel and delete, the one "E" number sequence they share (also between
// two workstations saving at once), refused input, and the demand sheet.
class TestDemandWindows : public QObject {
    Q_OBJECT

private:
    using List = RecordListWindow;
    using Detail = RecordDetailWindow;

    // What differs between the two families, as the tests see it.
    struct Family {
        QString key; // rent or purchase
        QString table;
        QString price;
        QString priceLabel;
        QString unit;
        QString listCaption;
        QString detailCaption;
        QString detailTitle;
        QString group;
        QString band;
        QString sheetTitle;
        void (*show)();
        const RecordFamily& (*family)();
    };

    static Family family(const QString& key) {
        if (key == QLatin1String("rent"))
            return {key,
                    QStringLiteral("H_求租表"),
                    QStringLiteral("租金"),
                    QStringLiteral("租金"),
                    QStringLiteral("(元/月)"),
                    QStringLiteral("房屋求租管理"),
                    QStringLiteral("房屋求租"),
                    QStringLiteral("房屋求租详细信息"),
                    QStringLiteral("求租方信息"),
                    QStringLiteral("求租信息一览表"),
                    QStringLiteral("房屋求租单"),
                    &ShowRentForm,
                    &RentFamily::get};
        return {key,
                QStringLiteral("H_求购表"),
                QStringLiteral("售价"),
                QStringLiteral("售价"),
                QStringLiteral("(万元)"),
                QStringLiteral("房屋求购管理"),
                QStringLiteral("房屋求购"),
                QStringLiteral("房屋求购详细信息"),
                QStringLiteral("求购方信息"),
                QStringLiteral("求购信息一览表"),
                QStringLiteral("房屋求购单"),
                &ShowPurchaseForm,
                &PurchaseFamily::get};
    }

    // Opens a family's windows from its opening routine; the list and detail are the family's own
    // window classes.
    static void withList(const Family& f, const std::function<void(List*)>& body) {
        onModal<List>(f.show, [&](List* list) {
            if (f.key == QLatin1String("rent"))
                QVERIFY(qobject_cast<TFrm_Rent*>(list) &&
                        qobject_cast<TFrm_RentDetail*>(list->detailWindow()));
            else
                QVERIFY(qobject_cast<TFrm_Purchase*>(list) &&
                        qobject_cast<TFrm_PurchaseDetail*>(list->detailWindow()));
            body(list);
        });
    }

    static void withDetail(List* list, const std::function<void(Detail*)>& body, int key = Qt::Key_F3) {
        onModal<Detail>([&] { QTest::keyClick(list->dxDBGrid1, Qt::Key(key)); }, body);
    }

    static QLineEdit* edit(Detail* d, const QString& name) {
        return qobject_cast<QLineEdit*>(d->editor(name));
    }

    // Typing over what the editor holds (an input method hands over whole words).
    static void type(Detail* d, const char* editor, const QString& text) {
        QLineEdit* e = edit(d, QString::fromUtf8(editor));
        e->setFocus();
        e->selectAll();
        e->insert(text);
    }

    static QStringList shownTexts() {
        QStringList out;
        for (const ShownMessage& m : MessageBoxService::shown())
            out << m.text;
        return out;
    }

    static QStringList addresses(BatchDataSet* data) {
        QStringList out;
        const int c = data->columnIndex(QStringLiteral("房屋地址"));
        for (int r = 0; r < data->recordCount(); ++r)
            out << data->valueAt(r, c).toString();
        return out;
    }

    static QVariantMap demand(const Family& f, const QString& address, int daysAgo = 0) {
        return {{QStringLiteral("收件号"), QStringLiteral("00000031")},
                {QStringLiteral("房屋地址"), address},
                {QStringLiteral("建筑面积"), 85},
                {QStringLiteral("房型"), QStringLiteral("两室一厅")},
                {QStringLiteral("朝向"), QStringLiteral("朝南")},
                {QStringLiteral("楼层"), 6},
                {f.price, f.key == QLatin1String("rent") ? 2600 : 180.5},
                {QStringLiteral("区域"), QStringLiteral("西湖区")},
                {QStringLiteral("装修情况"), QStringLiteral("精装修")},
                {QStringLiteral("房屋设施"), QStringLiteral("空调,宽带")},
                {QStringLiteral("周围环境"), QStringLiteral("近学校")},
                {QStringLiteral("交通情况"), QStringLiteral("K21,155")},
                {QStringLiteral("联系人"), QStringLiteral("周敏")},
                {QStringLiteral("联系电话一"), QStringLiteral("13957120001")},
                {QStringLiteral("联系人身份证号"), QStringLiteral("33010619850312002")},
                {QStringLiteral("备注"), QStringLiteral("最好近地铁站")},
                {QStringLiteral("编辑人"), QStringLiteral("李四")},
                {QStringLiteral("编辑日期"), QDate::currentDate().addDays(-daysAgo)}};
    }

    static void familiesOnEngines() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("key");
        for (const QString& e : RecordsTestBed::engines())
            for (const char* k : {"rent", "purchase"})
                QTest::newRow(qPrintable(e + u' ' + QLatin1String(k))) << e << QString::fromLatin1(k);
    }

    static void families() {
        QTest::addColumn<QString>("key");
        QTest::newRow("rent") << QStringLiteral("rent");
        QTest::newRow("purchase") << QStringLiteral("purchase");
    }

    static QString labelFor(Detail* d, QWidget* editor) {
        for (QLabel* l : d->findChildren<QLabel*>())
            if (l->buddy() == editor)
                return l->text();
        return {};
    }

private slots:
    void cleanup() { DefaultPrinter::clearRedirect(); }

    void layout_data() { familiesOnEngines(); }

    // The description fits the table; the list has one band, cell focus, no state filter and the
    // columns of the family; the detail its captions, group, price editor and filled pick lists.
    void layout() {
        QFETCH(QString, engine);
        QFETCH(QString, key);
        const Family f = family(key);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        const QStringList types{"区域", "房型", "朝向", "周围环境", "装修情况", "房屋设施"};
        const QStringList editors{"CBQY", "CBFX", "CBZX", "CLBZW", "CbZC", "CLBXS"};
        for (const QString& t : types)
            bed.addDictValue(t, QStringLiteral("只属于") + t);
        withList(f, [&](List* list) {
            const QStringList problems = f.family().problems(list->QryData->columnNames());
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
            QCOMPARE(list->windowTitle(), f.listCaption);
            QCOMPARE(list->Panel1->text(), f.listCaption);
            QCOMPARE(list->Label1->text(), QStringLiteral("登记日期："));
            QVERIFY(!list->GBOX);
            QVERIFY(!list->TbModfiy->isVisible());
            QVERIFY(list->TbNew->isVisible() && list->TbDelete->isVisible() && list->TbRefresh->isVisible() &&
                    list->TbPrint->isVisible());
            BandedGrid* g = list->dxDBGrid1;
            QCOMPARE(g->bandCaptions(), QStringList{f.band});
            QCOMPARE(g->shownColumns(),
                     (QStringList{"收件号", "房屋地址", "建筑面积", "房型", "朝向", "楼层", f.price, "区域",
                                  "装修情况", "联系人", "联系电话一", "备注", "编辑人", "编辑日期"}));
            for (const char* hidden :
                 {"ID", "房屋设施", "交通情况", "周围环境", "联系电话二", "联系人身份证号"})
                QVERIFY2(!g->isColumnShown(QString::fromUtf8(hidden)), hidden);
            QCOMPARE(g->caption(QStringLiteral("联系电话一")), QStringLiteral("联系电话"));
            QCOMPARE(g->caption(QStringLiteral("编辑人")), QStringLiteral("录入人"));
            QCOMPARE(g->caption(QStringLiteral("编辑日期")), QStringLiteral("录入日期"));
            QCOMPARE(g->filterColumns(), (QStringList{"收件号", "房型", "朝向", "楼层", "区域", "装修情况"}));
            QVERIFY(!g->rowSelect());
            QCOMPARE(g->keyField(), QStringLiteral("ID"));

            Detail* d = list->detailWindow();
            QCOMPARE(d->windowTitle(), f.detailCaption);
            QCOMPARE(d->Panel1->text(), f.detailTitle);
            QVERIFY(d->group(f.group));
            QVERIFY(!d->LBYj);
            QWidget* price = d->editor(QStringLiteral("DbEdtZJ"));
            QCOMPARE(labelFor(d, price), f.priceLabel);
            QCOMPARE(price->accessibleName(), f.priceLabel);
            bool unitShown = false;
            for (QLabel* l : d->findChildren<QLabel*>())
                unitShown = unitShown || l->text() == f.unit;
            QVERIFY(unitShown);
            for (int i = 0; i < types.size(); ++i) {
                const QString mine = QStringLiteral("只属于") + types[i];
                QStringList items;
                if (auto* pick = qobject_cast<DbPickEdit*>(d->editor(editors[i])))
                    items = pick->items();
                else
                    items = d->checkList(editors[i])->items();
                QVERIFY2(items.contains(mine), qPrintable(editors[i]));
                for (const QString& other : types)
                    if (other != types[i])
                        QVERIFY(!items.contains(QStringLiteral("只属于") + other));
            }
            QCOMPARE(shownTexts(), QStringList());
        });
    }

    void firstList_data() { familiesOnEngines(); }

    // The first list: today minus 10 days to today, newest first, whatever the content; 查询 over a
    // wider range and 刷新 (today minus 2 to today).
    void firstList() {
        QFETCH(QString, engine);
        QFETCH(QString, key);
        const Family f = family(key);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        bed.insertRow(f.table, demand(f, QStringLiteral("B 十天前"), 10));
        bed.insertRow(f.table, demand(f, QStringLiteral("C 十一天前"), 11));
        bed.insertRow(f.table, demand(f, QStringLiteral("A 今天"), 0));
        bed.insertRow(f.table, {{QStringLiteral("房屋地址"), QStringLiteral("D 三天前 只有地址")},
                                {QStringLiteral("编辑日期"), QDate::currentDate().addDays(-3)}});
        bed.insertRow(f.table, demand(f, QStringLiteral("E 明天"), -1));
        withList(f, [&](List* list) {
            QCOMPARE(list->Dtp1->text(), DateText::format(QDate::currentDate().addDays(-10)));
            QCOMPARE(list->Dtp2->text(), DateText::today());
            QCOMPARE(addresses(list->QryData), (QStringList{"A 今天", "D 三天前 只有地址", "B 十天前"}));
            list->Dtp1->setText(DateText::format(QDate::currentDate().addDays(-11)));
            list->BtQuery->click();
            QCOMPARE(addresses(list->QryData),
                     (QStringList{"A 今天", "D 三天前 只有地址", "B 十天前", "C 十一天前"}));
            list->TbRefresh->click();
            QCOMPARE(list->Dtp1->text(), DateText::format(QDate::currentDate().addDays(-2)));
            QCOMPARE(addresses(list->QryData), QStringList{"A 今天"});
            QCOMPARE(shownTexts(), QStringList());
        });
    }

    void newSaveModifyCancelDelete_data() { familiesOnEngines(); }

    // A demand's life through the windows: 新增 (F2) in edit mode with its presets, 保存 (F5) with
    // an "E" number, 修改 (F3) then 取消 (F6) restores, 修改 and 保存 writes, F2 inside the detail,
    // 删除 (F4) asks and removes.
    void newSaveModifyCancelDelete() {
        QFETCH(QString, engine);
        QFETCH(QString, key);
        const Family f = family(key);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        const qint64 counter = bed.billCounter(QStringLiteral("E"));
        const QString number = BillNoText(counter);
        withList(f, [&](List* list) {
            withDetail(
                list,
                [&](Detail* d) {
                    QVERIFY(d->TbSave->isEnabled() && d->TbCancel->isEnabled() && !d->TbModfiy->isEnabled());
                    QVERIFY(!d->Tbnew->isVisible() && !d->TbDelete->isVisible());
                    QCOMPARE(edit(d, QStringLiteral("dxDBEdit1"))->text(), QStringLiteral("张三"));
                    QCOMPARE(edit(d, QStringLiteral("dxDBEdit2"))->text(), DateText::today());
                    QCOMPARE(edit(d, QStringLiteral("DBEdtId"))->text(), QString());
                    type(d, "DBEdtAddress", QStringLiteral("文三路附近 两室"));
                    type(d, "DbEdtMJ", QStringLiteral("90"));
                    type(d, "DbEdtZJ", QStringLiteral("3200"));
                    type(d, "DbEdtLinker", QStringLiteral("吴芳"));
                    QTest::keyClick(d->TbFrist, Qt::Key_F8); // unsaved: refused
                    QCOMPARE(shownTexts(), QStringList{QStringLiteral("请先保存数据!!!")});
                    MessageBoxService::clearShown();
                    QTest::keyClick(edit(d, QStringLiteral("DbEdtLinker")), Qt::Key_F5);
                    QCOMPARE(shownTexts(), QStringList());
                    QCOMPARE(edit(d, QStringLiteral("DBEdtId"))->text(), number);
                    QVERIFY(!d->TbSave->isEnabled() && d->TbModfiy->isEnabled());
                    QVERIFY(edit(d, QStringLiteral("DBEdtAddress"))->isReadOnly());

                    QTest::keyClick(edit(d, QStringLiteral("DBEdtAddress")), Qt::Key_F3);
                    QVERIFY(!edit(d, QStringLiteral("DBEdtAddress"))->isReadOnly());
                    type(d, "DBEdtAddress", QStringLiteral("改了又取消"));
                    QTest::keyClick(edit(d, QStringLiteral("DBEdtAddress")), Qt::Key_F6);
                    QCOMPARE(edit(d, QStringLiteral("DBEdtAddress"))->text(),
                             QStringLiteral("文三路附近 两室"));
                    QVERIFY(!d->TbSave->isEnabled());

                    d->TbModfiy->click();
                    type(d, "DbEdtMemo", QStringLiteral("周末看房"));
                    d->TbSave->click();
                    QCOMPARE(edit(d, QStringLiteral("DBEdtId"))->text(), number); // kept, not drawn again

                    // F2 inside the detail: a second demand, then cancelled.
                    QTest::keyClick(edit(d, QStringLiteral("DBEdtAddress")), Qt::Key_F2);
                    QVERIFY(d->TbSave->isEnabled());
                    QCOMPARE(d->focusWidget(), d->editor(QStringLiteral("DBEdtAddress")));
                    QCOMPARE(list->QryData->recordCount(), 2);
                    d->TbCancel->click();
                    QCOMPARE(list->QryData->recordCount(), 1);
                },
                Qt::Key_F2);
            QCOMPARE(bed.columnValues(f.table, QStringLiteral("备注")), QStringList{"周末看房"});
            QCOMPARE(bed.columnValues(f.table, f.price).value(0).toDouble(), 3200.0);
            QCOMPARE(bed.columnValues(f.table, QStringLiteral("编辑人")), QStringList{"张三"});

            // The list's 删除 answered No keeps it; the detail's F4 answered Yes removes it.
            MessageBoxService::queueAnswer(MsgAnswer::No);
            QTest::keyClick(list->dxDBGrid1, Qt::Key_F4);
            QCOMPARE(MessageBoxService::last().text,
                     QStringLiteral("你确定要删除收件号为:") + number + QStringLiteral("？"));
            QCOMPARE(MessageBoxService::last().caption, QStringLiteral("确认"));
            QCOMPARE(bed.rowCount(f.table), 1);
            withDetail(list, [&](Detail* d) {
                MessageBoxService::queueAnswer(MsgAnswer::Yes);
                QTest::keyClick(edit(d, QStringLiteral("DBEdtAddress")), Qt::Key_F4);
            });
            QCOMPARE(list->QryData->recordCount(), 0);
        });
        QCOMPARE(bed.rowCount(f.table), 0);
        QCOMPARE(bed.billCounter(QStringLiteral("E")), counter + 1);
    }

    void sharedNumbers_data() {
        QTest::addColumn<QString>("engine");
        for (const QString& e : RecordsTestBed::engines())
            QTest::newRow(e.toUtf8()) << e;
    }

    // Rent, purchase, rent saved one after the other: three consecutive numbers of the one counter.
    void sharedNumbers() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        const qint64 counter = bed.billCounter(QStringLiteral("E"));
        const qint64 leaseCounter = bed.billCounter(QStringLiteral("A"));
        const auto saveNew = [&](const QString& key, const QString& address) {
            withList(family(key), [&](List* list) {
                withDetail(
                    list,
                    [&](Detail* d) {
                        type(d, "DBEdtAddress", address);
                        d->TbSave->click();
                    },
                    Qt::Key_F2);
            });
        };
        saveNew(QStringLiteral("rent"), QStringLiteral("求租一"));
        saveNew(QStringLiteral("purchase"), QStringLiteral("求购一"));
        saveNew(QStringLiteral("rent"), QStringLiteral("求租二"));
        QCOMPARE(shownTexts(), QStringList());
        QCOMPARE(bed.columnValues(QStringLiteral("H_求租表"), QStringLiteral("收件号")),
                 (QStringList{BillNoText(counter), BillNoText(counter + 2)}));
        QCOMPARE(bed.columnValues(QStringLiteral("H_求购表"), QStringLiteral("收件号")),
                 QStringList{BillNoText(counter + 1)});
        QCOMPARE(bed.billCounter(QStringLiteral("E")), counter + 3);
        QCOMPARE(bed.billCounter(QStringLiteral("A")), leaseCounter);
    }

    void twoWorkstationsAtOnce_data() { sharedNumbers_data(); }

    // One workstation saving rent demands while another saves purchase demands, on one database:
    // every demand a number of its own, together exactly the numbers the counter gave.
    void twoWorkstationsAtOnce() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        const qint64 start = bed.billCounter(QStringLiteral("E"));
        const int each = 40;
        const QStringList where = bed.scratch().processArguments();
        QProcess rent, purchase;
        rent.start(QStringLiteral(DEMAND_SAVER), QStringList{"rent", QString::number(each)} + where);
        purchase.start(QStringLiteral(DEMAND_SAVER), QStringList{"purchase", QString::number(each)} + where);
        QVERIFY(rent.waitForFinished(120000));
        QVERIFY(purchase.waitForFinished(120000));
        QVERIFY2(rent.exitCode() == 0, rent.readAllStandardError().constData());
        QVERIFY2(purchase.exitCode() == 0, purchase.readAllStandardError().constData());
        const QStringList printed =
            QString::fromUtf8(rent.readAllStandardOutput() + purchase.readAllStandardOutput())
                .split(u'\n', Qt::SkipEmptyParts);
        const QStringList stored = bed.columnValues(QStringLiteral("H_求租表"), QStringLiteral("收件号")) +
                                   bed.columnValues(QStringLiteral("H_求购表"), QStringLiteral("收件号"));
        QCOMPARE(printed.size(), 2 * each);
        QCOMPARE(stored.size(), 2 * each);
        QSet<QString> expected;
        for (qint64 n = start; n < start + 2 * each; ++n)
            expected.insert(BillNoText(n));
        QCOMPARE(QSet<QString>(stored.begin(), stored.end()), expected);
        QCOMPARE(QSet<QString>(printed.begin(), printed.end()), expected);
        QCOMPARE(bed.billCounter(QStringLiteral("E")), start + 2 * each);
    }

    void refusedInput_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("typed");
        for (const char* k : {"rent", "purchase"}) {
            const QString key = QString::fromLatin1(k);
            auto row = [&](const char* name) {
                return &QTest::newRow(qPrintable(key + u' ' + QLatin1String(name)));
            };
            *row("letters in 房屋面积") << key << "DbEdtMJ"
                                        << "90平";
            *row("letters in 楼层") << key << "DbEdtLC"
                                    << "六";
            *row("letters in the price") << key << "DbEdtZJ"
                                         << "面议";
        }
    }

    // A number editor holding text fails 保存 with "保存失败!!!": edit mode stays, the typed text
    // stays in its editor, the other edits stay pending, nothing is written and no number drawn.
    void refusedInput() {
        QFETCH(QString, key);
        QFETCH(QString, editor);
        QFETCH(QString, typed);
        const Family f = family(key);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        const qint64 counter = bed.billCounter(QStringLiteral("E"));
        withList(f, [&](List* list) {
            withDetail(
                list,
                [&](Detail* d) {
                    if (editor != QLatin1String("DBEdtAddress"))
                        type(d, "DBEdtAddress", QStringLiteral("保留的地址"));
                    QLineEdit* e = edit(d, editor);
                    e->setFocus();
                    for (const QChar c :
                         typed) // key events that carry the characters, as an input method sends
                        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
                    QTest::keyClick(e, Qt::Key_F5);
                    QCOMPARE(shownTexts(), QStringList{QStringLiteral("保存失败!!!")});
                    QVERIFY(d->TbSave->isEnabled());
                    QCOMPARE(e->text(), typed);
                    if (editor != QLatin1String("DBEdtAddress"))
                        QCOMPARE(edit(d, QStringLiteral("DBEdtAddress"))->text(),
                                 QStringLiteral("保留的地址"));
                    MessageBoxService::queueAnswer(MsgAnswer::No);
                    d->close();
                },
                Qt::Key_F2);
            QVERIFY(list->QryData->hasPendingChanges());
            MessageBoxService::queueAnswer(MsgAnswer::Yes); // the list's close drops what is pending
        });
        QCOMPARE(bed.rowCount(f.table), 0);
        QCOMPARE(bed.billCounter(QStringLiteral("E")), counter);
    }

    void textSizes_data() { families(); }

    // Every text editor takes no more characters than its column holds, so what was typed is what
    // is saved.
    void textSizes() {
        QFETCH(QString, key);
        const Family f = family(key);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        const QList<QPair<QString, int>> sizes{
            {"DBEdtAddress", 100}, {"CBQY", 20},     {"CBFX", 20},          {"CBZX", 20},
            {"CBZW", 200},         {"CbZC", 100},    {"CBXS", 200},         {"CBJT", 100},
            {"DbEdtLinker", 50},   {"DbEdtTel", 40}, {"DbEdtSingleId", 17}, {"DbEdtMemo", 200}};
        withList(f, [&](List* list) {
            withDetail(
                list,
                [&](Detail* d) {
                    for (const auto& [name, size] : sizes) {
                        QWidget* w = d->editor(name);
                        auto* e = qobject_cast<QLineEdit*>(w);
                        if (!e)
                            e = w->findChild<QLineEdit*>();
                        QVERIFY2(e, qPrintable(name));
                        e->setFocus();
                        for (int i = 0; i < size + 5; ++i)
                            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QStringLiteral("字"),
                                                Qt::NoModifier);
                        QVERIFY2(e->text() == QString(size, u'字'), qPrintable(name));
                    }
                    d->TbSave->click();
                    QCOMPARE(shownTexts(), QStringList());
                },
                Qt::Key_F2);
        });
        for (const auto& [name, size] : sizes) {
            const QString column = f.family().editor(name)->column;
            QCOMPARE(bed.columnValues(f.table, column), QStringList{QString(size, u'字')});
        }
    }

    void look_data() { families(); }

    // Both windows at a clerk's screen size, with LINTARA_GRAB_DIR set written there as pictures.
    void look() {
        QFETCH(QString, key);
        const Family f = family(key);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        for (int i = 0; i < 12; ++i)
            bed.insertRow(f.table, demand(f, QStringLiteral("西湖区文三路%1号附近").arg(10 + i), i % 9));
        const QString dir = qEnvironmentVariable("LINTARA_GRAB_DIR");
        const auto grab = [&](QWidget* w, const QString& name) {
            if (!dir.isEmpty())
                w->grab().save(QDir(dir).filePath(f.key + u'-' + name + QStringLiteral(".png")));
        };
        withList(f, [&](List* list) {
            list->setWindowState(Qt::WindowNoState);
            list->resize(1280, 800);
            QTest::qWait(50);
            grab(list, QStringLiteral("list"));
            withDetail(list, [&](Detail* d) {
                QTest::qWait(50);
                for (QLabel* l : d->findChildren<QLabel*>())
                    if (l->isVisible() && !l->text().isEmpty() && !l->wordWrap())
                        QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
                grab(d, QStringLiteral("detail-browse"));
                d->TbModfiy->click();
                grab(d, QStringLiteral("detail-edit"));
                d->TbCancel->click();
            });
        });
    }

    void sheet_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("from"); // list or detail
        for (const QString& e : RecordsTestBed::engines())
            for (const char* k : {"rent", "purchase"})
                for (const char* from : {"list", "detail"})
                    QTest::newRow(qPrintable(e + u' ' + QLatin1String(k) + u' ' + QLatin1String(from)))
                        << e << QString::fromLatin1(k) << QString::fromLatin1(from);
    }

    // Print mode 2: the demand sheet of the focused row goes to the printer (a PDF here) without a
    // dialog; read back, it carries the demand's values and the company line.
    void sheet() {
        QFETCH(QString, engine);
        QFETCH(QString, key);
        QFETCH(QString, from);
        const Family f = family(key);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        DefaultPrinter::redirectToPdf(pdf);
        AppGlobals.PrintMode = BillPrinter::Print;
        bed.insertRow(f.table, demand(f, QStringLiteral("另一位客户"), 2));
        bed.insertRow(f.table, demand(f, QStringLiteral("城西银泰附近小区"), 0));
        withList(f, [&](List* list) {
            QCOMPARE(list->QryData->text(QStringLiteral("房屋地址")), QStringLiteral("城西银泰附近小区"));
            if (from == QLatin1String("list"))
                QTest::keyClick(list->dxDBGrid1, Qt::Key_F8);
            else
                withDetail(list, [&](Detail* d) { QTest::keyClick(d->TbPrint, Qt::Key_F8); });
        });
        QCOMPARE(shownTexts(), QStringList());
        QVERIFY(QFileInfo::exists(pdf));
        const QString text = BillSamples::pdfText(pdf);
        const QString price =
            f.key == QLatin1String("rent") ? QStringLiteral("2,600.00") : QStringLiteral("180.50");
        for (const QString& expected : {f.sheetTitle,
                                        QStringLiteral("00000031"),
                                        QStringLiteral("城西银泰附近小区"),
                                        QStringLiteral("西湖区"),
                                        QStringLiteral("两室一厅"),
                                        QStringLiteral("朝南"),
                                        QStringLiteral("85"),
                                        price,
                                        QStringLiteral("精装修"),
                                        QStringLiteral("空调,宽带"),
                                        QStringLiteral("近学校"),
                                        QStringLiteral("K21,155"),
                                        QStringLiteral("周敏"),
                                        QStringLiteral("13957120001"),
                                        QStringLiteral("33010619850312002"),
                                        QStringLiteral("最好近地铁站"),
                                        QStringLiteral("李四"),
                                        f.group,
                                        QStringLiteral("中介公司:"),
                                        AppGlobals.CompanyName,
                                        QStringLiteral("联系电话:"),
                                        AppGlobals.CompanyTel})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + text));
        QVERIFY(!text.contains(QStringLiteral("另一位客户")));
        QVERIFY(!text.contains(QStringLiteral("佣金")));
        const QString look = BillSamples::lookDir();
        if (!look.isEmpty())
            QFile::copy(pdf, QDir(look).filePath(f.key + QStringLiteral("-sheet.pdf")));
    }

    void printModes_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("withTemplate");
        QTest::addColumn<QString>("expect"); // preview, designer, or the message shown
        for (const char* k : {"rent", "purchase"}) {
            const QString key = QString::fromLatin1(k);
            auto row = [&](const char* name) {
                return &QTest::newRow(qPrintable(key + u' ' + QLatin1String(name)));
            };
            *row("preview") << key << 1 << false << true << "preview";
            *row("designer") << key << 0 << false << true << "designer";
            *row("unsaved") << key << 1 << true << true << "请先保存数据!!!";
            *row("template missing") << key << 1 << false << false << "打印模板丢失,请与管理员联系!!!";
        }
    }

    // The detail's 打印 by the print mode, as for the bills; unsaved edits and a missing template
    // are refused with their messages and nothing opens.
    void printModes() {
        QFETCH(QString, key);
        QFETCH(int, mode);
        QFETCH(bool, unsaved);
        QFETCH(bool, withTemplate);
        QFETCH(QString, expect);
        const Family f = family(key);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        QTemporaryDir empty;
        AppGlobals.PrintMode = uint8_t(mode);
        bed.insertRow(f.table, demand(f, QStringLiteral("文一西路")));
        withList(f, [&](List* list) {
            if (!withTemplate)
                AppGlobals.AppPath = empty.path();
            int designers = 0;
            withDetail(list, [&](Detail* d) {
                if (expect == QLatin1String("designer"))
                    ModalSeam::drive(
                        [&](QWidget* w) { designers += qobject_cast<ReportDesigner*>(w) ? 1 : 0; });
                if (unsaved)
                    d->TbModfiy->click();
                QTest::keyClick(d->editor(QStringLiteral("DBEdtAddress")), Qt::Key_F8);
                MessageBoxService::queueAnswer(MsgAnswer::No);
                d->close();
            });
            BillPrinter* sheet = list->detailWindow()->report();
            if (expect == QLatin1String("preview")) {
                QCOMPARE(shownTexts(), QStringList());
                QVERIFY(sheet && sheet->preview());
                QCOMPARE(sheet->report().labelCaption(QStringLiteral("PLBCompanyName")),
                         AppGlobals.CompanyName);
                QCOMPARE(sheet->report().labelCaption(QStringLiteral("PLbCompanyTel")),
                         AppGlobals.CompanyTel);
                delete sheet->preview();
            } else if (expect == QLatin1String("designer")) {
                QCOMPARE(shownTexts(), QStringList());
                QCOMPARE(designers, 1);
            } else {
                QCOMPARE(shownTexts().value(0), expect);
                QVERIFY(!sheet || !sheet->preview());
            }
        });
    }
};

QTEST_MAIN(TestDemandWindows)
#include "tst_DemandWindows.moc"

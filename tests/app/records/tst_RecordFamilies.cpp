#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "BillNumbers.h"
#include "FamilyBuilder.h"
#include "LeaseFamily.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "RangeDateEdit.h"
#include "RecordDetailWindow.h"
#include "RecordListWindow.h"
#include "RecordsTestBed.h"
#include "SaleFamily.h"
#include "TSetValue.h"
#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <functional>

// Every family description against the schema, and the machinery carrying families shaped unlike
// the lease family: one without states, deal fields, commission or bill (the rent demands), and one
// over the lease table with a fixed state, a yes/no literal in its query and fewer keys and
// buttons (the follow-up reminders).
class TestRecordFamilies : public QObject {
    Q_OBJECT

private:
    using B = FamilyBuilder;
    using Kind = RecordFamily::EditorKind;

    static const RecordFamily& rentShaped() {
        static const RecordFamily f = [] {
            RecordFamily r;
            r.table = QStringLiteral("H_求租表");
            r.billType = QStringLiteral("E");
            r.baseSql = QStringLiteral("Select * from H_求租表");
            r.listCaption = QStringLiteral("房屋求租管理");
            r.querySql = QStringLiteral(" Select * from  H_求租表 where  编辑日期 between :beginDate and "
                                        ":EndDate Order by 编辑日期 DESC  ");
            r.bands = {QStringLiteral("求租信息一览表")};
            for (const char* c : {"收件号", "房屋地址", "建筑面积", "房型", "朝向", "楼层", "租金", "区域",
                                  "装修情况", "联系人", "联系电话一", "备注", "编辑人", "编辑日期"})
                r.columns << B::column(c, 0);
            for (const char* c : {"ID", "房屋设施", "交通情况", "周围环境", "联系电话二", "联系人身份证号"})
                r.columns << B::column(c, -1);
            r.presets = {{QStringLiteral("编辑日期"), RecordFamily::Preset::Source::Today, {}},
                         {QStringLiteral("编辑人"), RecordFamily::Preset::Source::UserName, {}}};
            const QString g = QStringLiteral("求租方信息");
            r.groups = {g};
            r.detailCaption = QStringLiteral("房屋求租");
            r.detailTitle = QStringLiteral("房屋求租详细信息");
            r.editors = {
                B::disabled(B::editor("DBEdtId", Kind::Edit, "收件号", "收件号：", QString(), 0, 0)),
                B::editor("DBEdtAddress", Kind::Edit, "房屋地址", "房屋地址", g, 0, 0, 2),
                B::unit(B::editor("DbEdtZJ", Kind::Edit, "租金", "租金", g, 1, 0), "(元/月)"),
                B::editor("CBQY", Kind::PickEdit, "区域", "区域", g, 1, 1),
                B::editor("DbEdtMemo", Kind::Edit, "备注", "备注", g, 2, 0, 2),
                B::disabled(B::editor("dxDBEdit1", Kind::Edit, "编辑人", "录入人", g, 3, 0)),
                B::disabled(B::editor("dxDBEdit2", Kind::Edit, "编辑日期", "录入日期", g, 3, 1)),
            };
            r.pickLists = {B::pick("区域", "CBQY")};
            return r;
        }();
        return f;
    }

    static const RecordFamily& reminderShaped() {
        static const RecordFamily f = [] {
            const RecordFamily& lease = LeaseFamily::get();
            RecordFamily r = lease;
            r.listCaption = QStringLiteral("房屋出租报警管理");
            r.dateLabel = QStringLiteral("报警日期：");
            r.openingDays = 7;
            r.filters.clear();
            r.filterOrder.clear();
            r.fallbackFilter.clear();
            r.querySql = QStringLiteral(" Select * from  H_出租表 ") +
                         QStringLiteral(" where  (跟踪报警日期 between :beginDate and :EndDate) and "
                                        "(跟踪报警标志=true) and (状态位=:Stat)  Order by 编辑日期 DESC  ");
            r.fixedState = QStringLiteral("已出租");
            r.addsRows = false;
            r.listHidden = B::names({"TbNew", "TbDelete", "ToolSep1", "TbRefresh", "ToolSep2"});
            r.detailHidden = B::names({"Tbnew", "TbDelete", "ToolSep2", "TbPrint", "ToolSep5"});
            r.actions = {*lease.action(QStringLiteral("TBReturn"))};
            r.dealAction.clear();
            r.printTemplate.clear();
            return r;
        }();
        return f;
    }

    static QStringList tableColumns(RecordsTestBed& bed, const RecordFamily& f) {
        BatchDataSet data(bed.connection());
        data.setSql(QStringLiteral("select * from %1 where 1=0").arg(f.table));
        data.open();
        return data.columnNames();
    }

    // Opens the pair on a family as the opening routine does and runs body on them.
    static void withWindows(const RecordFamily& f,
                            const std::function<void(RecordListWindow*, RecordDetailWindow*)>& body) {
        RecordListWindow list(f);
        RecordDetailWindow detail(f);
        bool ran = false;
        ModalSeam::drive([&](QWidget*) {
            ran = true;
            body(&list, &detail);
        });
        list.ShowWith(&detail);
        QVERIFY(ran);
    }

    static void inDetail(RecordListWindow* list, const std::function<void(RecordDetailWindow*)>& body,
                         int key = Qt::Key_F3) {
        bool ran = false;
        ModalSeam::drive([&](QWidget* w) {
            ran = true;
            body(qobject_cast<RecordDetailWindow*>(w));
        });
        QTest::keyClick(list->dxDBGrid1, Qt::Key(key));
        QVERIFY(ran);
    }

    static QString text(RecordDetailWindow* d, const char* editor) {
        return qobject_cast<QLineEdit*>(d->editor(QString::fromUtf8(editor)))->text();
    }

    static QVariantMap letRow(const QString& address, const QString& state, bool flag, int followUpDaysAgo) {
        return {{QStringLiteral("收件号"), QStringLiteral("00000001")},
                {QStringLiteral("房屋地址"), address},
                {QStringLiteral("编辑日期"), QDate::currentDate().addDays(-30)},
                {QStringLiteral("状态位"), state},
                {QStringLiteral("跟踪报警标志"), flag},
                {QStringLiteral("跟踪报警日期"), QDate::currentDate().addDays(-followUpDaysAgo)}};
    }

private slots:
    void descriptionsMatchSchema_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("family");
        for (const QString& e : RecordsTestBed::engines())
            for (const char* f : {"lease", "sale", "rent-shaped", "reminder-shaped"})
                QTest::newRow((e + QLatin1Char(' ') + QLatin1String(f)).toUtf8())
                    << e << QString::fromLatin1(f);
    }

    // Every column, editor, check list, filter box and action a description names exists, and the
    // grid carries every column of the table.
    void descriptionsMatchSchema() {
        QFETCH(QString, engine);
        QFETCH(QString, family);
        const RecordFamily& f = family == QLatin1String("lease")         ? LeaseFamily::get()
                                : family == QLatin1String("sale")        ? SaleFamily::get()
                                : family == QLatin1String("rent-shaped") ? rentShaped()
                                                                         : reminderShaped();
        RecordsTestBed bed(engine);
        const QStringList columns = tableColumns(bed, f);
        QVERIFY(!columns.isEmpty());
        QCOMPARE(f.problems(columns), QStringList());
    }

    // A typo in a description is a failing test, not a clerk's click.
    void typosAreFound_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("found");
        QTest::newRow("editor column") << "editor"
                                       << "editor DBEdtAddress: H_出租表 has no column 房屋地 址";
        QTest::newRow("grid column") << "grid"
                                     << "grid: H_出租表 has no column 租 金";
        QTest::newRow("pick list editor") << "pick"
                                          << "pick list 区域: no pick edit or check list CBQ";
        QTest::newRow("filter box") << "filter"
                                    << "filter order: no box CKBAL";
        QTest::newRow("action state") << "state"
                                      << "action TbLease: unknown state 已出 租";
        QTest::newRow("deal action") << "deal"
                                     << "deal action TbLet is no action";
        QTest::newRow("hidden button") << "hidden"
                                       << "list hides unknown TbRefrsh";
    }

    void typosAreFound() {
        QFETCH(QString, what);
        QFETCH(QString, found);
        RecordFamily f = LeaseFamily::get();
        if (what == QLatin1String("editor"))
            f.editors[1].column = QStringLiteral("房屋地 址");
        else if (what == QLatin1String("grid"))
            f.columns[7].column = QStringLiteral("租 金");
        else if (what == QLatin1String("pick"))
            f.pickLists[0].editor = QStringLiteral("CBQ");
        else if (what == QLatin1String("filter"))
            f.filterOrder[0] = QStringLiteral("CKBAL");
        else if (what == QLatin1String("state"))
            f.actions[0].to = QStringLiteral("已出 租");
        else if (what == QLatin1String("deal"))
            f.dealAction = QStringLiteral("TbLet");
        else
            f.listHidden = {QStringLiteral("TbRefrsh")};
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        const QStringList problems = f.problems(tableColumns(bed, f));
        QVERIFY2(problems.contains(found), qPrintable(problems.join(u'\n')));
    }

    void withoutStates_data() {
        QTest::addColumn<QString>("engine");
        for (const QString& e : RecordsTestBed::engines())
            QTest::newRow(e.toUtf8()) << e;
    }

    // No states, deal fields, commission or bill: 刷新 shown, 打印 and F7 do nothing, new rows get
    // their presets and a number of their own bill type.
    void withoutStates() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        const qint64 counter = bed.billCounter(QStringLiteral("E"));
        withWindows(rentShaped(), [&](RecordListWindow* list, RecordDetailWindow*) {
            QVERIFY(list->TbRefresh->isVisible());
            QVERIFY(!list->GBOX);
            inDetail(
                list,
                [&](RecordDetailWindow* d) {
                    QVERIFY(!d->LBYj);
                    QVERIFY(d->TbSave->isEnabled());
                    QCOMPARE(text(d, "dxDBEdit1"), QStringLiteral("张三"));
                    auto* address = qobject_cast<QLineEdit*>(d->editor(QStringLiteral("DBEdtAddress")));
                    address->setFocus();
                    address->insert(QStringLiteral("求租 一套两室"));
                    QTest::keyClick(address, Qt::Key_F7);
                    QTest::keyClick(address, Qt::Key_F5);
                    QVERIFY(!d->TbSave->isEnabled());
                    QTest::keyClick(address, Qt::Key_F8);
                },
                Qt::Key_F2);
            list->TbPrint->click();
            QTest::keyClick(list->dxDBGrid1, Qt::Key_F8);
            QCOMPARE(MessageBoxService::shown().size(), 0);
        });
        QCOMPARE(bed.columnValues(QStringLiteral("H_求租表"), QStringLiteral("收件号")),
                 QStringList{BillNoText(counter)});
        QCOMPARE(bed.billCounter(QStringLiteral("E")), counter + 1);
    }

    void fixedStateAndLiterals_data() { withoutStates_data(); }

    // The reminder-shaped list: the fixed state and the yes/no literal of each engine select the
    // let, flagged rows due in the range; F2, F4, F7 and the hidden buttons do nothing; 再租 is
    // enabled on let and cancelled rows, the deal editors only on let ones.
    void fixedStateAndLiterals() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        bed.insertLease(letRow(QStringLiteral("到期"), QStringLiteral("已出租"), true, 7));
        bed.insertLease(letRow(QStringLiteral("八天前"), QStringLiteral("已出租"), true, 8));
        bed.insertLease(letRow(QStringLiteral("未标记"), QStringLiteral("已出租"), false, 1));
        bed.insertLease(letRow(QStringLiteral("未出租"), QStringLiteral("未出租"), true, 1));
        withWindows(reminderShaped(), [&](RecordListWindow* list, RecordDetailWindow*) {
            QCOMPARE(list->Label1->text(), QStringLiteral("报警日期："));
            QCOMPARE(list->QryData->recordCount(), 1);
            QCOMPARE(list->QryData->text(QStringLiteral("房屋地址")), QStringLiteral("到期"));
            QVERIFY(!list->TbNew->isVisible() && !list->TbRefresh->isVisible() && list->TbPrint->isVisible());
            QTest::keyClick(list->dxDBGrid1, Qt::Key_F2);
            QTest::keyClick(list->dxDBGrid1, Qt::Key_F4);
            QCOMPARE(list->QryData->recordCount(), 1);
            QCOMPARE(MessageBoxService::shown().size(), 0);
            inDetail(list, [&](RecordDetailWindow* d) {
                QVERIFY(!d->TbPrint->isVisible() && !d->Tbnew->isVisible());
                QToolButton* again = d->actionButton(QStringLiteral("TBReturn"));
                QVERIFY(again->isEnabled());
                QVERIFY(d->editor(QStringLiteral("CKBBJ"))->isEnabled());
                QWidget* focus = d->editor(QStringLiteral("DBEdtAddress"));
                for (Qt::Key k : {Qt::Key_F2, Qt::Key_F4, Qt::Key_F7})
                    QTest::keyClick(focus, k);
                QCOMPARE(MessageBoxService::shown().size(), 0);
                QCOMPARE(list->QryData->recordCount(), 1);
                QVERIFY(!d->TbSave->isEnabled());
                d->TbModfiy->click();
                list->QryData->setValue(QStringLiteral("状态位"), QStringLiteral("已作废"));
                d->TbSave->click();
                QVERIFY(again->isEnabled());
                QVERIFY(!d->editor(QStringLiteral("CKBBJ"))->isEnabled());
            });
        });
    }
};

QTEST_MAIN(TestRecordFamilies)
#include "tst_RecordFamilies.moc"

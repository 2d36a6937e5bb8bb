#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "BillPrinter.h"
#include "DatabaseConnection.h"
#include "DateText.h"
#include "FreeQuery.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PageActions.h"
#include "ProgramEnd.h"
#include "RangeDateEdit.h"
#include "RecordsTestBed.h"
#include "ReportPreviewDialog.h"
#include "ShowAlarmForm.h"
#include "ShowLeaseForm.h"
#include "TFrm_AlarmDetail.h"
#include "TFrm_LeaseDetail.h"
#include "TSetValue.h"
#include "TUserDM.h"
#include "TestSupport.h"
#include "Tfrm_Alarm.h"
#include "Tfrm_HouseLease.h"
#include "TmainForm.h"
#include "Twd1_Form.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

// The follow-up reminders as a clerk meets them: the question whenever the main window becomes
// active, the reminder list and its detail.
class TestAlarmWindows : public QObject {
    Q_OBJECT

private:
    static const QString& question() {
        static const QString q = QStringLiteral("有房屋出租报警,需要直接进入功能模块吗？");
        return q;
    }

    // A let house with a follow-up; followUpDaysAgo < -100: no follow-up date.
    static QVariantMap letHouse(const QString& address, int followUpDaysAgo = 0,
                                const QString& state = QStringLiteral("已出租"),
                                const QVariant& flag = true) {
        QVariantMap row{{QStringLiteral("收件号"), QStringLiteral("00000021")},
                        {QStringLiteral("房屋地址"), address},
                        {QStringLiteral("编辑日期"), QDate::currentDate().addDays(-40)},
                        {QStringLiteral("编辑人"), QStringLiteral("李四")},
                        {QStringLiteral("状态位"), state},
                        {QStringLiteral("跟踪报警标志"), flag},
                        {QStringLiteral("承租人姓名"), QStringLiteral("王小明")},
                        {QStringLiteral("承租人身份证号码"), QStringLiteral("330102199001011234")},
                        {QStringLiteral("承租人联系电话"), QStringLiteral("13912345678")},
                        {QStringLiteral("承租价格"), 1999},
                        {QStringLiteral("承租日期"), QDate::currentDate().addYears(-1)},
                        {QStringLiteral("承租截止日期"), QDate::currentDate()},
                        {QStringLiteral("承租方备注"), QStringLiteral("押一付三")},
                        {QStringLiteral("合同号"), QStringLiteral("HT-0021")},
                        {QStringLiteral("受理人"), QStringLiteral("张三")},
                        {QStringLiteral("受理日期"), QDate::currentDate().addYears(-1)}};
        if (followUpDaysAgo > -100)
            row.insert(QStringLiteral("跟踪报警日期"), QDate::currentDate().addDays(-followUpDaysAgo));
        return row;
    }

    static void withAlarm(const std::function<void(Tfrm_Alarm*)>& body) {
        onModal<Tfrm_Alarm>([] { ShowAlarmForm(); }, body);
    }

    static void withDetail(Tfrm_Alarm* list, const std::function<void(TFrm_AlarmDetail*)>& body) {
        onModal<TFrm_AlarmDetail>([list] { QTest::keyClick(list->dxDBGrid1, Qt::Key_F3); }, body);
    }

    static QStringList addresses(BatchDataSet* data) {
        QStringList out;
        const int c = data->columnIndex(QStringLiteral("房屋地址"));
        for (int r = 0; r < data->recordCount(); ++r)
            out << data->valueAt(r, c).toString();
        return out;
    }

    static QStringList shownTexts() {
        QStringList out;
        for (const ShownMessage& m : MessageBoxService::shown())
            out << m.text;
        return out;
    }

    static int questionsAsked() { return int(shownTexts().count(question())); }

    static QString text(QWidget* editor) {
        auto* e = qobject_cast<QLineEdit*>(editor);
        return e ? e->text() : QString();
    }

    static void addEngines() {
        QTest::addColumn<QString>("engine");
        for (const QString& e : RecordsTestBed::engines())
            QTest::newRow(e.toUtf8()) << e;
    }

    static void runSql(const QString& sql) {
        FreeQuery& q = UserDM->QryFree;
        q.close();
        q.setSql(sql);
        q.execute();
    }

    // The main window as the program builds it, its check and reminder entry filled as main does.
    struct MainWindow {
        PageActions actions;
        TmainForm form;
        Twd1_Form* wd1;
        MainWindow() : actions(filled()), form(actions), wd1(new Twd1_Form(&form, actions)) {}
        PageActions filled() {
            PageActions a;
            a.showLeaseForm = [] { ShowLeaseForm(); };
            a.showAlarmForm = [] { ShowAlarmForm(); };
            a.alarmCheck = [this] { AlarmCheck(&form); };
            return a;
        }
        bool activate() {
            form.show();
            form.activateWindow();
            return QTest::qWaitForWindowActive(&form);
        }
    };

    // A window of the program opened over the main window and closed again (a settings dialog,
    // a business window): the main window becomes active once more.
    static void modalRoundTrip(MainWindow& m) {
        QDialog other(&m.form);
        bool active = false;
        ModalSeam::drive([&](QWidget* w) {
            QTRY_VERIFY(QApplication::activeWindow() == w);
            active = true;
        });
        ModalSeam::exec(&other);
        QVERIFY(active);
        QCoreApplication::processEvents();
    }

private slots:
    void dueRows_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("daysAgo");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QVariant>("flag");
        QTest::addColumn<bool>("due");  // at activation and in the first list
        QTest::addColumn<bool>("wide"); // in a list over the last and next 30 days
        struct Case {
            const char* name;
            int daysAgo;
            const char* state;
            QVariant flag;
            bool due, wide;
        };
        const QList<Case> cases = {
            {"today", 0, "已出租", true, true, true},
            {"7 days ago", 7, "已出租", true, true, true},
            {"8 days ago", 8, "已出租", true, false, true},
            {"tomorrow", -1, "已出租", true, false, true},
            {"flag cleared", 3, "已出租", false, false, false},
            {"flag empty", 3, "已出租", QVariant(), false, false},
            {"no follow-up date", -1000, "已出租", true, false, false},
            {"未出租", 3, "未出租", true, false, false},
            {"已作废", 3, "已作废", true, false, false},
        };
        for (const QString& e : RecordsTestBed::engines())
            for (const Case& c : cases)
                QTest::newRow(qPrintable(e + QLatin1Char(' ') + QLatin1String(c.name)))
                    << e << c.daysAgo << QString::fromUtf8(c.state) << c.flag << c.due << c.wide;
    }

    // The range edges and the conditions on state and flag, for the check and for the list.
    void dueRows() {
        QFETCH(QString, engine);
        QFETCH(int, daysAgo);
        QFETCH(QString, state);
        QFETCH(QVariant, flag);
        QFETCH(bool, due);
        QFETCH(bool, wide);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        bed.insertLease(letHouse(QStringLiteral("文三路 1 号"), daysAgo, state, flag));

        MessageBoxService::queueAnswer(MsgAnswer::No);
        AlarmCheck(nullptr);
        QCOMPARE(questionsAsked(), due ? 1 : 0);
        if (due) {
            const ShownMessage m = MessageBoxService::last();
            QCOMPARE(m.caption, QStringLiteral("确认"));
            QCOMPARE(m.icon, MsgIcon::Question);
            QCOMPARE(m.buttons, MsgButtons::YesNo);
        }
        QCOMPARE(ModalSeam::unattended(), 0); // No opens nothing

        withAlarm([&](Tfrm_Alarm* list) {
            QCOMPARE(list->Dtp1->text(), DateText::format(QDate::currentDate().addDays(-7)));
            QCOMPARE(list->Dtp2->text(), DateText::today());
            QCOMPARE(list->QryData->recordCount(), due ? 1 : 0);
            list->Dtp1->setText(DateText::format(QDate::currentDate().addDays(-30)));
            list->Dtp2->setText(DateText::format(QDate::currentDate().addDays(30)));
            list->BtQuery->click();
            QCOMPARE(list->QryData->recordCount(), wide ? 1 : 0);
        });
    }

    void questionAtEveryActivation_data() { addEngines(); }

    // After the login, after every window closed over the main window, and after the reminder
    // windows themselves, as long as reminders are due; never once none is.
    void questionAtEveryActivation() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        bed.insertLease(letHouse(QStringLiteral("文三路 2 号")));
        bed.insertLease(letHouse(QStringLiteral("文三路 3 号"), 30));
        MainWindow m;

        MessageBoxService::queueAnswer(MsgAnswer::No);
        QVERIFY(m.activate());
        QTRY_COMPARE(questionsAsked(), 1);
        // No: the main window is left as it was, the daily business page in front.
        QCOMPARE(m.form.frontPage(), m.wd1);
        QCOMPARE(QApplication::activeWindow(), &m.form);
        QCOMPARE(ModalSeam::unattended(), 0);

        MessageBoxService::queueAnswer(MsgAnswer::No);
        modalRoundTrip(m);
        QCOMPARE(questionsAsked(), 2);

        // Yes opens the reminders; when they close, the question comes back.
        int lists = 0;
        QDialog other(&m.form);
        ModalSeam::drive([&](QWidget* w) { QTRY_VERIFY(QApplication::activeWindow() == w); });
        ModalSeam::drive([&](QWidget* w) {
            auto* list = qobject_cast<Tfrm_Alarm*>(w);
            QVERIFY(list);
            ++lists;
            QCOMPARE(addresses(list->QryData), QStringList{QStringLiteral("文三路 2 号")});
            QTRY_VERIFY(QApplication::activeWindow() == w);
        });
        MessageBoxService::queueAnswer(MsgAnswer::Yes);
        MessageBoxService::queueAnswer(MsgAnswer::No);
        ModalSeam::exec(&other);
        QTRY_COMPARE(questionsAsked(), 4);
        QCOMPARE(lists, 1);

        // Once none is due, no question.
        runSql(QStringLiteral("delete from H_出租表"));
        modalRoundTrip(m);
        QCOMPARE(questionsAsked(), 4);
        QCOMPARE(MessageBoxService::shown().size(), 4);
    }

    void realBoxes_data() {
        QTest::addColumn<bool>("failing");
        QTest::newRow("question answered No") << false;
        QTest::newRow("failing check") << true;
    }

    // With real message boxes: closing the check's own box gives the activation back to the main
    // window, which asks nothing again; activating the main window while the question is open
    // stacks no second one.
    void realBoxes() {
        QFETCH(bool, failing);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        MessageBoxService::stopRecording();
        bed.insertLease(letHouse(QStringLiteral("文三路 4 号")));
        if (failing)
            runSql(QStringLiteral("drop table H_出租表"));
        MainWindow m;
        int boxes = 0;
        int mostOpen = 0;
        QStringList texts;
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            ++boxes;
            texts << box->text();
            m.form.activateWindow(); // the clerk clicks the main window behind the question
            QCoreApplication::processEvents();
            int open = 0;
            for (QWidget* w : QApplication::topLevelWidgets())
                open += qobject_cast<QMessageBox*>(w) && w->isVisible() ? 1 : 0;
            mostOpen = std::max(mostOpen, open);
            QAbstractButton* b = box->button(failing ? QMessageBox::Ok : QMessageBox::No);
            QVERIFY(b);
            b->click();
        });
        answer.start();
        QVERIFY(m.activate());
        QTRY_COMPARE(boxes, 1);
        QTRY_VERIFY(QApplication::activeWindow() == &m.form);
        for (int i = 0; i < 20; ++i) // any activation the box left behind is delivered
            QTest::qWait(10);
        QCOMPARE(boxes, 1);
        QCOMPARE(mostOpen, 1);
        QCOMPARE(texts.value(0) == question(), !failing);
        // The main window stays usable: another window opened and closed checks again.
        modalRoundTrip(m);
        QTRY_COMPARE(boxes, 2);
        answer.stop();
    }

    void guards_data() {
        QTest::addColumn<QString>("situation");
        QTest::newRow("program ending") << "ending";
        QTest::newRow("connection closed") << "closed";
        QTest::newRow("query fails") << "failing";
    }

    // No check while the program ends or without a connection; a failing one shows its error and
    // the main window goes on.
    void guards() {
        QFETCH(QString, situation);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.insertLease(letHouse(QStringLiteral("文三路 5 号")));
        MainWindow m;
        if (situation == QLatin1String("ending"))
            ProgramEnd::request();
        else if (situation == QLatin1String("closed"))
            UserDM->ADOConnection1.close();
        else
            runSql(QStringLiteral("drop table H_出租表"));
        QVERIFY(m.activate());
        QCoreApplication::processEvents();
        if (situation != QLatin1String("failing")) {
            QCOMPARE(MessageBoxService::shown().size(), 0);
            return;
        }
        QTRY_COMPARE(MessageBoxService::shown().size(), 1);
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
        QVERIFY(MessageBoxService::last().text.contains(QStringLiteral("H_出租表")));
        // The main window goes on: a window closed over it checks again.
        modalRoundTrip(m);
        QTRY_COMPARE(MessageBoxService::shown().size(), 2);
    }

    // The daily business entry opens the reminders.
    void entryOpensReminders() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        MainWindow m;
        m.form.show();
        auto* entry = m.wd1->findChild<QLabel*>(QStringLiteral("Label2"));
        QCOMPARE(entry->text(), QStringLiteral("出租跟踪报警"));
        onModal<Tfrm_Alarm>([&] { QTest::mouseClick(entry, Qt::LeftButton); },
                            [](Tfrm_Alarm* list) {
                                QCOMPARE(list->windowTitle(), QStringLiteral("房屋出租报警管理"));
                                QVERIFY(list->detail());
                            });
        QCOMPARE(frm_Alarm, nullptr);
        QCOMPARE(Frm_AlarmDetail, nullptr);
    }

    // What the windows offer: the list's bands and buttons, the detail's buttons and keys.
    void windowsAndKeys() {
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.insertLease(letHouse(QStringLiteral("文三路 6 号"), 1));
        bed.insertLease(letHouse(QStringLiteral("文三路 7 号"), 2));
        withAlarm([&](Tfrm_Alarm* list) {
            QCOMPARE(list->Label1->text(), QStringLiteral("报警日期："));
            QCOMPARE(list->dxDBGrid1->bandCaptions(), (QStringList{"房屋信息", "承租信息", "中介信息"}));
            QCOMPARE(list->dxDBGrid1->shownColumns(),
                     (QStringList{"收件号", "跟踪报警日期", "房型", "朝向", "楼层", "区域", "装修情况",
                                  "联系人", "联系电话一", "合同号", "承租人姓名", "承租人联系电话",
                                  "承租截止日期", "佣金金额", "受理人"}));
            QStringList shown;
            for (QToolButton* b : list->ToolBar1->findChildren<QToolButton*>())
                if (b->isVisible())
                    shown << b->text();
            QCOMPARE(shown, (QStringList{"打印", "退出"}));
            for (Qt::Key k : {Qt::Key_F2, Qt::Key_F4})
                QTest::keyClick(list->dxDBGrid1, k);
            QCOMPARE(list->QryData->recordCount(), 2);
            QCOMPARE(bed.leaseCount(), 2);

            withDetail(list, [&](TFrm_AlarmDetail* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("房屋出租报警"));
                QCOMPARE(d->Panel1->text(), QStringLiteral("房屋详细信息"));
                QStringList buttons;
                for (QToolButton* b :
                     d->findChild<QFrame*>(QStringLiteral("ToolBar1"))->findChildren<QToolButton*>())
                    if (b->isVisible())
                        buttons << b->text();
                QCOMPARE(buttons, (QStringList{"首条", "向上", "向下", "未条", "保存", "修改", "取消", "再租",
                                               "退出"}));
                QCOMPARE(d->LBYj->text(), QStringLiteral("30"));
                QWidget* address = d->editor(QStringLiteral("DBEdtAddress"));
                // F2, F4 and F7 do nothing; 再租 only by its button.
                for (Qt::Key k : {Qt::Key_F2, Qt::Key_F4, Qt::Key_F7})
                    QTest::keyClick(address, k);
                QCOMPARE(shownTexts(), QStringList{});
                QCOMPARE(list->QryData->recordCount(), 2);
                QCOMPARE(text(d->editor(QStringLiteral("DBEdtStat"))), QStringLiteral("已出租"));
                // F3 修改, F6 取消, browsing refused while unsaved.
                QTest::keyClick(address, Qt::Key_F3);
                QVERIFY(d->TbSave->isEnabled());
                QTest::keyClick(address, Qt::Key_F8);
                d->Tbnext->click();
                QCOMPARE(shownTexts(), (QStringList{"请先保存数据!!!", "请先保存数据!!!"}));
                QTest::keyClick(address, Qt::Key_F6);
                QVERIFY(!d->TbSave->isEnabled());
                d->Tbnext->click();
                QCOMPARE(MessageBoxService::shown().size(), 2);
            });
        });
    }

    void printing_data() {
        QTest::addColumn<QString>("from");
        QTest::newRow("list F8") << "list";
        QTest::newRow("list 打印") << "button";
        QTest::newRow("detail F8") << "detail";
    }

    // 打印 and F8 print the let house's lease bill in the print mode, as the lease windows do.
    void printing() {
        QFETCH(QString, from);
        RecordsTestBed bed(QStringLiteral("sqlcipher"));
        GuiTestScope scope;
        bed.insertLease(letHouse(QStringLiteral("文三路 8 号"), 1));
        withAlarm([&](Tfrm_Alarm* list) {
            if (from == QLatin1String("list"))
                QTest::keyClick(list->dxDBGrid1, Qt::Key_F8);
            else if (from == QLatin1String("button"))
                list->TbPrint->click();
            else
                withDetail(list, [](TFrm_AlarmDetail* d) {
                    QTest::keyClick(d->editor(QStringLiteral("DBEdtAddress")), Qt::Key_F8);
                });
            QCOMPARE(shownTexts(), QStringList{});
            BillPrinter* bill = list->detail()->report();
            QVERIFY(bill && bill->preview());
            QCOMPARE(bill->report().labelCaption(QStringLiteral("PLbYJ")), QStringLiteral("30"));
            delete bill->preview();
        });
    }

    void clearingTheFlag_data() { addEngines(); }

    // Unticking the flag and saving: stored, the row stays in the open list, the next 查询 and the
    // next check drop it.
    void clearingTheFlag() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        QVariantMap newer = letHouse(QStringLiteral("文三路 9 号"), 2);
        newer.insert(QStringLiteral("编辑日期"), QDate::currentDate().addDays(-20)); // listed first
        const int id = bed.insertLease(newer);
        bed.insertLease(letHouse(QStringLiteral("文三路 10 号"), 3));
        withAlarm([&](Tfrm_Alarm* list) {
            QCOMPARE(addresses(list->QryData).size(), 2);
            list->dxDBGrid1->focusFirst();
            withDetail(list, [&](TFrm_AlarmDetail* d) {
                QCOMPARE(text(d->editor(QStringLiteral("DBEdtAddress"))), QStringLiteral("文三路 9 号"));
                auto* flag = qobject_cast<QCheckBox*>(d->editor(QStringLiteral("CKBBJ")));
                QVERIFY(flag->isChecked() && flag->isEnabled());
                d->TbModfiy->click();
                flag->click();
                d->TbSave->click();
                QCOMPARE(shownTexts(), QStringList{});
                QVERIFY(!d->TbSave->isEnabled());
            });
            QCOMPARE(bed.leaseValue(id, QStringLiteral("跟踪报警标志")).toBool(), false);
            QCOMPARE(addresses(list->QryData).size(), 2);
            list->BtQuery->click();
            QCOMPARE(addresses(list->QryData), QStringList{QStringLiteral("文三路 10 号")});
        });
        runSql(QStringLiteral("delete from H_出租表 where 房屋地址 = '文三路 10 号'"));
        AlarmCheck(nullptr);
        QCOMPARE(questionsAsked(), 0);
    }

    void offerAgain_data() { addEngines(); }

    // 再租: asked, the deal columns emptied, saved at once, 再租 and the deal editors disabled; the
    // row stays listed until the next 查询.
    void offerAgain() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        const int id = bed.insertLease(letHouse(QStringLiteral("文三路 11 号"), 1));
        withAlarm([&](Tfrm_Alarm* list) {
            withDetail(list, [&](TFrm_AlarmDetail* d) {
                QVERIFY(d->TBReturn->isEnabled());
                MessageBoxService::queueAnswer(MsgAnswer::No);
                d->TBReturn->click();
                QCOMPARE(bed.leaseValue(id, QStringLiteral("状态位")).toString(), QStringLiteral("已出租"));
                MessageBoxService::queueAnswer(MsgAnswer::Yes);
                d->TBReturn->click();
                QCOMPARE(shownTexts(),
                         (QStringList{"确定要对当前的信息再发布出租？", "确定要对当前的信息再发布出租？"}));
                QVERIFY(!d->TbSave->isEnabled());
                QVERIFY(!d->TBReturn->isEnabled());
                for (const char* e : {"DBCZLinker", "DbCZTel", "DBCZID", "DBEdtCZPrice", "DtpCZDate",
                                      "DtpCZEnd", "DbEdtCZMemo", "DbEdtYj", "DbEdtHTH", "DtpBJDate", "CKBBJ"})
                    QVERIFY2(!d->editor(QString::fromLatin1(e))->isEnabled(), e);
            });
            QCOMPARE(list->QryData->recordCount(), 1);
            list->BtQuery->click();
            QCOMPARE(list->QryData->recordCount(), 0);
        });
        QCOMPARE(bed.leaseValue(id, QStringLiteral("状态位")).toString(), QStringLiteral("未出租"));
        QCOMPARE(bed.leaseValue(id, QStringLiteral("编辑日期")).toDate(), QDate::currentDate());
        for (const char* c : {"承租人姓名", "承租人身份证号码", "承租方备注", "合同号", "受理人"})
            QVERIFY2(bed.leaseValue(id, QString::fromUtf8(c)).toString().isEmpty(), c);
        for (const char* c : {"承租日期", "承租截止日期", "跟踪报警日期", "受理日期"})
            QVERIFY2(bed.leaseValue(id, QString::fromUtf8(c)).isNull(), c);
        QCOMPARE(bed.leaseValue(id, QStringLiteral("承租价格")).toDouble(), 0.0);
        QCOMPARE(bed.leaseValue(id, QStringLiteral("佣金金额")).toDouble(), 0.0);
        QCOMPARE(bed.leaseValue(id, QStringLiteral("跟踪报警标志")).toBool(), false);
        QCOMPARE(bed.leaseValue(id, QStringLiteral("承租人联系电话")).toString(),
                 QStringLiteral("13912345678"));
    }

    void commissionAsLease_data() { addEngines(); }

    // Entering the commission editor with none proposes what the lease detail proposes for the row.
    void commissionAsLease() {
        QFETCH(QString, engine);
        RecordsTestBed bed(engine);
        GuiTestScope scope;
        AppGlobals.LeaseCommission = 35;
        bed.insertLease(letHouse(QStringLiteral("文三路 12 号"), 1));
        const auto propose = [](RecordDetailWindow* d) {
            d->TbModfiy->click();
            d->activateWindow();
            d->editor(QStringLiteral("DbEdtYj"))->setFocus(Qt::TabFocusReason);
            d->DbEdtYjEnter();
            const QString proposed = text(d->editor(QStringLiteral("DbEdtYj")));
            d->TbCancel->click();
            return proposed;
        };
        QString fromAlarm, fromLease;
        withAlarm([&](Tfrm_Alarm* list) {
            withDetail(list, [&](TFrm_AlarmDetail* d) {
                QCOMPARE(d->LBYj->text(), QStringLiteral("35"));
                fromAlarm = propose(d);
            });
        });
        onModal<Tfrm_HouseLease>([] { ShowLeaseForm(); },
                                 [&](Tfrm_HouseLease* list) {
                                     list->CKBYCZ->click();
                                     list->Dtp1->setText(DateText::format(QDate::currentDate().addDays(-60)));
                                     list->BtQuery->click();
                                     onModal<TFrm_LeaseDetail>(
                                         [list] { QTest::keyClick(list->dxDBGrid1, Qt::Key_F3); },
                                         [&](TFrm_LeaseDetail* d) { fromLease = propose(d); });
                                 });
        QCOMPARE(fromAlarm, QStringLiteral("699")); // 1999 x 35 / 100, truncated
        QCOMPARE(fromAlarm, fromLease);
        QCOMPARE(shownTexts(), QStringList{});
    }
};

QTEST_MAIN(TestAlarmWindows)
#include "tst_AlarmWindows.moc"

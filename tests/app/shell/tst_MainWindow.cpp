#include "LoginRules.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PanelStatusBar.h"
#include "PictureButton.h"
#include "ProgramEnd.h"
#include "ProgramLauncher.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TestSupport.h"
#include "TmainForm.h"
#include "TsyssdForm.h"
#include "Twd1_Form.h"
#include "Twd2_Form.h"
#include "Twd4_Form.h"

#include <QAccessible>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Teal(0, 128, 128);

QColor inkOf(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}
QColor backOf(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

QImage pictureFile(const QString& name) {
    return QImage(AppGlobals.AppPath + "/image/" + name).convertToFormat(QImage::Format_RGB32);
}
QImage shown(const QLabel* image) {
    return image->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

// The real main window with its three pages, shown as after the login.
struct MainWindow {
    PageActions actions;
    TmainForm form;
    Twd1_Form* wd1;
    Twd2_Form* wd2;
    Twd4_Form* wd4;
    explicit MainWindow(const PageActions& a = {})
        : actions(a), form(a), wd1(new Twd1_Form(&form, a)), wd2(new Twd2_Form(&form)),
          wd4(new Twd4_Form(&form, a)) {}
    bool show() {
        form.show();
        return QTest::qWaitForWindowExposed(&form);
    }
};

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}
void hover(QWidget* w, QPoint at = {-1, -1}) {
    QTest::mouseMove(w, at == QPoint(-1, -1) ? w->rect().center() : at);
}

// Asserts which entry of a page is shown selected; every other one is not.
void expectSelected(FunctionPage* page, const QString& labelName) {
    for (QLabel* l : page->findChildren<QLabel*>()) {
        const bool sel = l->objectName() == labelName;
        QCOMPARE(backOf(l), sel ? Teal : QColor(0xfa, 0xf9, 0xfb));
        QCOMPARE(inkOf(l), sel ? QColor(Qt::white) : QApplication::palette().color(QPalette::WindowText));
        auto* b = qobject_cast<PictureButton*>(l->buddy());
        QVERIFY(b);
        QCOMPARE(b->isChecked(), sel);
    }
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        AppGlobals = TSetValue();
        AppGlobals.AppPath = TestSupport::sourceDir() + "/dist";
        AppGlobals.CompanyName = QStringLiteral("安居房产");
        // Logged in through the maintenance login, which this workstation allows.
        AppGlobals.MaintenanceLogin = true;
        CurrentUser = LoginRules::maintenanceUser();
    }
    void cleanup() {
        ProgramLauncher::resetStarter();
        AppGlobals = TSetValue();
        CurrentUser = TUser();
    }

    void rightAfterShowing() {
        GuiTestScope scope;
        MainWindow m;
        QVERIFY(m.show());
        QCOMPARE(m.form.windowTitle(), QStringLiteral("房屋中介管理系统"));
        QVERIFY(m.form.windowState() & Qt::WindowMaximized);
        QCOMPARE(inkOf(m.form.Label1), Red);
        QCOMPARE(shown(m.form.Image6), pictureFile("but2.bmp"));
        QCOMPARE(inkOf(m.form.Label4), QColor(Qt::black));
        QCOMPARE(shown(m.form.Image3), pictureFile("but1.bmp"));
        QVERIFY(!m.form.Image5->pixmap().isNull());
        // The daily page covers the middle of the function panel.
        QCOMPARE(m.form.frontPage(), m.wd1);
        QWidget* atCentre = m.form.PnlFunction->childAt(m.form.PnlFunction->rect().center());
        QVERIFY(atCentre && (atCentre == m.wd1 || m.wd1->isAncestorOf(atCentre)));
        QVERIFY(m.wd2->isVisible()); // shown beneath, never in front
        QCOMPARE(m.form.StatusBar1->panelText(0), QStringLiteral("欢迎使用Velmor房屋中介系统"));
        QCOMPARE(m.form.StatusBar1->panelText(1), QStringLiteral("使用者:甄维序 类型:管理员"));
        QCOMPARE(m.form.StatusBar1->panelText(2), QStringLiteral("安居房产"));
        QCOMPARE(m.form.StatusBar1->panelText(3), QStringLiteral("软件版本 4.01"));
        // The pages were placed into the function panel and fill it.
        QCOMPARE(m.wd1->parentWidget(), m.form.PnlFunction);
        QCOMPARE(m.wd1->geometry(), m.form.PnlFunction->rect());
        expectSelected(m.wd1, "Label1");
        expectSelected(m.wd4, "Label1");
        QCOMPARE(m.wd4->Label1->text(), QStringLiteral("字典维护"));
        QVERIFY(MessageBoxService::shown().isEmpty());
    }

    void hiddenTabs() {
        GuiTestScope scope;
        MainWindow m;
        QVERIFY(m.show());
        for (QWidget* w : {m.form.Image7, m.form.Label2, m.form.Image2, m.form.Label3})
            QVERIFY(!w->isVisible());
        for (QWidget* w : {m.form.Image6, m.form.Label1, m.form.Image3, m.form.Label4})
            QVERIFY(w->isVisible());
    }

    void selectingTabs_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("front");
        QTest::newRow("basic data") << QStringList{"Label4"} << "wd4_Form";
        QTest::newRow("basic data by its picture") << QStringList{"Image3"} << "wd4_Form";
        QTest::newRow("basic data, then daily") << QStringList{"Label4", "Label1"} << "wd1_Form";
        QTest::newRow("daily twice") << QStringList{"Label1", "Label1"} << "wd1_Form";
    }
    void selectingTabs() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, front);
        GuiTestScope scope;
        MainWindow m;
        QVERIFY(m.show());
        for (const QString& name : clicks) {
            auto* w = m.form.findChild<QWidget*>(name);
            QVERIFY(w);
            // The picture lies under its caption: a click on the picture's edge reaches it.
            if (qobject_cast<QLabel*>(w) && w->objectName().startsWith("Image"))
                QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2));
            else
                click(w);
        }
        QCOMPARE(m.form.frontPage()->objectName(), front);
        const bool daily = front == "wd1_Form";
        QCOMPARE(inkOf(m.form.Label1), daily ? Red : QColor(Qt::black));
        QCOMPARE(inkOf(m.form.Label4), daily ? QColor(Qt::black) : Red);
        QCOMPARE(shown(m.form.Image6), pictureFile(daily ? "but2.bmp" : "but1.bmp"));
        QCOMPARE(shown(m.form.Image3), pictureFile(daily ? "but1.bmp" : "but2.bmp"));
        // The page behind stays shown; the front one covers it.
        QVERIFY(m.wd1->isVisible());
        QCOMPARE(m.wd4->isVisible(), clicks.contains("Label4") || clicks.contains("Image3"));
        QWidget* atCentre = m.form.PnlFunction->childAt(m.form.PnlFunction->rect().center());
        QWidget* expected = daily ? static_cast<QWidget*>(m.wd1) : m.wd4;
        QVERIFY(atCentre == expected || expected->isAncestorOf(atCentre));
    }

    void tabHover() {
        GuiTestScope scope;
        MainWindow m;
        QVERIFY(m.show());
        hover(m.form.Label4);
        QCOMPARE(inkOf(m.form.Label4), Blue);
        hover(m.form.Label1); // the red tab stays red
        QCOMPARE(inkOf(m.form.Label1), Red);
        QCOMPARE(inkOf(m.form.Label4), Blue); // only the free column area clears
        hover(m.form.Panel2, QPoint(100, m.form.Panel2->height() / 2 + 40));
        QCOMPARE(inkOf(m.form.Label4), QColor(Qt::black));
        QCOMPARE(inkOf(m.form.Label1), Red);
        hover(m.form.Image3, QPoint(1, 1));
        QCOMPARE(inkOf(m.form.Label4), Blue);
    }

    void commandHover() {
        GuiTestScope scope;
        MainWindow m;
        QVERIFY(m.show());
        const QList<QLabel*> commands{m.form.LBConfig, m.form.LBModifyPassWord, m.form.LBAfresh,
                                      m.form.LBExit};
        for (QLabel* l : commands)
            QCOMPARE(inkOf(l), QColor(Qt::white));
        hover(m.form.LBConfig);
        QCOMPARE(inkOf(m.form.LBConfig), Blue);
        // On a light ground, so the blue reads on the dark command block.
        QVERIFY(m.form.LBConfig->autoFillBackground());
        QVERIFY(qGray(backOf(m.form.LBConfig).rgb()) > 200);
        hover(m.form.LBExit);
        QCOMPARE(inkOf(m.form.LBExit), Blue);
        hover(m.form.ImgAfresh, QPoint(3, 3));
        for (QLabel* l : commands)
            QCOMPARE(inkOf(l), QColor(Qt::white));
    }

    // The highlight follows the mouse: label of one entry, button of another, then empty page.
    void entryHighlightFollowsTheMouse() {
        GuiTestScope scope;
        MainWindow m;
        QVERIFY(m.show());
        hover(m.wd1->Label2);
        expectSelected(m.wd1, "Label2");
        hover(m.wd1->fcImageBtn8);
        expectSelected(m.wd1, "Label8");
        hover(m.wd1->PnlFunction, QPoint(m.wd1->PnlFunction->width() - 5, m.wd1->PnlFunction->height() - 5));
        expectSelected(m.wd1, "Label8");
        // Another page keeps its own selection: the groups are per page.
        expectSelected(m.wd4, "Label1");
        click(m.form.Label4);
        hover(m.wd4->fcImageBtn7);
        expectSelected(m.wd4, "Label7");
        expectSelected(m.wd1, "Label8");
    }

    void entriesOpenTheirWindows_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("opener");
        QTest::newRow("出租单管理 label") << "wd1_Form"
                                          << "Label1"
                                          << "lease";
        QTest::newRow("出租单管理 button") << "wd1_Form"
                                           << "fcImageBtn1"
                                           << "lease";
        QTest::newRow("出租跟踪报警") << "wd1_Form"
                                      << "fcImageBtn2"
                                      << "alarm";
        QTest::newRow("求租单管理") << "wd1_Form"
                                    << "Label12"
                                    << "rent";
        QTest::newRow("出售单管理") << "wd1_Form"
                                    << "fcImageBtn8"
                                    << "sale";
        QTest::newRow("求购单管理") << "wd1_Form"
                                    << "Label10"
                                    << "purchase";
        QTest::newRow("字典维护") << "wd4_Form"
                                  << "fcImageBtn1"
                                  << "dict";
        QTest::newRow("数据库备份") << "wd4_Form"
                                    << "Label5"
                                    << "backup";
        QTest::newRow("公司信息") << "wd4_Form"
                                  << "fcImageBtn4"
                                  << "company";
        QTest::newRow("关于-房产软件") << "wd4_Form"
                                       << "Label2"
                                       << "about";
        QTest::newRow("用户管理") << "wd4_Form"
                                  << "fcImageBtn6"
                                  << "users";
        QTest::newRow("系统配置") << "mainForm"
                                  << "LBConfig"
                                  << "config";
        QTest::newRow("修改密码") << "mainForm"
                                  << "LBModifyPassWord"
                                  << "password";
    }
    void entriesOpenTheirWindows() {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QString, opener);
        GuiTestScope scope;
        QStringList opened;
        auto rec = [&opened](const char* name) { return [&opened, name] { opened << name; }; };
        PageActions a;
        a.showLeaseForm = rec("lease");
        a.showAlarmForm = rec("alarm");
        a.showRentForm = rec("rent");
        a.showSaleForm = rec("sale");
        a.showPurchaseForm = rec("purchase");
        a.showDictForm = rec("dict");
        a.showBackupForm = rec("backup");
        a.showCompanyForm = rec("company");
        a.showAboutBox = rec("about");
        a.showUserForm = rec("users");
        a.showSysConfigForm = rec("config");
        a.showModifyPassWordForm = rec("password");
        MainWindow m(a);
        QVERIFY(m.show());
        if (page == "wd4_Form")
            click(m.form.Label4);
        QWidget* host =
            page == "mainForm" ? static_cast<QWidget*>(&m.form) : m.form.findChild<QWidget*>(page);
        auto* w = host->findChild<QWidget*>(control);
        QVERIFY(w && w->isVisible());
        click(w);
        QCOMPARE(opened, QStringList{opener});
    }

    // A screen reader or any assistive client opens an entry by the button's action, as a click
    // does; the action is offered by name and does nothing while the entry is disabled.
    void accessibleActionOpensTheEntry() {
        GuiTestScope scope;
        QStringList opened;
        PageActions a;
        a.showLeaseForm = [&opened] { opened << "lease"; };
        a.showDictForm = [&opened] { opened << "dict"; };
        MainWindow m(a);
        QVERIFY(m.show());
        auto press = [](QWidget* w) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
            QVERIFY(iface && iface->actionInterface());
            QCOMPARE(iface->text(QAccessible::Name), w->accessibleName());
            QVERIFY(
                iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
            iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        };
        press(m.wd1->findChild<QWidget*>("fcImageBtn1"));
        QCOMPARE(opened, QStringList{"lease"});
        click(m.form.Label4);
        auto* dict = m.wd4->findChild<QWidget*>("fcImageBtn1");
        press(dict);
        QCOMPARE(opened, (QStringList{"lease", "dict"}));
        dict->setEnabled(false);
        QAccessible::queryAccessibleInterface(dict)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
        QCOMPARE(opened.size(), 2);
    }

    // An entry whose window is not in the program yet: no window, no box, no program.
    void emptyOpenersDoNothing() {
        GuiTestScope scope;
        int starts = 0;
        ProgramLauncher::setStarter([&](const QString&, const QStringList&) { return ++starts, true; });
        MainWindow m;
        QVERIFY(m.show());
        for (QWidget* w : std::initializer_list<QWidget*>{m.wd1->Label1, m.wd1->fcImageBtn2, m.wd1->Label12,
                                                          m.form.LBConfig, m.form.LBModifyPassWord})
            click(w);
        click(m.form.Label4);
        for (QWidget* w : std::initializer_list<QWidget*>{m.wd4->fcImageBtn1, m.wd4->Label5, m.wd4->Label6})
            click(w);
        QVERIFY(MessageBoxService::shown().isEmpty());
        QCOMPARE(ModalSeam::unattended(), 0);
        QCOMPARE(starts, 0);
        QVERIFY(!ProgramEnd::requested());
    }

    void calculator() {
        GuiTestScope scope;
        QStringList started;
        ProgramLauncher::setStarter([&](const QString& p, const QStringList& args) {
            started << p + "|" + args.join(' ');
            return false; // missing: nothing is reported
        });
        MainWindow m;
        QVERIFY(m.show());
        click(m.form.Label4);
        click(m.wd4->fcImageBtn3);
        click(m.wd4->Label3);
        const QString calc = AppGlobals.AppPath + "/calc|";
        QCOMPARE(started, (QStringList{calc, calc}));
        QVERIFY(MessageBoxService::shown().isEmpty());
        // The launcher ships beside the program.
        QVERIFY(QFileInfo(TestSupport::sourceDir() + "/dist/calc").isExecutable());
    }

    void updater_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("no") << MsgAnswer::No << false;
        QTest::newRow("yes") << MsgAnswer::Yes << true;
    }
    void updater() {
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, ends);
        GuiTestScope scope;
        QStringList started;
        bool endRequestedBeforeStart = false;
        ProgramLauncher::setStarter([&](const QString& p, const QStringList& args) {
            endRequestedBeforeStart = ProgramEnd::requested();
            started << p + "|" + args.join(' ');
            return true;
        });
        MainWindow m;
        QVERIFY(m.show());
        click(m.form.Label4);
        MessageBoxService::queueAnswer(answer);
        click(m.wd4->Label7);
        QCOMPARE(MessageBoxService::shown().size(), 1);
        const ShownMessage box = MessageBoxService::last();
        QCOMPARE(box.caption, QStringLiteral("询问"));
        QCOMPARE(box.text, QStringLiteral("确定要更新吗？将关闭当前系统!!!"));
        QCOMPARE(box.icon, MsgIcon::Question);
        QCOMPARE(box.buttons, MsgButtons::YesNo);
        QCOMPARE(ProgramEnd::requested(), ends);
        QCOMPARE(started, ends ? QStringList{AppGlobals.AppPath + "/Corvane|"} : QStringList{});
        QCOMPARE(endRequestedBeforeStart, ends);
    }

    // Returning from the lock window shows the daily page again and refills the status bar.
    void lockRoundTrip() {
        GuiTestScope scope;
        MainWindow m;
        TsyssdForm lock;
        m.form.setLockWindow(&lock);
        QVERIFY(m.show());
        click(m.form.Label4);
        QCOMPARE(m.form.frontPage(), m.wd4);
        AppGlobals.CompanyName = QStringLiteral("新名称地产");
        bool driven = false;
        ModalSeam::drive([&](QWidget* w) {
            driven = w == &lock;
            lock.Username_Edit->setText(CurrentUser.UserCode); // keyClicks types Latin-1 only
            click(lock.OKButton1);
        });
        click(m.form.LBAfresh);
        QVERIFY(driven);
        QVERIFY(!lock.isVisible());
        QCOMPARE(m.form.frontPage(), m.wd1);
        QCOMPARE(inkOf(m.form.Label1), Red);
        QCOMPARE(inkOf(m.form.Label4), QColor(Qt::black));
        QCOMPARE(m.form.StatusBar1->panelText(2), QStringLiteral("新名称地产"));
    }

    void activationRunsTheAlarmCheck() {
        GuiTestScope scope;
        int checks = 0;
        PageActions a;
        a.alarmCheck = [&] { ++checks; };
        MainWindow m(a);
        QVERIFY(m.show());
        m.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m.form));
        QVERIFY(checks >= 1);
    }

    // A missing picture is an error in the show handler: reported, the rest of it skipped.
    void missingPictures() {
        GuiTestScope scope;
        QTemporaryDir empty;
        AppGlobals.AppPath = empty.path();
        MainWindow m;
        QVERIFY(m.show());
        QCOMPARE(MessageBoxService::shown().size(), 1);
        QVERIFY(MessageBoxService::last().text.contains("main.bmp"));
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
        QCOMPARE(m.form.StatusBar1->panelText(0), QString());
        QCOMPARE(m.form.frontPage(), nullptr);
    }

    // Image buttons: exclusive among the buttons of one parent, and a click leaves the state alone.
    void pictureButtonGroups() {
        QWidget a, b;
        auto* a1 = new PictureButton(&a);
        auto* a2 = new PictureButton(&a);
        auto* a3 = new PictureButton(&a);
        auto* b1 = new PictureButton(&b);
        for (PictureButton* p : {a1, a2, b1})
            p->setGroupIndex(1);
        QPixmap n(67, 62), d(67, 62);
        n.fill(Qt::white);
        d.fill(Qt::black);
        for (PictureButton* p : {a1, a2, a3, b1}) {
            p->setPictures(n, d);
            p->resize(67, 62);
        }
        a1->setChecked(true);
        b1->setChecked(true);
        a3->setChecked(true); // not in the group
        a2->setChecked(true);
        QVERIFY(!a1->isChecked());
        QVERIFY(a2->isChecked() && a3->isChecked() && b1->isChecked());
        QCOMPARE(a2->currentPicture().toImage(), d.toImage());
        QCOMPARE(a1->currentPicture().toImage(), n.toImage());
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        click(a1);
        QVERIFY(!a1->isChecked());
        click(a2);
        QVERIFY(a2->isChecked());
        QCOMPARE(a1->cursor().shape(), Qt::PointingHandCursor);
    }

    // Not a check: with LINTARA_GRAB_DIR set, pictures of the main window at two screen sizes.
    void grabs() {
        const QString dir = qEnvironmentVariable("LINTARA_GRAB_DIR");
        if (dir.isEmpty())
            QSKIP("LINTARA_GRAB_DIR not set");
        GuiTestScope scope;
        for (const QSize& size : {QSize(1280, 800), QSize(1920, 1080)}) {
            MainWindow m;
            QVERIFY(m.show());
            m.form.setWindowState(Qt::WindowNoState);
            m.form.resize(size);
            QTest::qWait(50);
            const QString tag = QString("%1x%2").arg(size.width()).arg(size.height());
            m.form.grab().save(dir + "/main-daily-" + tag + ".png");
            click(m.form.Label4);
            hover(m.wd4->Label6);
            hover(m.form.LBConfig);
            m.form.grab().save(dir + "/main-basic-" + tag + ".png");
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"

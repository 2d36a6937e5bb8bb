#include "AdminTestBed.h"
#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "DbEdit.h"
#include "FreeQuery.h"
#include "LoginRules.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PasswordHash.h"
#include "TLoginWin.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"
#include "TestSupport.h"
#include "Tuser_Form.h"
#include "TuseraddForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {
const QString kAdmin = QStringLiteral("管理员");
const QString kOperator = QStringLiteral("操作员");

void withUserWindow(const std::function<void(Tuser_Form*)>& body) {
    AdminTestBed::withModal<Tuser_Form>(body, [] { ShowUserForm(); });
}

// Queues the user dialog's driver, then presses the button that opens it.
void withDialog(QToolButton* button, const std::function<void(TuseraddForm*)>& body) {
    AdminTestBed::withModal<TuseraddForm>(body, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    ShellTestDb::typeText(edit, text);
}

} // namespace

class TestUserWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { AdminTestBed::addEngineRows(); }

    // Who sees which rows, and who may register and delete.
    void roles_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("refused");
        QTest::newRow("administrator") << kAdmin << 3 << false;
        QTest::newRow("operator") << kOperator << 1 << true;
        QTest::newRow("any other type") << QStringLiteral("经理") << 1 << true;
        QTest::newRow("administrator with a blank") << QStringLiteral("管理员 ") << 1 << true;
    }
    void roles() {
        QFETCH_GLOBAL(QString, engine);
        QFETCH(QString, type);
        QFETCH(int, rows);
        QFETCH(bool, refused);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        bed.addUser(QStringLiteral("admin"), PasswordHash::hash(QStringLiteral("a")),
                    QStringLiteral("王经理"), kAdmin);
        const int zhao =
            bed.addUser(QStringLiteral("zhao"), QStringLiteral("z"), QStringLiteral("赵敏"), kOperator);
        const int me = bed.addUser(QStringLiteral("me"), QStringLiteral("m"), QStringLiteral("我"), type);
        bed.logIn(me);
        withUserWindow([&](Tuser_Form* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("用户信息管理"));
            QCOMPARE(form->dxDBGrid1->viewRowCount(), rows);
            if (rows == 1)
                QCOMPARE(form->QryData->text(QStringLiteral("用户代码")), QStringLiteral("me"));
            QCOMPARE(form->dxDBGrid1->shownColumns(),
                     (QStringList{"用户代码", "用户姓名", "用户口令", "类型"}));
            // The password column never shows what is stored.
            const int pw = form->QryData->columnIndex(QStringLiteral("用户口令"));
            const QModelIndex cell = form->dxDBGrid1->model()->index(0, pw);
            auto* delegate = qobject_cast<QStyledItemDelegate*>(form->dxDBGrid1->itemDelegateForIndex(cell));
            QVERIFY(delegate);
            QCOMPARE(delegate->displayText(cell.data(), QLocale()), QStringLiteral("********"));

            const int before = ModalSeam::unattended();
            QTest::mouseClick(form->ToolButton1, Qt::LeftButton); // 新增 (no driver: closed at once)
            if (!refused) {
                QVERIFY(form->dxDBGrid1->locate(zhao));
                MessageBoxService::queueAnswer(MsgAnswer::No);
            }
            QTest::mouseClick(form->ToolButton2, Qt::LeftButton); // 删除
            if (refused) {
                QCOMPARE(AdminTestBed::shownTexts(),
                         (QStringList{"无权限,请找管理员!!!", "无权限,请找管理员!!!"}));
                QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
                QCOMPARE(ModalSeam::unattended(), before);
            } else {
                QCOMPARE(AdminTestBed::shownTexts(), QStringList{"确认要删除赵敏用户吗?"});
                QCOMPARE(ModalSeam::unattended(), before + 1);
            }
            // 改密 is open to everyone on the rows they see.
            withDialog(form->ToolButton5, [&](TuseraddForm* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("用户密码修改"));
                QVERIFY(!dialog->DBEdit1->isEnabled());
                QVERIFY(!dialog->DBComboBox1->isEnabled());
                QTest::mouseClick(dialog->Button2, Qt::LeftButton);
            });
        });
        QCOMPARE(bed.count(QStringLiteral("select count(*) from S_用户表")), 3);
    }

    // 新增 as the clerk works it; the new user logs in with the password, stored only as a hash.
    void registerAndLogIn() {
        QFETCH_GLOBAL(QString, engine);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        bed.logIn(bed.addUser(QStringLiteral("admin"), PasswordHash::hash(QString()),
                              QStringLiteral("王经理"), kAdmin));
        withUserWindow([&](Tuser_Form* form) {
            withDialog(form->ToolButton1, [&](TuseraddForm* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("用户新增信息"));
                QCOMPARE(d->Button1->text(), QStringLiteral("保存"));
                QCOMPARE(d->DBComboBox1->currentText(), kOperator);
                QVERIFY(d->DBEdit1->hasFocus() || !d->isActiveWindow());
                ShellTestDb::typeText(d->DBEdit1, QStringLiteral("zhao"));
                QTest::keyClick(d->DBEdit1, Qt::Key_Return);
                ShellTestDb::typeText(d->DBEdit2, QStringLiteral("赵敏"));
                ShellTestDb::typeText(d->DBEdit3, QStringLiteral(" Key9 "));
                ShellTestDb::typeText(d->MaskEdit1, QStringLiteral(" Key9 "));
                QTest::keyClick(d->DBComboBox1, Qt::Key_Down);
                QCOMPARE(d->DBComboBox1->currentText(), kAdmin);
                QTest::mouseClick(d->Button1, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            QCOMPARE(form->dxDBGrid1->viewRowCount(), 2);
        });
        QVERIFY(AdminTestBed::shownTexts().isEmpty());
        const QString stored =
            bed.column(QStringLiteral("select 用户口令 from S_用户表 where 用户代码='zhao'"));
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(!stored.contains(QStringLiteral("Key9")));
        QCOMPARE(bed.column(QStringLiteral("select 类型 from S_用户表 where 用户代码='zhao'")), kAdmin);
        QCOMPARE(bed.column(QStringLiteral("select 用户姓名 from S_用户表 where 用户代码='zhao'")),
                 QStringLiteral("赵敏"));

        TLoginWin login;
        QSignalSpy loggedIn(&login, &TLoginWin::loggedIn);
        login.show();
        ShellTestDb::typeText(login.LoginName_Edit, QStringLiteral("zhao"));
        ShellTestDb::typeText(login.Password_Edit, QStringLiteral("Key9"));
        QTest::mouseClick(login.BtOK, Qt::LeftButton);
        QCOMPARE(loggedIn.count(), 1);
        QCOMPARE(CurrentUser.UserType, kAdmin);
    }

    // What the save refuses, with the dialog left open and nothing written.
    void saveChecks_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message"); // empty: saved
        const QString taken = QStringLiteral("登录帐号\"li\"已被其他用户使用,请换一个!!!");
        QTest::newRow("empty code") << ""
                                    << "a"
                                    << "a"
                                    << "录入帐员不能为空!!";
        QTest::newRow("blank code") << "   "
                                    << "a"
                                    << "a"
                                    << "录入帐员不能为空!!";
        QTest::newRow("confirmation differs") << "zhao"
                                              << "abc"
                                              << "abd"
                                              << "确认密码不正确!!";
        QTest::newRow("confirmation in other case") << "zhao"
                                                    << "abc"
                                                    << "ABC"
                                                    << "确认密码不正确!!";
        QTest::newRow("code taken") << "li"
                                    << "a"
                                    << "a" << taken;
        QTest::newRow("code taken, blanks around") << " li "
                                                   << "a"
                                                   << "a" << taken;
        QTest::newRow("password too long")
            << "zhao" << QString(21, u'p') << QString(21, u'p') << "登录密码不能超过20个字符!!!";
        QTest::newRow("longest password") << "zhao" << QString(20, u'p') << QString(20, u'p') << "";
        QTest::newRow("empty password and confirmation") << "zhao"
                                                         << ""
                                                         << ""
                                                         << "";
        QTest::newRow("code in other case is another code") << "LI"
                                                            << "a"
                                                            << "a"
                                                            << "";
        QTest::newRow("quotes are text") << "o'brien"
                                         << "p'w"
                                         << "p'w"
                                         << "";
        QTest::newRow("SQL is text") << "a';delete from S_用户表"
                                     << "' or '1'='1"
                                     << "' or '1'='1"
                                     << "";
    }
    void saveChecks() {
        QFETCH_GLOBAL(QString, engine);
        QFETCH(QString, code);
        QFETCH(QString, password);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        bed.logIn(bed.addUser(QStringLiteral("admin"), PasswordHash::hash(QString()),
                              QStringLiteral("王经理"), kAdmin));
        bed.addUser(QStringLiteral("li"), QStringLiteral("x"), QStringLiteral("李文"), kOperator);
        withUserWindow([&](Tuser_Form* form) {
            withDialog(form->ToolButton1, [&](TuseraddForm* d) {
                ShellTestDb::typeText(d->DBEdit1, code);
                ShellTestDb::typeText(d->DBEdit2, QStringLiteral("新人"));
                ShellTestDb::typeText(d->DBEdit3, password);
                ShellTestDb::typeText(d->MaskEdit1, confirm);
                QTest::mouseClick(d->Button1, Qt::LeftButton);
                if (message.isEmpty()) {
                    QVERIFY(AdminTestBed::shownTexts().isEmpty());
                    QVERIFY(!d->isVisible());
                } else {
                    QCOMPARE(AdminTestBed::shownTexts(), QStringList{message});
                    QVERIFY(d->isVisible());
                    QTest::mouseClick(d->Button2, Qt::LeftButton);
                }
            });
        });
        if (message.isEmpty()) {
            QCOMPARE(bed.count(QStringLiteral("select count(*) from S_用户表")), 3);
            const QString stored = LoginRules::trimBlanks(code);
            FreeQuery q(bed.dm().ADOConnection1);
            q.setSql(QStringLiteral("select 用户口令 from S_用户表 where 用户代码=:c"));
            q.setParam(QStringLiteral("c"), stored);
            q.open();
            QCOMPARE(q.recordCount(), 1);
            QVERIFY(PasswordHash::verify(q.text(QStringLiteral("用户口令")), password));
        } else {
            QCOMPARE(bed.count(QStringLiteral("select count(*) from S_用户表")), 2);
        }
    }

    // 改密: an untouched password stays exactly as stored; a new one is hashed; the own row's new
    // password counts at once in memory.
    void passwordChange_data() {
        QTest::addColumn<QString>("stored");   // "hash" or the password stored as typed
        QTest::addColumn<QString>("newName");  // empty: name untouched
        QTest::addColumn<QString>("password"); // null: password untouched
        QTest::addColumn<bool>("ownRow");
        QTest::newRow("name only, hashed password kept") << "hash"
                                                         << "李文华" << QString() << false;
        QTest::newRow("name only, typed password kept") << "old"
                                                        << "李文华" << QString() << false;
        QTest::newRow("new password for another user") << "old"
                                                       << ""
                                                       << "n3w" << false;
        QTest::newRow("new password with blanks, own row") << "hash"
                                                           << ""
                                                           << " n3w " << true;
        QTest::newRow("empty password, own row") << "hash"
                                                 << ""
                                                 << "" << true;
    }
    void passwordChange() {
        QFETCH_GLOBAL(QString, engine);
        QFETCH(QString, stored);
        QFETCH(QString, newName);
        QFETCH(QString, password);
        QFETCH(bool, ownRow);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        const QString before =
            stored == QLatin1String("hash") ? PasswordHash::hash(QStringLiteral("old")) : stored;
        const int admin = bed.addUser(QStringLiteral("admin"), PasswordHash::hash(QString()),
                                      QStringLiteral("王经理"), kAdmin);
        const int li =
            bed.addUser(QStringLiteral("li"), before, QStringLiteral("李文"), ownRow ? kAdmin : kOperator);
        bed.logIn(ownRow ? li : admin);
        withUserWindow([&](Tuser_Form* form) {
            QVERIFY(form->dxDBGrid1->locate(li));
            withDialog(form->ToolButton5, [&](TuseraddForm* d) {
                QCOMPARE(d->MaskEdit1->text(), before);
                if (!newName.isEmpty())
                    retype(d->DBEdit2, newName);
                if (!password.isNull()) {
                    retype(d->DBEdit3, password);
                    retype(d->MaskEdit1, password);
                }
                QTest::mouseClick(d->Button1, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
        });
        QVERIFY(AdminTestBed::shownTexts().isEmpty());
        const QString now = bed.userValue(li, QStringLiteral("用户口令"));
        if (password.isNull()) {
            QCOMPARE(now, before);
        } else {
            QVERIFY(PasswordHash::isHash(now));
            QVERIFY(PasswordHash::verify(now, password.trimmed()));
        }
        if (!newName.isEmpty())
            QCOMPARE(bed.userValue(li, QStringLiteral("用户姓名")), newName);
        QCOMPARE(bed.userValue(li, QStringLiteral("用户代码")), QStringLiteral("li"));
        if (ownRow) {
            QCOMPARE(CurrentUser.UserPassword, now);
            QCOMPARE(LoginRules::unlockRefusal(CurrentUser, QStringLiteral("li"), password), QString());
        }
    }

    // A database error on save: "保存失败!!!", the dialog stays with what was typed, and a corrected
    // save goes through.
    void saveFailureKeepsTheDialog() {
        QFETCH_GLOBAL(QString, engine);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        bed.logIn(bed.addUser(QStringLiteral("admin"), PasswordHash::hash(QString()),
                              QStringLiteral("王经理"), kAdmin));
        bed.exec(QStringLiteral("create unique index ux_用户姓名 on S_用户表 (用户姓名)"));
        withUserWindow([&](Tuser_Form* form) {
            withDialog(form->ToolButton1, [&](TuseraddForm* d) {
                ShellTestDb::typeText(d->DBEdit1, QStringLiteral("wang2"));
                ShellTestDb::typeText(d->DBEdit2, QStringLiteral("王经理"));
                ShellTestDb::typeText(d->DBEdit3, QStringLiteral("pw"));
                ShellTestDb::typeText(d->MaskEdit1, QStringLiteral("pw"));
                QTest::mouseClick(d->Button1, Qt::LeftButton);
                QCOMPARE(AdminTestBed::shownTexts(), QStringList{"保存失败!!!"});
                QVERIFY(d->isVisible());
                QCOMPARE(d->DBEdit3->text(), QStringLiteral("pw"));
                retype(d->DBEdit2, QStringLiteral("王二"));
                QTest::mouseClick(d->Button1, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
        });
        QCOMPARE(AdminTestBed::shownTexts(), QStringList{"保存失败!!!"});
        QVERIFY(PasswordHash::verify(
            bed.column(QStringLiteral("select 用户口令 from S_用户表 where 用户代码='wang2'")),
            QStringLiteral("pw")));
    }

    void deleting_data() {
        QTest::addColumn<QString>("target"); // me, boss, li
        QTest::addColumn<bool>("maintenance");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("own row") << "me" << false << true << "不能删除当前登录的用户!!!" << false;
        QTest::newRow("the other administrator") << "boss" << false << true << "" << true;
        QTest::newRow("the last administrator")
            << "boss" << true << true << "不能删除最后一个管理员!!!" << false;
        QTest::newRow("an operator, No") << "li" << false << false << "" << false;
        QTest::newRow("an operator, Yes") << "li" << false << true << "" << true;
    }
    void deleting() {
        QFETCH_GLOBAL(QString, engine);
        QFETCH(QString, target);
        QFETCH(bool, maintenance);
        QFETCH(bool, yes);
        QFETCH(QString, message);
        QFETCH(bool, deleted);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        const int boss =
            bed.addUser(QStringLiteral("boss"), QStringLiteral("b"), QStringLiteral("老板"), kAdmin);
        const int li =
            bed.addUser(QStringLiteral("li"), QStringLiteral("l"), QStringLiteral("李文"), kOperator);
        int me = 0;
        if (maintenance) {
            AppGlobals.MaintenanceLogin = true;
            CurrentUser = LoginRules::maintenanceUser();
        } else {
            me = bed.addUser(QStringLiteral("me"), QStringLiteral("m"), QStringLiteral("我"), kAdmin);
            bed.logIn(me);
        }
        const int id = target == QLatin1String("me") ? me : target == QLatin1String("boss") ? boss : li;
        withUserWindow([&](Tuser_Form* form) {
            QVERIFY(form->dxDBGrid1->locate(id));
            const QString name = form->QryData->text(QStringLiteral("用户姓名"));
            MessageBoxService::queueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
            QTest::keyClick(form->dxDBGrid1, Qt::Key_F4);
            if (message.isEmpty()) {
                QCOMPARE(MessageBoxService::shown().size(), 1);
                QCOMPARE(MessageBoxService::last().text,
                         QStringLiteral("确认要删除") + name + QStringLiteral("用户吗?"));
                QCOMPARE(MessageBoxService::last().icon, MsgIcon::Warning);
                QCOMPARE(MessageBoxService::last().buttons, MsgButtons::YesNo);
            } else {
                QCOMPARE(AdminTestBed::shownTexts(), QStringList{message});
            }
            QCOMPARE(form->dxDBGrid1->viewRowCount(),
                     bed.count(QStringLiteral("select count(*) from S_用户表")));
        });
        QCOMPARE(bed.userValue(id, QStringLiteral("编号")) == QLatin1String("<none>"), deleted);
    }
};

QTEST_MAIN(TestUserWindows)
#include "tst_UserWindows.moc"

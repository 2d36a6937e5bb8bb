#include "LoginRules.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PasswordHash.h"
#include "ProgramEnd.h"
#include "ShellTestDb.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"
#include "TestSupport.h"
#include "TsyssdForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
TUser clerk() {
    TUser u;
    u.UserId = 7;
    u.UserCode = QStringLiteral("li");
    u.UserFullName = QStringLiteral("李文");
    u.UserPassword = QStringLiteral(" pw ");
    u.UserType = QStringLiteral("操作员");
    return u;
}
} // namespace

class TestLockWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ShellTestDb::resetGlobals(); }

    void looksAsDesigned() {
        TsyssdForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("系统锁定"));
        QCOMPARE(form.size(), QSize(269, 132));
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(form.Password_Edit->echoMode(), QLineEdit::Password);
        QCOMPARE(form.Username_Edit->echoMode(), QLineEdit::Normal);
        QVERIFY(form.OKButton1->isDefault());
        QCOMPARE(form.CancelButton2->text(), QStringLiteral("退出系统"));
    }

    // Only the logged-in user's code and password return, compared as the login compares them.
    void returning_data() {
        QTest::addColumn<bool>("maintenance");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("enter"); // Enter in the password edit, else the button
        QTest::addColumn<QString>("message");
        const QString none = "没有该用户!!!";
        const QString wrong = "错误的密码!!!";
        QTest::newRow("own code and password") << false << "li"
                                               << "pw" << true << "";
        QTest::newRow("with blanks, by button") << false << " li "
                                                << "  pw" << false << "";
        QTest::newRow("empty edits") << false << ""
                                     << "" << true << none;
        QTest::newRow("another user's code") << false << "admin"
                                             << "pw" << true << none;
        QTest::newRow("code in other case") << false << "LI"
                                            << "pw" << true << none;
        QTest::newRow("wrong password") << false << "li"
                                        << "px" << true << wrong;
        QTest::newRow("password in other case") << false << "li"
                                                << "PW" << true << wrong;
        QTest::newRow("SQL in the password") << false << "li"
                                             << "' or '1'='1" << true << wrong;
        QTest::newRow("hashed: own code and password") << false << " li "
                                                       << " pw " << true << "";
        QTest::newRow("hashed: password in other case") << false << "li"
                                                        << "PW" << true << wrong;
        QTest::newRow("hashed: the hash typed")
            << false << "li" << PasswordHash::hash(QStringLiteral("pw")) << true << wrong;
        QTest::newRow("maintenance code for a clerk") << false << "甄维序2047"
                                                      << "" << true << none;
        QTest::newRow("maintenance, any password") << true << "甄维序2047"
                                                   << "随便" << true << "";
        QTest::newRow("maintenance with a blank") << true << "甄维序2047 "
                                                  << "" << true << none;
        QTest::newRow("maintenance user, another code") << true << "admin"
                                                        << "" << true << none;
    }
    void returning() {
        QFETCH(bool, maintenance);
        QFETCH(QString, code);
        QFETCH(QString, password);
        QFETCH(bool, enter);
        QFETCH(QString, message);
        GuiTestScope scope;
        AppGlobals.MaintenanceLogin = true;
        CurrentUser = maintenance ? LoginRules::maintenanceUser() : clerk();
        // Since the login stores hashes, the password in memory is one.
        if (QByteArray(QTest::currentDataTag()).startsWith("hashed"))
            CurrentUser.UserPassword = PasswordHash::hash(QStringLiteral("pw"));
        TsyssdForm form;
        QSignalSpy unlocked(&form, &TsyssdForm::unlocked);
        bool openAfter = false;
        ModalSeam::drive([&](QWidget*) {
            ShellTestDb::typeText(form.Username_Edit, code);
            ShellTestDb::typeText(form.Password_Edit, password);
            if (enter)
                QTest::keyClick(form.Password_Edit, Qt::Key_Return);
            else
                QTest::mouseClick(form.OKButton1, Qt::LeftButton);
            openAfter = form.isVisible();
        });
        const int result = ModalSeam::exec(&form);
        if (message.isEmpty()) {
            QVERIFY(MessageBoxService::shown().isEmpty());
            QVERIFY(!openAfter);
            QCOMPARE(result, int(QDialog::Accepted));
            QCOMPARE(unlocked.count(), 1);
        } else {
            QCOMPARE(MessageBoxService::shown().size(), 1);
            QCOMPARE(MessageBoxService::last().text, message);
            QCOMPARE(MessageBoxService::last().caption, QStringLiteral("提示"));
            QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
            QVERIFY(openAfter);
            QCOMPARE(unlocked.count(), 0);
            QCOMPARE(result, int(QDialog::Rejected));
        }
    }

    void escapeDoesNotUnlock() {
        GuiTestScope scope;
        CurrentUser = clerk();
        TsyssdForm form;
        QSignalSpy unlocked(&form, &TsyssdForm::unlocked);
        bool openAfter = false;
        ModalSeam::drive([&](QWidget*) {
            QTest::keyClick(form.Username_Edit, Qt::Key_Escape);
            form.close();
            openAfter = form.isVisible();
        });
        ModalSeam::exec(&form);
        QVERIFY(openAfter);
        QCOMPARE(unlocked.count(), 0);
    }

    // The password that opened the lock last time is not waiting in the edit next time.
    void editsAreEmptyEachTime() {
        GuiTestScope scope;
        CurrentUser = clerk();
        TsyssdForm form;
        ModalSeam::drive([&](QWidget*) {
            ShellTestDb::typeText(form.Username_Edit, QStringLiteral("li"));
            ShellTestDb::typeText(form.Password_Edit, QStringLiteral("pw"));
            QTest::mouseClick(form.OKButton1, Qt::LeftButton);
        });
        QCOMPARE(ModalSeam::exec(&form), int(QDialog::Accepted));
        QString code, password;
        ModalSeam::drive([&](QWidget*) {
            code = form.Username_Edit->text();
            password = form.Password_Edit->text();
            QTest::keyClick(form.Password_Edit, Qt::Key_Return);
        });
        QCOMPARE(ModalSeam::exec(&form), int(QDialog::Rejected));
        QCOMPARE(code, QString());
        QCOMPARE(password, QString());
        QCOMPARE(MessageBoxService::last().text, QStringLiteral("没有该用户!!!"));
    }

    void leavingTheProgram_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no stays") << false;
        QTest::newRow("yes ends") << true;
    }
    void leavingTheProgram() {
        QFETCH(bool, yes);
        GuiTestScope scope;
        ShellTestDb db;
        CurrentUser = clerk();
        TsyssdForm form;
        QSignalSpy unlocked(&form, &TsyssdForm::unlocked);
        bool openAfter = false;
        MessageBoxService::queueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        ModalSeam::drive([&](QWidget*) {
            QTest::mouseClick(form.CancelButton2, Qt::LeftButton);
            openAfter = form.isVisible();
            if (yes)
                QTRY_VERIFY(!form.isVisible()); // the end request closes the modal window
        });
        ModalSeam::exec(&form);
        QCOMPARE(MessageBoxService::last().text, QStringLiteral("真的要退出系统吗？"));
        QVERIFY(openAfter);
        QCOMPARE(ProgramEnd::requested(), yes);
        QCOMPARE(db.dm().ADOConnection1.isOpen(), !yes);
        QCOMPARE(unlocked.count(), 0);
    }
};

QTEST_MAIN(TestLockWindow)
#include "tst_LockWindow.moc"

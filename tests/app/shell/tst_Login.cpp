#include "DateText.h"
#include "FreeQuery.h"
#include "MessageBoxService.h"
#include "PasswordHash.h"
#include "ProgramEnd.h"
#include "ProgramLauncher.h"
#include "ShellTestDb.h"
#include "TLoginWin.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <algorithm>

namespace {
// "code|password|name|type" per row.
void addUsers(ShellTestDb& db, const QStringList& users) {
    for (const QString& u : users) {
        const QStringList f = u.split(u'|');
        FreeQuery q(db.dm().ADOConnection1);
        q.setSql(
            QStringLiteral("insert into S_用户表 (用户代码,用户口令,用户姓名,类型) values (:c,:p,:n,:t)"));
        q.setParam(QStringLiteral("c"), f.value(0));
        q.setParam(QStringLiteral("p"), f.value(1));
        q.setParam(QStringLiteral("n"), f.value(2));
        q.setParam(QStringLiteral("t"), f.value(3));
        q.execute();
    }
}

void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    const bool control = std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
    if (text.size() > 200 || control)
        edit->setText(text); // ten thousand keys or a tab typed prove nothing more
    else
        ShellTestDb::typeText(edit, text);
}
} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ProgramLauncher::setStarter([](const QString&, const QStringList&) { return true; });
    }
    void cleanup() { ProgramLauncher::resetStarter(); }

    void cases_data() {
        QTest::addColumn<QStringList>("users");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message"); // empty: logged in
        QTest::addColumn<QString>("userCode");
        QTest::addColumn<QString>("fullName");
        QTest::addColumn<QString>("storedPassword");
        QTest::addColumn<int>("usersAfter");

        const QStringList staff{"admin|secret|王经理|管理员", "li| pw |李文|操作员", "Zhao|Key9|赵敏|操作员",
                                "o'brien|p'w|欧布|操作员"};
        const QString none = "没有该用户!!!";
        const QString wrong = "错误的密码!!!";
        QTest::newRow("exact") << staff << "admin"
                               << "secret"
                               << ""
                               << "admin"
                               << "王经理"
                               << "secret" << 4;
        QTest::newRow("code with blanks around") << staff << " admin "
                                                 << "secret"
                                                 << ""
                                                 << "admin"
                                                 << "王经理"
                                                 << "secret" << 4;
        QTest::newRow("code with tab") << staff << "\tadmin"
                                       << "secret"
                                       << ""
                                       << "admin"
                                       << "王经理"
                                       << "secret" << 4;
        QTest::newRow("typed password with blanks") << staff << "admin"
                                                    << "  secret "
                                                    << ""
                                                    << "admin"
                                                    << "王经理"
                                                    << "secret" << 4;
        QTest::newRow("stored password with blanks") << staff << "li"
                                                     << "pw"
                                                     << ""
                                                     << "li"
                                                     << "李文"
                                                     << " pw " << 4;
        QTest::newRow("full-width blank is text") << staff << QString("admin\u3000") << "secret" << none << ""
                                                  << ""
                                                  << "" << 4;
        QTest::newRow("code in other case") << staff << "zhao"
                                            << "Key9" << none << ""
                                            << ""
                                            << "" << 4;
        QTest::newRow("password in other case") << staff << "Zhao"
                                                << "key9" << wrong << ""
                                                << ""
                                                << "" << 4;
        QTest::newRow("part of a code") << staff << "adm"
                                        << "secret" << none << ""
                                        << ""
                                        << "" << 4;
        QTest::newRow("wrong password") << staff << "admin"
                                        << "secrets" << wrong << ""
                                        << ""
                                        << "" << 4;
        QTest::newRow("empty password for a set one") << staff << "admin"
                                                      << "" << wrong << ""
                                                      << ""
                                                      << "" << 4;
        QTest::newRow("unknown user") << staff << "zhang"
                                      << "x" << none << ""
                                      << ""
                                      << "" << 4;
        QTest::newRow("empty code") << staff << ""
                                    << "" << none << ""
                                    << ""
                                    << "" << 4;
        QTest::newRow("quotes are text") << staff << "o'brien"
                                         << "p'w"
                                         << ""
                                         << "o'brien"
                                         << "欧布"
                                         << "p'w" << 4;
        QTest::newRow("SQL in the code") << staff << "admin' --"
                                         << "" << none << ""
                                         << ""
                                         << "" << 4;
        QTest::newRow("SQL in the password") << staff << "admin"
                                             << "' or '1'='1" << wrong << ""
                                             << ""
                                             << "" << 4;
        QTest::newRow("SQL statement in the code") << staff << "x'; delete from S_用户表; --"
                                                   << "x" << none << ""
                                                   << ""
                                                   << "" << 4;
        QTest::newRow("very long code") << staff << QString(10000, u'码') << "x" << none << ""
                                        << ""
                                        << "" << 4;
        QTest::newRow("very long password") << staff << "admin" << QString(10000, u'x') << wrong << ""
                                            << ""
                                            << "" << 4;
        QTest::newRow("maintenance, any password") << staff << "甄维序2047"
                                                   << "whatever"
                                                   << ""
                                                   << "甄维序2047"
                                                   << "甄维序"
                                                   << "" << 4;
        QTest::newRow("maintenance on an empty table adds nobody") << QStringList() << "甄维序2047"
                                                                   << ""
                                                                   << ""
                                                                   << "甄维序2047"
                                                                   << "甄维序"
                                                                   << "" << 0;
        QTest::newRow("maintenance with a trailing blank is an ordinary code") << staff << "甄维序2047 "
                                                                               << "" << none << ""
                                                                               << ""
                                                                               << "" << 4;
        QTest::newRow("maintenance switched off is an ordinary code") << staff << "甄维序2047"
                                                                      << "" << none << ""
                                                                      << ""
                                                                      << "" << 4;
        QTest::newRow("maintenance switched off on an empty table") << QStringList() << "甄维序2047"
                                                                    << "" << none << ""
                                                                    << ""
                                                                    << "" << 1;
        QTest::newRow("empty table: admin with empty password") << QStringList() << "admin"
                                                                << ""
                                                                << ""
                                                                << "admin"
                                                                << "ADMIN"
                                                                << "" << 1;
        QTest::newRow("empty table: another code") << QStringList() << "boss"
                                                   << "x" << none << ""
                                                   << ""
                                                   << "" << 1;
        QTest::newRow("empty table: admin, a password") << QStringList() << "admin"
                                                        << "x" << wrong << ""
                                                        << ""
                                                        << "" << 1;
    }
    void cases() {
        QFETCH(QStringList, users);
        QFETCH(QString, code);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QString, userCode);
        QFETCH(QString, fullName);
        QFETCH(QString, storedPassword);
        QFETCH(int, usersAfter);
        GuiTestScope scope;
        ShellTestDb db;
        // This workstation allows the maintenance login (MyConnect.ini), except where a row says off.
        AppGlobals.MaintenanceLogin = !QByteArray(QTest::currentDataTag()).contains("switched off");
        addUsers(db, users);
        TLoginWin login;
        QSignalSpy loggedIn(&login, &TLoginWin::loggedIn);
        login.show();
        QVERIFY(MessageBoxService::shown().isEmpty());

        type(login.LoginName_Edit, code);
        type(login.Password_Edit, password);
        QTest::keyClick(login.Password_Edit, Qt::Key_Return);

        QCOMPARE(db.count(QStringLiteral("select count(*) from S_用户表")), usersAfter);
        if (message.isEmpty()) {
            QVERIFY(MessageBoxService::shown().isEmpty());
            QCOMPARE(loggedIn.count(), 1);
            QVERIFY(!login.isVisible());
            QCOMPARE(CurrentUser.UserCode, userCode);
            QCOMPARE(CurrentUser.UserFullName, fullName);
            if (userCode == "甄维序2047") {
                QCOMPARE(CurrentUser.UserPassword, storedPassword);
                QCOMPARE(CurrentUser.UserId, 9999);
                QCOMPARE(CurrentUser.UserType, QStringLiteral("管理员"));
            } else {
                FreeQuery q(db.dm().ADOConnection1);
                q.setSql(QStringLiteral("select 编号, 类型, 用户口令 from S_用户表 where 用户代码=:c"));
                q.setParam(QStringLiteral("c"), userCode);
                q.open();
                QCOMPARE(CurrentUser.UserId, q.value(0).toInt());
                QCOMPARE(CurrentUser.UserType, q.text(QStringLiteral("类型")));
                // A password stored as typed is a hash from this login on, in the table and in memory.
                QCOMPARE(CurrentUser.UserPassword, q.text(QStringLiteral("用户口令")));
                QVERIFY(PasswordHash::isHash(CurrentUser.UserPassword));
                QVERIFY(PasswordHash::verify(CurrentUser.UserPassword, storedPassword.trimmed()));
            }
            // The system parameters are loaded as part of the login.
            QCOMPARE(AppGlobals.LeaseCommission, 50);
            QCOMPARE(AppGlobals.CompanyName, QStringLiteral("恒信房屋中介服务有限公司"));
        } else {
            QCOMPARE(MessageBoxService::shown().size(), 1);
            QCOMPARE(MessageBoxService::last().text, message);
            QCOMPARE(MessageBoxService::last().caption, QStringLiteral("提示"));
            QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
            QCOMPARE(loggedIn.count(), 0);
            QVERIFY(login.isVisible());
            QCOMPARE(login.LoginName_Edit->text(), code);
            QCOMPARE(login.Password_Edit->text(), password);
            QCOMPARE(CurrentUser.UserCode, QString());
        }
        if (usersAfter == 1 && users.isEmpty()) {
            FreeQuery q(db.dm().ADOConnection1);
            q.setSql(QStringLiteral("select 用户代码,用户姓名,用户口令,类型 from S_用户表"));
            q.open();
            QCOMPARE(q.text(QStringLiteral("用户代码")), QStringLiteral("admin"));
            QCOMPARE(q.text(QStringLiteral("用户姓名")), QStringLiteral("ADMIN"));
            QVERIFY(PasswordHash::isHash(q.text(QStringLiteral("用户口令"))));
            QVERIFY(PasswordHash::verify(q.text(QStringLiteral("用户口令")), QString()));
            QCOMPARE(q.text(QStringLiteral("类型")), QStringLiteral("管理员"));
        }
    }

    void withoutAConnectionNothingHappens() {
        GuiTestScope scope;
        ShellTestDb db;
        AppGlobals.MaintenanceLogin = true;
        db.dm().ADOConnection1.close();
        TLoginWin login;
        QSignalSpy loggedIn(&login, &TLoginWin::loggedIn);
        login.show();
        ShellTestDb::typeText(login.LoginName_Edit, QStringLiteral("甄维序2047"));
        QTest::mouseClick(login.BtOK, Qt::LeftButton);
        QCOMPARE(loggedIn.count(), 0);
        QVERIFY(login.isVisible());
        QVERIFY(MessageBoxService::shown().isEmpty());
    }

    // A database error shows the error box; the window stays and works once the database does.
    void databaseErrorLeavesTheWindowUsable() {
        GuiTestScope scope;
        ShellTestDb db;
        db.exec(QStringLiteral("alter table S_用户表 rename to S_用户表_x"));
        TLoginWin login;
        QSignalSpy loggedIn(&login, &TLoginWin::loggedIn);
        login.show();
        ShellTestDb::typeText(login.LoginName_Edit, QStringLiteral("admin"));
        QTest::mouseClick(login.BtOK, Qt::LeftButton);
        QCOMPARE(MessageBoxService::shown().size(), 1);
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
        QVERIFY(MessageBoxService::last().text.contains(QStringLiteral("S_用户表")));
        QVERIFY(login.isVisible());
        QCOMPARE(loggedIn.count(), 0);

        db.exec(QStringLiteral("alter table S_用户表_x rename to S_用户表"));
        QTest::mouseClick(login.BtOK, Qt::LeftButton);
        QCOMPARE(loggedIn.count(), 1);
        QCOMPARE(CurrentUser.UserCode, QStringLiteral("admin"));
    }

    void parametersFailingKeepTheLoginWindow() {
        GuiTestScope scope;
        ShellTestDb db;
        AppGlobals.MaintenanceLogin = true;
        db.exec(QStringLiteral("alter table S_企业信息 rename to S_企业信息_x"));
        TLoginWin login;
        QSignalSpy loggedIn(&login, &TLoginWin::loggedIn);
        login.show();
        ShellTestDb::typeText(login.LoginName_Edit, QStringLiteral("甄维序2047"));
        QTest::mouseClick(login.BtOK, Qt::LeftButton);
        QCOMPARE(MessageBoxService::shown().size(), 1);
        QVERIFY(login.isVisible());
        QCOMPARE(loggedIn.count(), 0);
    }

    void enterKeys() {
        GuiTestScope scope;
        ShellTestDb db;
        addUsers(db, {"admin|a|王经理|管理员"});
        TLoginWin login;
        QSignalSpy loggedIn(&login, &TLoginWin::loggedIn);
        login.show();
        QApplication::setActiveWindow(&login);
        QVERIFY(QTest::qWaitForWindowActive(&login));
        login.LoginName_Edit->setFocus();
        ShellTestDb::typeText(login.LoginName_Edit, QStringLiteral("admin"));
        QTest::keyClick(login.LoginName_Edit, Qt::Key_Return);
        QVERIFY(login.Password_Edit->hasFocus());
        QCOMPARE(loggedIn.count(), 0);
        ShellTestDb::typeText(login.Password_Edit, QStringLiteral("a"));
        QTest::keyClick(login.Password_Edit, Qt::Key_Enter);
        QCOMPARE(loggedIn.count(), 1);
    }

    void cancelAsksFirst_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no keeps the window") << false;
        QTest::newRow("yes ends the program") << true;
    }
    void cancelAsksFirst() {
        QFETCH(bool, yes);
        GuiTestScope scope;
        ShellTestDb db;
        TLoginWin login;
        login.show();
        MessageBoxService::queueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        QTest::mouseClick(login.BtCanCel, Qt::LeftButton);
        QCOMPARE(MessageBoxService::last().text, QStringLiteral("真的要退出吗？"));
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Question);
        QCOMPARE(MessageBoxService::last().buttons, MsgButtons::YesNo);
        QCOMPARE(login.isVisible(), !yes);
        QCOMPARE(ProgramEnd::requested(), yes);
    }

    void looksAsDesigned() {
        ShellTestDb db;
        DateText::setShortFormat(QStringLiteral("d/M/yy"));
        TLoginWin login;
        QCOMPARE(DateText::shortFormat(), QStringLiteral("yyyy-MM-dd"));
        login.show();
        QCOMPARE(login.windowTitle(), QStringLiteral("登录窗口"));
        QCOMPARE(login.size(), QSize(300, 190));
        QVERIFY(!(login.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(login.Image1->height(), 62);
        QVERIFY(!login.Image1->pixmap().isNull());
        QCOMPARE(login.Password_Edit->echoMode(), QLineEdit::Normal);
        QCOMPARE(login.BtOK->text(), QStringLiteral("确定"));
        QCOMPARE(login.BtCanCel->text(), QStringLiteral("取消"));
    }

    // The banner comes from the working directory first, else from the program folder.
    void bannerFromTheWorkingDirectory() {
        ShellTestDb db;
        QTemporaryDir work;
        QImage red(300, 62, QImage::Format_RGB32);
        red.fill(Qt::red);
        QDir(work.path()).mkpath(QStringLiteral("image"));
        QVERIFY(red.save(work.filePath(QStringLiteral("image/star.bmp")), "BMP"));
        const QString before = QDir::currentPath();
        QDir::setCurrent(work.path());
        TLoginWin login;
        login.show();
        QDir::setCurrent(before);
        QCOMPARE(login.Image1->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
    }

    // No banner anywhere: the error box, the window still shows, and the date test is skipped.
    void missingBannerSkipsTheRestOfTheShow() {
        GuiTestScope scope;
        ShellTestDb db;
        QFile::remove(db.programDir() + QStringLiteral("/image/star.bmp"));
        int started = 0;
        ProgramLauncher::setStarter([&](const QString&, const QStringList&) { return ++started, true; });
        TLoginWin login;
        DateText::setShortFormat(QStringLiteral("M/d/yy")); // always under ten characters
        login.show();
        QVERIFY(login.isVisible());
        QCOMPARE(MessageBoxService::shown().size(), 1);
        QVERIFY(MessageBoxService::last().text.contains(QStringLiteral("image/star.bmp")));
        QCOMPARE(started, 0);
        QVERIFY(!ProgramEnd::requested());
    }

    // A running instance with a short date format starts itself again, once.
    void dateTestRestartsOnce_data() {
        QTest::addColumn<bool>("alreadyRestarted");
        QTest::newRow("first start") << false;
        QTest::newRow("the restarted instance") << true;
    }
    void dateTestRestartsOnce() {
        QFETCH(bool, alreadyRestarted);
        GuiTestScope scope;
        ShellTestDb db;
        QStringList started;
        QByteArray markerSeen;
        ProgramLauncher::setStarter([&](const QString& program, const QStringList& args) {
            started << program << args;
            markerSeen = qgetenv(TLoginWin::restartMarker());
            return true;
        });
        if (alreadyRestarted)
            qputenv(TLoginWin::restartMarker(), "1");
        TLoginWin login;
        QVERIFY(!qEnvironmentVariableIsSet(TLoginWin::restartMarker())); // not passed on to other programs
        DateText::setShortFormat(QStringLiteral("M/d/yy"));              // always under ten characters
        login.show();
        DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
        QVERIFY(login.isVisible());
        QVERIFY(MessageBoxService::shown().isEmpty());
        if (alreadyRestarted) {
            QVERIFY(started.isEmpty());
            QVERIFY(!ProgramEnd::requested());
        } else {
            QCOMPARE(started, QStringList{QCoreApplication::applicationFilePath()});
            QCOMPARE(markerSeen, QByteArray("1"));
            QVERIFY(ProgramEnd::requested());
            QVERIFY(!qEnvironmentVariableIsSet(TLoginWin::restartMarker()));
        }
    }

    void forcedFormatNeedsNoRestart() {
        GuiTestScope scope;
        ShellTestDb db;
        int started = 0;
        ProgramLauncher::setStarter([&](const QString&, const QStringList&) { return ++started, true; });
        TLoginWin login;
        login.show();
        QCOMPARE(started, 0);
        QVERIFY(!ProgramEnd::requested());
        QCOMPARE(DateText::today(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    }
};

QTEST_MAIN(TestLogin)
#include "tst_Login.moc"

#include "AdminTestBed.h"
#include "LoginRules.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PasswordHash.h"
#include "TModifyPassWordFrm.h"
#include "TUser.h"
#include "TestSupport.h"
#include "TsyssdForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {
void withDialog(const std::function<void(TModifyPassWordFrm*)>& body) {
    AdminTestBed::withModal<TModifyPassWordFrm>(body, [] { ShowModifyPassWordForm(); });
}

// Types the old password and Enter, then (when it was accepted) the new one twice and 确定.
void change(TModifyPassWordFrm* d, const QString& oldPassword, const QString& newPassword,
            const QString& verify) {
    ShellTestDb::typeText(d->EdtOld, oldPassword);
    QTest::keyClick(d->EdtOld, Qt::Key_Return);
    if (!d->EdtNew->isEnabled())
        return;
    ShellTestDb::typeText(d->EdtNew, newPassword);
    QTest::keyClick(d->EdtNew, Qt::Key_Return);
    ShellTestDb::typeText(d->EdtVerify, verify);
    QTest::keyClick(d->EdtVerify, Qt::Key_Return);
    QTest::mouseClick(d->BtnOK, Qt::LeftButton);
}
} // namespace

class TestModifyPassword : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { AdminTestBed::addEngineRows(); }

    // The password cases, with the stored password a hash ("Secret") or, from an older program,
    // the password as typed (" Secret ").
    void cases_data() {
        QTest::addColumn<bool>("hashed");
        QTest::addColumn<bool>("missingRow");
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("verify");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("stored"); // what the new password is; null: unchanged
        const QStringList ok{"密码修改成功！"};
        const QStringList wrongOld{"原密码输入错误!"};
        const QStringList mismatch{"密码校验不正确，请重新输入!"};
        for (bool hashed : {true, false}) {
            const QByteArray k = hashed ? "hashed: " : "typed: ";
            QTest::newRow(k + "plain change") << hashed << false << "Secret"
                                              << "n3w"
                                              << "n3w" << ok << "n3w";
            QTest::newRow(k + "old password with blanks") << hashed << false << "  Secret "
                                                          << "n3w"
                                                          << "n3w" << ok << "n3w";
            QTest::newRow(k + "old password in other case") << hashed << false << "SECRET"
                                                            << "n3w"
                                                            << "n3w" << wrongOld << QString();
            QTest::newRow(k + "wrong old password") << hashed << false << "secrets"
                                                    << "n3w"
                                                    << "n3w" << wrongOld << QString();
        }
        QTest::newRow("new and verify differ in case only") << true << false << "Secret"
                                                            << "NewPw"
                                                            << "newpw" << ok << "NewPw";
        QTest::newRow("new password with blanks") << true << false << "Secret"
                                                  << "  n3w  "
                                                  << "n3w" << ok << "n3w";
        QTest::newRow("empty new password") << true << false << "Secret"
                                            << ""
                                            << "" << ok << "";
        QTest::newRow("new and verify differ") << true << false << "Secret"
                                               << "abc"
                                               << "abd" << mismatch << QString();
        QTest::newRow("new password too long")
            << true << false << "Secret" << QString(21, u'p') << QString(21, u'p')
            << QStringList{"新密码不能超过20个字符!!!"} << QString();
        QTest::newRow("quotes and SQL are text") << true << false << "Secret"
                                                 << "' or '1'='1"
                                                 << "' OR '1'='1" << ok << "' or '1'='1";
        QTest::newRow("no row with the user id") << true << true << "Secret"
                                                 << "n3w"
                                                 << "n3w" << ok << QString();
    }
    void cases() {
        QFETCH_GLOBAL(QString, engine);
        QFETCH(bool, hashed);
        QFETCH(bool, missingRow);
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, verify);
        QFETCH(QStringList, messages);
        QFETCH(QString, stored);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        const QString before =
            hashed ? PasswordHash::hash(QStringLiteral("Secret")) : QStringLiteral(" Secret ");
        const int li =
            bed.addUser(QStringLiteral("li"), before, QStringLiteral("李文"), QStringLiteral("操作员"));
        const int other = bed.addUser(QStringLiteral("zhao"), QStringLiteral("z"), QStringLiteral("赵敏"),
                                      QStringLiteral("操作员"));
        bed.logIn(li);
        if (missingRow)
            bed.exec(QStringLiteral("delete from S_用户表 where 用户代码='li'"));
        bool stillOpen = false;
        withDialog([&](TModifyPassWordFrm* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("密码修改"));
            QVERIFY(!d->EdtNew->isEnabled() && !d->EdtVerify->isEnabled() && !d->BtnOK->isEnabled());
            change(d, oldPassword, newPassword, verify);
            stillOpen = d->isVisible();
            if (messages == QStringList{"原密码输入错误!"}) {
                QCOMPARE(d->EdtOld->text(), QString());
                QVERIFY(!d->EdtNew->isEnabled());
            }
            if (messages == QStringList{"密码校验不正确，请重新输入!"}) {
                QCOMPARE(d->EdtNew->text(), QString());
                QCOMPARE(d->EdtVerify->text(), QString());
            }
        });
        QCOMPARE(AdminTestBed::shownTexts(), messages);
        QCOMPARE(stillOpen, messages != QStringList{"密码修改成功！"});
        QCOMPARE(bed.userValue(other, QStringLiteral("用户口令")), QStringLiteral("z"));
        const QString now = bed.userValue(li, QStringLiteral("用户口令"));
        if (missingRow) {
            QCOMPARE(now, QStringLiteral("<none>"));
        } else if (stored.isNull()) {
            QCOMPARE(now, before);
            QCOMPARE(CurrentUser.UserPassword, before);
        } else {
            QVERIFY(PasswordHash::isHash(now));
            QVERIFY(PasswordHash::verify(now, stored));
            QCOMPARE(CurrentUser.UserPassword, now);
        }
    }

    // A change counts at once: the lock window opens with the new password only, and a second
    // change in the same login asks for the new one.
    void changeCountsAtOnce() {
        QFETCH_GLOBAL(QString, engine);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        bed.logIn(bed.addUser(QStringLiteral("li"), QStringLiteral("first"), QStringLiteral("李文"),
                              QStringLiteral("操作员")));
        withDialog([&](TModifyPassWordFrm* d) {
            change(d, QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("second"));
        });

        TsyssdForm lock;
        bool openAfterOld = false;
        ModalSeam::drive([&](QWidget*) {
            ShellTestDb::typeText(lock.Username_Edit, QStringLiteral("li"));
            ShellTestDb::typeText(lock.Password_Edit, QStringLiteral("first"));
            QTest::mouseClick(lock.OKButton1, Qt::LeftButton);
            openAfterOld = lock.isVisible();
            lock.Password_Edit->clear();
            ShellTestDb::typeText(lock.Password_Edit, QStringLiteral("second"));
            QTest::mouseClick(lock.OKButton1, Qt::LeftButton);
        });
        QCOMPARE(ModalSeam::exec(&lock), int(QDialog::Accepted));
        QVERIFY(openAfterOld);
        QCOMPARE(AdminTestBed::shownTexts(), (QStringList{"密码修改成功！", "错误的密码!!!"}));

        MessageBoxService::clearShown();
        withDialog([&](TModifyPassWordFrm* d) {
            change(d, QStringLiteral("first"), QStringLiteral("x"), QStringLiteral("x"));
            change(d, QStringLiteral("second"), QStringLiteral("third"), QStringLiteral("third"));
        });
        QCOMPARE(AdminTestBed::shownTexts(), (QStringList{"原密码输入错误!", "密码修改成功！"}));
        QVERIFY(LoginRules::passwordMatches(CurrentUser.UserPassword, QStringLiteral("third")));
    }
};

QTEST_MAIN(TestModifyPassword)
#include "tst_ModifyPassword.moc"

#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ProfileFile.h"
#include "ShellTestDb.h"
#include "TSetConfigFrm.h"
#include "TSetValue.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class TestSetConfigFrm : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    void writeIni(const QByteArray& text) {
        QFile f(m_dir.filePath(QStringLiteral("MyConnect.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    ProfileFile ini() { return ProfileFile(m_dir.filePath(QStringLiteral("MyConnect.ini"))); }

private slots:
    void init() {
        QFile::remove(m_dir.filePath(QStringLiteral("MyConnect.ini")));
        ShellTestDb::resetGlobals();
        AppGlobals.AppPath = m_dir.path();
    }

    void looksAsDesigned() {
        TSetConfigFrm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("系统参数设置 "));
        QCOMPARE(form.size(), QSize(310, 189));
        QCOMPARE(form.GroupBox1->title(), QStringLiteral("数据库路径"));
        QCOMPARE(form.GroupBox1->height(), 105);
        QCOMPARE(form.GroupBox2->title(), QStringLiteral("数据库参数设置"));
        QCOMPARE(form.EdtPath->width(), 265);
        QCOMPARE(form.TBData->text(), QStringLiteral("..."));
        QCOMPARE(form.BtnOK->text(), QStringLiteral("确定"));
        QCOMPARE(form.BtnExit->text(), QStringLiteral("退出"));
        QCOMPARE(form.EdtPassword->echoMode(), QLineEdit::Normal);
        QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(TSetConfigFrm::fileFilter(), QStringLiteral("数据库文件 (*.HDB *.hdb)"));
    }

    // Enter moves to the next control in tab order and never confirms.
    void enterMovesOn_data() {
        QTest::addColumn<bool>("server");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("file mode") << false << QStringList{"EdtPath", "TBData", "BtnOK", "BtnExit"};
        QTest::newRow("server mode") << true << QStringList{"EdtServerName", "EdtDataBaseName", "EdtUserName",
                                                            "EdtPassword",   "BtnOK",           "BtnExit"};
    }
    void enterMovesOn() {
        QFETCH(bool, server);
        QFETCH(QStringList, order);
        GuiTestScope scope;
        writeIni(server ? "[Connect]\nConnectOption=0\n" : "");
        QStringList seen;
        ModalSeam::drive([&](QWidget* w) {
            QApplication::setActiveWindow(w);
            QVERIFY(QTest::qWaitForWindowActive(w));
            auto* first = w->findChild<QWidget*>(order.first());
            first->setFocus();
            for (int i = 0; i < order.size(); ++i) {
                seen << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            QVERIFY(w->isVisible());
        });
        QVERIFY(!ShowSetConfigForm());
        QCOMPARE(seen, order);
        QVERIFY(MessageBoxService::shown().isEmpty());
    }

    void emptyPathIsRefusedAndTheDialogStays() {
        GuiTestScope scope;
        bool stillOpen = false;
        ModalSeam::drive([&](QWidget* w) {
            auto* form = static_cast<TSetConfigFrm*>(w);
            QTest::mouseClick(form->BtnOK, Qt::LeftButton);
            stillOpen = form->isVisible();
            QTest::mouseClick(form->BtnExit, Qt::LeftButton);
        });
        QVERIFY(!ShowSetConfigForm());
        QVERIFY(stillOpen);
        QCOMPARE(MessageBoxService::shown().size(), 1);
        QCOMPARE(MessageBoxService::last().text, QStringLiteral("数据库路径不能为空!"));
        QCOMPARE(MessageBoxService::last().caption, QStringLiteral("提示"));
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("MyConnect.ini"))));
    }

    void fileDialogPutsTheChosenFileIntoThePath() {
        GuiTestScope scope;
        writeIni("[LocalDB]\nDBnames=/old/House.HDB\n");
        const QString chosen = m_dir.filePath(QStringLiteral("分店.HDB"));
        QFile f(chosen);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QString filter, shownPath;
        ModalSeam::drive([&](QWidget* w) {
            auto* form = static_cast<TSetConfigFrm*>(w);
            shownPath = form->EdtPath->text();
            ModalSeam::drive([&](QWidget* d) {
                auto* dialog = qobject_cast<QFileDialog*>(d);
                QVERIFY(dialog);
                filter = dialog->nameFilters().join(u'|');
                dialog->selectFile(chosen);
                static_cast<QDialog*>(dialog)->accept();
            });
            QTest::mouseClick(form->TBData, Qt::LeftButton);
            QTest::mouseClick(form->BtnOK, Qt::LeftButton);
        });
        QVERIFY(ShowSetConfigForm());
        QCOMPARE(shownPath, QStringLiteral("/old/House.HDB"));
        QCOMPARE(filter, QStringLiteral("数据库文件 (*.HDB *.hdb)"));
        QCOMPARE(ini().readString(QStringLiteral("LocalDB"), QStringLiteral("DBnames")), chosen);
        QCOMPARE(MessageBoxService::last().text, QStringLiteral("配置成功!"));
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Information);
    }

    void serverModeShowsAndWritesTheServerKeys() {
        GuiTestScope scope;
        writeIni(
            "; agency settings\n[Connect]\nConnectOption=2\n[DataBase]\nServerName=old\nDriver=PostgreSQL\n");
        QStringList shown;
        ModalSeam::drive([&](QWidget* w) {
            auto* form = static_cast<TSetConfigFrm*>(w);
            QVERIFY(form->GroupBox2->isVisible());
            QVERIFY(!form->GroupBox1->isVisible());
            QCOMPARE(form->GroupBox2->y(), form->layout()->contentsMargins().top()); // at the top
            shown << form->EdtServerName->text() << form->EdtDataBaseName->text() << form->EdtUserName->text()
                  << form->EdtPassword->text();
            form->EdtServerName->clear();
            ShellTestDb::typeText(form->EdtServerName, QStringLiteral("db.agency.lan"));
            ShellTestDb::typeText(form->EdtDataBaseName, QStringLiteral("house"));
            form->EdtUserName->clear();
            ShellTestDb::typeText(form->EdtUserName, QStringLiteral("agent"));
            ShellTestDb::typeText(form->EdtPassword, QStringLiteral("p=w;1"));
            QTest::mouseClick(form->BtnOK, Qt::LeftButton); // no path needed here
        });
        QVERIFY(ShowSetConfigForm());
        QCOMPARE(shown, (QStringList{"old", "", "sa", ""}));
        ProfileFile f = ini();
        QCOMPARE(f.keys(QStringLiteral("DataBase")),
                 (QStringList{"ServerName", "Driver", "DataBaseName", "UserName", "Password"}));
        QCOMPARE(f.readString(QStringLiteral("DataBase"), QStringLiteral("ServerName")),
                 QStringLiteral("db.agency.lan"));
        QCOMPARE(f.readString(QStringLiteral("DataBase"), QStringLiteral("Password")),
                 QStringLiteral("p=w;1"));
        QCOMPARE(f.readInteger(QStringLiteral("Connect"), QStringLiteral("ConnectOption"), 0), 2);
        QCOMPARE(f.readString(QStringLiteral("DataBase"), QStringLiteral("Driver")),
                 QStringLiteral("PostgreSQL"));
        QVERIFY(!f.hasSection(QStringLiteral("LocalDB")));
    }

    void leftDialogWritesNothing() {
        GuiTestScope scope;
        writeIni("[LocalDB]\nDBnames=/a/House.HDB\n");
        ModalSeam::drive([](QWidget* w) {
            auto* form = static_cast<TSetConfigFrm*>(w);
            ShellTestDb::typeText(form->EdtPath, QStringLiteral("x"));
            QTest::mouseClick(form->BtnExit, Qt::LeftButton);
        });
        QVERIFY(!ShowSetConfigForm());
        QCOMPARE(ini().readString(QStringLiteral("LocalDB"), QStringLiteral("DBnames")),
                 QStringLiteral("/a/House.HDB"));
        QVERIFY(MessageBoxService::shown().isEmpty());
    }

    // A settings file that is no UTF-8 text is never rewritten: confirming the dialog keeps it as
    // a dated copy beside it, byte for byte, and writes a fresh file holding the typed values.
    void unreadableFileIsKeptAndAFreshOneWritten_data() {
        QTest::addColumn<QByteArray>("junk");
        QTest::newRow("GBK text") << QByteArray("[LocalDB]\nDBnames=D:\\\xb7\xbf\xce\xdd\\House.HDB\n"
                                                "[DataBase]\nServerName=\xd6\xf7\xbb\xfa\n");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    }
    void unreadableFileIsKeptAndAFreshOneWritten() {
        QFETCH(QByteArray, junk);
        GuiTestScope scope;
        writeIni(junk);
        QString pathShown = QStringLiteral("unset");
        ModalSeam::drive([&](QWidget* w) {
            auto* form = static_cast<TSetConfigFrm*>(w);
            pathShown = form->EdtPath->text();
            ShellTestDb::typeText(form->EdtPath, QStringLiteral("/srv/房屋/House.HDB"));
            QTest::mouseClick(form->BtnOK, Qt::LeftButton);
        });
        QVERIFY(ShowSetConfigForm());
        QCOMPARE(pathShown, QString()); // nothing misread into the dialog
        const QStringList copies =
            QDir(m_dir.path()).entryList({QStringLiteral("MyConnect.ini.*")}, QDir::Files);
        QCOMPARE(copies.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^MyConnect\\.ini\\.\\d{8}-\\d{6}$"))
                     .match(copies[0])
                     .hasMatch(),
                 qPrintable(copies[0]));
        QFile copy(m_dir.filePath(copies[0]));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), junk);
        QFile fresh(m_dir.filePath(QStringLiteral("MyConnect.ini")));
        QVERIFY(fresh.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(fresh.readAll()),
                 QStringLiteral("[LocalDB]\nDBnames=/srv/房屋/House.HDB\n"));
        QVERIFY(MessageBoxService::shown().first().text.contains(copies[0]));
        QCOMPARE(MessageBoxService::last().text, QStringLiteral("配置成功!"));
        QFile::remove(m_dir.filePath(copies[0]));
    }

    // What is typed reads back exactly as typed, blanks and quotes included; a line break (a
    // pasted password) is refused at the editor and nothing is written.
    void valuesReadBackAsTyped_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("refused");
        QTest::newRow("plain") << "p=w;1" << false;
        QTest::newRow("blanks at both ends") << "  secret " << false;
        QTest::newRow("quoted") << "\"quoted\"" << false;
        QTest::newRow("single quotes") << "'x'" << false;
        QTest::newRow("only quotes") << "\"\"" << false;
        QTest::newRow("semicolon first") << ";not a comment" << false;
        QTest::newRow("section in a line break") << "pw\n[Connect]\nConnectOption=1" << true;
        QTest::newRow("carriage return") << "pw\rServerName=evil" << true;
        QTest::newRow("tab") << "a\tb" << true;
    }
    void valuesReadBackAsTyped() {
        QFETCH(QString, password);
        QFETCH(bool, refused);
        GuiTestScope scope;
        const QByteArray before = "[Connect]\nConnectOption=2\n[DataBase]\nServerName=db\nPassword=old\n";
        writeIni(before);
        bool stayedOpen = false;
        ModalSeam::drive([&](QWidget* w) {
            auto* form = static_cast<TSetConfigFrm*>(w);
            form->EdtPassword->setText(password); // as pasted
            QTest::mouseClick(form->BtnOK, Qt::LeftButton);
            stayedOpen = form->isVisible();
            if (stayedOpen) {
                QCOMPARE(form->focusWidget(), form->EdtPassword);
                QTest::mouseClick(form->BtnExit, Qt::LeftButton);
            }
        });
        const bool confirmed = ShowSetConfigForm();
        QCOMPARE(confirmed, !refused);
        QCOMPARE(stayedOpen, refused);
        if (refused) {
            QCOMPARE(MessageBoxService::last().text, QStringLiteral("密码不能含有换行或控制字符!"));
            QFile f(m_dir.filePath(QStringLiteral("MyConnect.ini")));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), before);
            return;
        }
        ProfileFile f = ini();
        QCOMPARE(f.readString(QStringLiteral("DataBase"), QStringLiteral("Password")), password);
        QCOMPARE(f.sections(), (QStringList{"Connect", "DataBase"}));
        QCOMPARE(f.readString(QStringLiteral("DataBase"), QStringLiteral("ServerName")),
                 QStringLiteral("db"));
        QCOMPARE(f.readInteger(QStringLiteral("Connect"), QStringLiteral("ConnectOption"), 0), 2);
    }

    // Esc and the close box leave the dialog unconfirmed, as 退出 does, but at start-up they first
    // say what follows; No keeps the dialog open. 退出 itself is a plain choice.
    void escAndCloseBoxStateTheConsequence_data() {
        QTest::addColumn<int>("leaving");
        QTest::addColumn<bool>("byEsc");
        QTest::addColumn<QString>("consequence");
        const QString ends = QStringLiteral("不保存连接设置,程序将退出。\n确定要关闭吗？");
        const QString unconnected =
            QStringLiteral("不保存连接设置,数据库将不能连接,无法登录系统。\n确定要关闭吗？");
        QTest::newRow("settings missing, Esc") << int(SetConfigLeaving::EndsProgram) << true << ends;
        QTest::newRow("settings missing, close box") << int(SetConfigLeaving::EndsProgram) << false << ends;
        QTest::newRow("recovery, Esc") << int(SetConfigLeaving::Unconnected) << true << unconnected;
        QTest::newRow("recovery, close box") << int(SetConfigLeaving::Unconnected) << false << unconnected;
    }
    void escAndCloseBoxStateTheConsequence() {
        QFETCH(int, leaving);
        QFETCH(bool, byEsc);
        QFETCH(QString, consequence);
        GuiTestScope scope;
        writeIni("[LocalDB]\nDBnames=/a/House.HDB\n");
        bool openAfterNo = false;
        ModalSeam::drive([&](QWidget* w) {
            auto* form = static_cast<TSetConfigFrm*>(w);
            auto leave = [&] {
                if (byEsc)
                    QTest::keyClick(form->EdtPath, Qt::Key_Escape);
                else
                    form->close();
            };
            MessageBoxService::queueAnswer(MsgAnswer::No);
            leave();
            openAfterNo = form->isVisible();
            MessageBoxService::queueAnswer(MsgAnswer::Yes);
            leave();
        });
        QVERIFY(!ShowSetConfigForm(SetConfigLeaving(leaving)));
        QVERIFY(openAfterNo);
        const auto shown = MessageBoxService::shown();
        QCOMPARE(shown.size(), 2);
        for (const ShownMessage& m : shown) {
            QCOMPARE(m.text, consequence);
            QCOMPARE(m.icon, MsgIcon::Question);
            QCOMPARE(m.buttons, MsgButtons::YesNo);
        }
        QCOMPARE(ini().readString(QStringLiteral("LocalDB"), QStringLiteral("DBnames")),
                 QStringLiteral("/a/House.HDB"));
    }
};

QTEST_MAIN(TestSetConfigFrm)
#include "tst_SetConfigFrm.moc"

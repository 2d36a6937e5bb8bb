#include "AdminTestData.h"
#include "BackupNames.h"
#include "DatabaseConnection.h"
#include "FileMaintenance.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ShellTestDb.h"
#include "TSetValue.h"
#include "TUserDM.h"
#include "Tbr_Form.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace AdminTestData;

class TestBackupWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    std::unique_ptr<ShellTestDb> m_db;

    DatabaseConnection& connection() { return m_db->dm().ADOConnection1; }
    QString dbPath() const { return m_db->scratch().settings().filePath; }

    // Opens the window through its opening routine and works it with work.
    static void withWindow(const std::function<void(Tbr_Form*)>& work) {
        bool driven = false;
        ModalSeam::drive([&](QWidget* w) {
            auto* form = qobject_cast<Tbr_Form*>(w);
            QVERIFY(form);
            QCOMPARE(br_Form, form);
            driven = true;
            work(form);
        });
        ShowBackupForm();
        QVERIFY(driven);
        QCOMPARE(br_Form, nullptr);
    }

    static void expectOnly(const QStringList& texts) {
        QStringList shown;
        for (const ShownMessage& m : MessageBoxService::shown())
            shown << m.text;
        QCOMPARE(shown, texts);
    }

    static void expectLast(const QString& text, MsgIcon icon) {
        const ShownMessage m = MessageBoxService::last();
        QCOMPARE(m.text, text);
        QCOMPARE(m.caption, QStringLiteral("提示"));
        QCOMPARE(m.icon, icon);
    }

    QString backupWithRows(int rows) {
        insertLeases(connection(), rows, 100);
        const QString file = m_home.filePath(QStringLiteral("good.bak"));
        FileMaintenance(connection()).backup(file, {});
        return file;
    }

private slots:
    void initTestCase() { qputenv("HOME", QFile::encodeName(m_home.path())); }

    void init() {
        m_db = std::make_unique<ShellTestDb>();
        AppGlobals.ConnectOption = 1;
        AppGlobals.DBPath = dbPath();
        MessageBoxService::clearShown();
    }
    void cleanup() { m_db.reset(); }

    void pagesTextsAndNames() {
        GuiTestScope scope;
        QDir(m_home.path()).rmdir(QStringLiteral("data"));
        const QString expected = m_home.path() + QStringLiteral("/data/backup") +
                                 QDate::currentDate().toString(QStringLiteral("yyMM"));
        withWindow([&](Tbr_Form* f) {
            QCOMPARE(f->windowTitle(), QStringLiteral("系统备份－恢复"));
            QCOMPARE(f->LbTitle->text(), QStringLiteral("系统备份与恢复"));
            QStringList tabs;
            for (int i = 0; i < f->PageControl1->count(); ++i)
                tabs << f->PageControl1->tabText(i);
            QCOMPARE(tabs, QStringList({"备份", "恢复", "数据库整理"}));
            // The backup page proposes this month's default, its folder made when missing.
            QCOMPARE(f->PageControl1->currentIndex(), 0);
            QCOMPARE(f->Edit1->text(), expected);
            QVERIFY(QFileInfo(m_home.path() + QStringLiteral("/data")).isDir());
            f->Edit1->setText(QStringLiteral("/elsewhere/x"));
            f->PageControl1->setCurrentIndex(1);
            f->PageControl1->setCurrentIndex(0);
            QCOMPARE(f->Edit1->text(), expected);

            QCOMPARE(f->Edit1->accessibleName(), QStringLiteral("请输入备份的文件名及路径"));
            QCOMPARE(f->Edit2->accessibleName(), QStringLiteral("请输入恢复的文件名及路径"));
            for (QLineEdit* edit : {f->Edit1, f->Edit2}) {
                bool buddy = false;
                for (QLabel* label : f->findChildren<QLabel*>())
                    buddy = buddy || label->buddy() == edit;
                QVERIFY(buddy);
            }
            const QList<QPair<QPushButton*, QString>> buttons{
                {f->FlatButton3, "备份"},  {f->FlatButton5, " 退出"},      {f->FlatButton1, "恢复"},
                {f->FlatButton2, " 退出"}, {f->FlatButton4, "修复及压缩"}, {f->FlatButton6, " 退出"}};
            for (const auto& [button, caption] : buttons) {
                QCOMPARE(button->text(), caption);
                QCOMPARE(button->accessibleName(), caption.trimmed());
            }
            QCOMPARE(f->LbDefault->text(), QStringLiteral("默认"));
            QStringList labels;
            for (QLabel* label : f->findChildren<QLabel*>())
                labels << label->text();
            for (const char* text : {"说明：备份后的文件名请记住。", "说明：恢复操作一般只适应系统重装后用。",
                                     "在进行修复及空间压缩前，最后先备份当前数据库。"})
                QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
        });
        QVERIFY(MessageBoxService::shown().isEmpty());
    }

    void exitButtonsClose_data() {
        QTest::addColumn<int>("page");
        QTest::newRow("备份") << 0;
        QTest::newRow("恢复") << 1;
        QTest::newRow("数据库整理") << 2;
    }
    void exitButtonsClose() {
        QFETCH(int, page);
        GuiTestScope scope;
        withWindow([&](Tbr_Form* f) {
            f->PageControl1->setCurrentIndex(page);
            QPushButton* exit = QList<QPushButton*>{f->FlatButton5, f->FlatButton2, f->FlatButton6}.at(page);
            QTest::mouseClick(exit, Qt::LeftButton);
            QVERIFY(!f->isVisible());
        });
    }

    void backupByButton_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written"); // empty: the backup fails
        QTest::newRow("plain name") << "月底备份"
                                    << "月底备份.bak";
        QTest::newRow("chosen .bak") << "a.bak"
                                     << "a.bak";
        QTest::newRow("cut at the first dot") << "b.tar.gz"
                                              << "b.bak";
        QTest::newRow("blanks") << "c  "
                                << "c.bak";
        QTest::newRow("folder missing") << "missing/d"
                                        << "";
    }
    void backupByButton() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        GuiTestScope scope;
        QTemporaryDir out;
        const QString prefix = out.path() + u'/';
        QString edit1;
        withWindow([&](Tbr_Form* f) {
            f->Edit1->clear();
            ShellTestDb::typeText(f->Edit1, prefix + typed);
            QTest::mouseClick(f->FlatButton3, Qt::LeftButton);
            edit1 = f->Edit1->text();
        });
        QCOMPARE(edit1, BackupNames::backupFileName(prefix + typed));
        if (written.isEmpty()) {
            expectLast(QStringLiteral("备份失败!!"), MsgIcon::Critical);
            QVERIFY(folderEntries(out.path()).isEmpty());
        } else {
            expectLast(QStringLiteral("备份成功!!"), MsgIcon::Information);
            QCOMPARE(folderEntries(out.path()), QStringList({written}));
            DatabaseMaintenance::checkBackupFile(prefix + written);
        }
        QCOMPARE(MessageBoxService::shown().size(), 1);
        QVERIFY(connection().isOpen());
    }

    void fileDialogs() {
        GuiTestScope scope;
        const QString existing = backupWithRows(3);
        const QString chosen = m_home.filePath(QStringLiteral("data/chosen.bak"));
        QStringList filters;
        QString folder;
        QList<QFileDialog::AcceptMode> modes;
        auto answer = [&](const QString& file) {
            ModalSeam::drive([&, file](QWidget* w) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                QVERIFY(dialog);
                filters << dialog->nameFilters();
                folder = dialog->directory().absolutePath();
                modes << dialog->acceptMode();
                dialog->selectFile(file);
                static_cast<QDialog*>(dialog)->accept();
            });
        };
        withWindow([&](Tbr_Form* f) {
            answer(chosen);
            QTest::mouseClick(f->SpeedButton1, Qt::LeftButton);
            QCOMPARE(f->Edit1->text(), chosen);
            f->PageControl1->setCurrentIndex(1);
            answer(existing);
            QTest::mouseClick(f->SpeedButton2, Qt::LeftButton);
            QCOMPARE(f->Edit2->text(), existing);
        });
        QCOMPARE(filters, QStringList({"dataname (*.bak)", "dataname (*.bak)"}));
        QCOMPARE(folder, BackupNames::defaultFolder());
        QCOMPARE(modes, (QList<QFileDialog::AcceptMode>{QFileDialog::AcceptSave, QFileDialog::AcceptOpen}));
    }

    void restoreCases_data() {
        QTest::addColumn<QString>("appDbPath"); // empty: the real one
        QTest::addColumn<QString>("source");    // "good", "bad", "" or "in use"
        QTest::addColumn<int>("answer");        // to the question
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("restored");
        const QStringList question{"确定要恢复数据吗"};
        QTest::newRow("network path")
            << "//server/share/House.HDB"
            << "good" << int(MsgAnswer::Yes) << QStringList{"不允许网络恢复，请到服务器上去!!"} << false;
        QTest::newRow("windows network path")
            << "\\\\server\\share\\House.HDB"
            << "good" << int(MsgAnswer::Yes) << QStringList{"不允许网络恢复，请到服务器上去!!"} << false;
        QTest::newRow("answered no") << ""
                                     << "good" << int(MsgAnswer::No) << question << false;
        QTest::newRow("nothing chosen") << ""
                                        << "" << int(MsgAnswer::Yes) << question << false;
        QTest::newRow("not a backup")
            << ""
            << "bad" << int(MsgAnswer::Yes) << (question + QStringList{"恢复失败!!!"}) << false;
        QTest::newRow("in use elsewhere")
            << ""
            << "in use" << int(MsgAnswer::Yes)
            << (question + QStringList{"其他工作站正在使用数据库，请先关闭其他工作站上的程序!!"}) << false;
        QTest::newRow("good backup") << ""
                                     << "good" << int(MsgAnswer::Yes)
                                     << (question + QStringList{"恢复成功!!"}) << true;
    }
    void restoreCases() {
        QFETCH(QString, appDbPath);
        QFETCH(QString, source);
        QFETCH(int, answer);
        QFETCH(QStringList, shown);
        QFETCH(bool, restored);
        GuiTestScope scope;
        m_db->exec(QStringLiteral("UPDATE S_企业信息 SET 企业名称 = '备份时的公司'"));
        QString file = backupWithRows(25);
        m_db->exec(QStringLiteral("DELETE FROM H_出租表"));
        m_db->exec(QStringLiteral("UPDATE S_企业信息 SET 企业名称 = '后来的公司'"));
        if (source == "bad") {
            file = m_home.filePath(QStringLiteral("bad.bak"));
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("no database at all");
        } else if (source.isEmpty()) {
            file.clear();
        }
        std::unique_ptr<DatabaseConnection> other;
        if (source == "in use") {
            other = std::make_unique<DatabaseConnection>(QStringLiteral("other workstation"));
            other->open(m_db->scratch().settings());
        }
        if (!appDbPath.isEmpty())
            AppGlobals.DBPath = appDbPath;
        const QByteArray before = fileBytes(dbPath());
        MessageBoxService::queueAnswer(MsgAnswer(answer));
        QString edit2;
        withWindow([&](Tbr_Form* f) {
            f->PageControl1->setCurrentIndex(1);
            f->Edit2->setText(file);
            QTest::mouseClick(f->FlatButton1, Qt::LeftButton);
            edit2 = f->Edit2->text();
        });
        expectOnly(shown);
        if (shown.size() > 1)
            QCOMPARE(MessageBoxService::shown().first().caption, QStringLiteral("询问"));
        QVERIFY(connection().isOpen());
        if (restored) {
            QCOMPARE(count(connection(), QStringLiteral("H_出租表")), qint64(25));
            QCOMPARE(AppGlobals.CompanyName, QStringLiteral("备份时的公司"));
            expectLast(QStringLiteral("恢复成功!!"), MsgIcon::Information);
        } else {
            QCOMPARE(fileBytes(dbPath()), before);
            QCOMPARE(count(connection(), QStringLiteral("H_出租表")), qint64(0));
        }
        // Edit2 is emptied once a restore has been tried.
        QCOMPARE(edit2.isEmpty(), shown.size() > 1 || file.isEmpty());
    }

    void compactionCases_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("inUse");
        QTest::addColumn<QStringList>("shown");
        const QString question = QStringLiteral("确定要进行数据库修复及压缩吗？");
        QTest::newRow("answered no") << int(MsgAnswer::No) << false << QStringList{question};
        QTest::newRow("in use elsewhere")
            << int(MsgAnswer::Yes) << true
            << QStringList{question, "其他工作站正在使用数据库，请先关闭其他工作站上的程序!!"};
        QTest::newRow("compacted") << int(MsgAnswer::Yes) << false
                                   << QStringList{question, "修复及压缩成功!!"};
    }
    void compactionCases() {
        QFETCH(int, answer);
        QFETCH(bool, inUse);
        QFETCH(QStringList, shown);
        GuiTestScope scope;
        insertLeases(connection(), 1000);
        m_db->exec(QStringLiteral("DELETE FROM H_出租表 WHERE ID > 10"));
        const qint64 sizeBefore = QFileInfo(dbPath()).size();
        std::unique_ptr<DatabaseConnection> other;
        if (inUse) {
            other = std::make_unique<DatabaseConnection>(QStringLiteral("other workstation"));
            other->open(m_db->scratch().settings());
        }
        MessageBoxService::queueAnswer(MsgAnswer(answer));
        withWindow([&](Tbr_Form* f) {
            f->PageControl1->setCurrentIndex(2);
            QTest::mouseClick(f->FlatButton4, Qt::LeftButton);
        });
        expectOnly(shown);
        QCOMPARE(MessageBoxService::shown().first().caption, QStringLiteral("询问"));
        QVERIFY(connection().isOpen());
        QCOMPARE(count(connection(), QStringLiteral("H_出租表")), qint64(10));
        const bool compacted = shown.last() == QStringLiteral("修复及压缩成功!!");
        QCOMPARE(QFileInfo(dbPath()).size() < sizeBefore, compacted);
    }
};

QTEST_MAIN(TestBackupWindow)
#include "tst_BackupWindow.moc"

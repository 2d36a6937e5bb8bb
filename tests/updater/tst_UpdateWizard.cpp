#include "MessageBoxService.h"
#include "NginxServer.h"
#include "ProgramEnd.h"
#include "ProgramLauncher.h"
#include "ReleasePublisher.h"
#include "ReleaseSignature.h"
#include "ResumableDownload.h"
#include "ScriptServer.h"
#include "TForm_Update.h"
#include "TestSupport.h"
#include "UpdaterPictures.h"
#include "UpdaterTestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace UpdaterTestFiles;

namespace {
const int StateRole = Qt::UserRole + 1;
} // namespace

// The wizard against nginx on loopback: a program folder of its own, a server folder with the
// update list and the release files.
class TestUpdateWizard : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_tmp;
    std::unique_ptr<NginxServer> m_nginx;
    QString m_app;
    QString m_www;
    QStringList m_started;

    template <class T> static T* part(QWidget& w, const char* name) {
        T* p = w.findChild<T*>(QLatin1String(name));
        if (!p)
            qFatal("no %s", name);
        return p;
    }
    static void click(QWidget& w, const char* name) {
        QPushButton* b = part<QPushButton>(w, name);
        QVERIFY2(b->isEnabled(), name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static int rowImage(QWidget& w, int row) {
        return part<QTableWidget>(w, "ListView_files")->item(row, 0)->data(StateRole).toInt();
    }
    static QString cell(QWidget& w, int row, int column) {
        return part<QTableWidget>(w, "ListView_files")->item(row, column)->text();
    }
    static QStringList logLines(QWidget& w) {
        return part<QPlainTextEdit>(w, "Memo1")->toPlainText().split(QLatin1Char('\n'));
    }
    void grab(QWidget& w, const QString& name) {
        const QString dir = qEnvironmentVariable("CORVANE_GRAB_DIR");
        if (!dir.isEmpty())
            w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    void writeList(const QByteArray& text) { writeFile(m_www + QStringLiteral("/Lintara.htm"), text); }
    void writeSettings(const QString& firstUrl, const QString& publicKey = QString()) {
        const QString key = publicKey.isEmpty() ? QString() : QStringLiteral("PublicKey=") + publicKey + '\n';
        writeFile(m_app + QStringLiteral("vexa.ini"),
                  ("[vexa]\nSubSys=Lintara\nexe=Lintara\n" + key + "\n[update]\n本店升级服务器=" + firstUrl +
                   "\n总部升级服务器=http://10.255.255.1/up/\n")
                      .toUtf8());
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() {
        m_tmp = std::make_unique<QTemporaryDir>();
        m_app = m_tmp->filePath(QStringLiteral("program/"));
        m_www = m_tmp->filePath(QStringLiteral("www"));
        QDir().mkpath(m_app);
        QDir().mkpath(m_www);
        m_nginx = std::make_unique<NginxServer>();
        QVERIFY2(m_nginx->start(m_www), qPrintable(m_nginx->errorText()));
        writeSettings(m_nginx->baseUrl().chopped(1)); // typed without the trailing "/"
        m_started.clear();
        ProgramLauncher::setStarter([this](const QString& program, const QStringList&) {
            m_started << program;
            return true;
        });
    }
    void cleanup() {
        ProgramLauncher::resetStarter();
        m_nginx.reset();
        m_tmp.reset();
    }

    void serverPageShowsTheServersInFileOrder() {
        GuiTestScope scope;
        TForm_Update w(m_app);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("软件在线升级 程序版本：1.01"));
        auto* servers = part<QListWidget>(w, "ListBox_servers");
        QCOMPARE(servers->count(), 2);
        QCOMPARE(servers->item(0)->text(), QStringLiteral("本店升级服务器"));
        QCOMPARE(servers->item(1)->text(), QStringLiteral("总部升级服务器"));
        QCOMPARE(servers->currentRow(), -1);
        QCOMPARE(part<QLineEdit>(w, "Edt_url")->text(), m_nginx->baseUrl().chopped(1));
        QVERIFY(!part<QPushButton>(w, "btn_pre")->isEnabled());
        QVERIFY(!part<QPushButton>(w, "Button2")->isEnabled());
        QVERIFY(part<QPushButton>(w, "btn_next")->hasFocus());
        grab(w, QStringLiteral("1-server-page"));
        QTest::mouseClick(servers->viewport(), Qt::LeftButton, {},
                          servers->visualItemRect(servers->item(1)).center());
        QCOMPARE(part<QLineEdit>(w, "Edt_url")->text(), QStringLiteral("http://10.255.255.1/up/"));
    }

    void logButtonShowsAndHidesTheLog() {
        GuiTestScope scope;
        TForm_Update w(m_app);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.height(), 280);
        click(w, "Button1");
        QCOMPARE(w.height(), 438);
        QVERIFY(part<QPlainTextEdit>(w, "Memo1")->isVisible());
        click(w, "Button1");
        QCOMPARE(w.height(), 280);
        click(w, "Button1");
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&w, &activate);
        QCOMPARE(w.height(), 280);
    }

    void failedListFetchStaysOnThePlaceholder() {
        GuiTestScope scope;
        TForm_Update w(m_app); // no Lintara.htm on the server: 404
        w.show();
        click(w, "btn_next");
        const ShownMessage box = MessageBoxService::last();
        QCOMPARE(box.caption, QStringLiteral("错误提示"));
        QCOMPARE(box.text, QStringLiteral("取得升级信息出错！"));
        QCOMPARE(box.icon, MsgIcon::Critical);
        QCOMPARE(part<QStackedWidget>(w, "Notebook_step")->currentIndex(), 1);
        QCOMPARE(part<QTableWidget>(w, "ListView_files")->rowCount(), 1);
        QCOMPARE(cell(w, 0, 0), QStringLiteral("分析文件升级信息..."));
        QCOMPARE(rowImage(w, 0), int(UpdaterPictures::Working));
        QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("下一步"));
        QCOMPARE(part<QLineEdit>(w, "Edt_url")->text(), m_nginx->baseUrl());
        // Retrying once the list is there goes through.
        writeList("[one.txt]\ndatetime=2030-01-01\nPaths=\n");
        writeFile(m_www + QStringLiteral("/one.txt"), "1");
        click(w, "btn_next");
        QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("完成升级"));
        QCOMPARE(readFile(m_app + QStringLiteral("update/one.txt")), QByteArray("1"));
    }

    void wholePassComparesDownloadsAndInstalls() {
        GuiTestScope scope;
        const QByteArray newProgram = randomBytes(200000, 1);
        const QByteArray newPicture = randomBytes(30000, 2);
        writeFile(m_www + QStringLiteral("/Lintara"), newProgram);
        writeFile(m_www + QStringLiteral("/main.bmp"), newPicture);
        writeFile(m_www + QStringLiteral("/readme.txt"), "server readme");
        writeList("[Lintara]\r\ndatetime=2030-01-02 03:04:05\r\nPaths=\r\n"
                  "[main.bmp]\r\ndatetime=2030/1/2 3:04:05\r\nPaths= image/ \r\n"
                  "[readme.txt]\r\ndatetime=2001-01-01\r\nPaths=\r\n");
        writeFile(m_app + QStringLiteral("Lintara"), "old program");
        QFile::setPermissions(m_app + QStringLiteral("Lintara"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeFile(m_app + QStringLiteral("readme.txt"), "local readme");
        // A newer file of the same name in the working folder must not stand in for the
        // installed one in image/.
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(m_tmp->path());
        writeFile(m_tmp->filePath(QStringLiteral("main.bmp")), "elsewhere");

        TForm_Update w(m_app);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        click(w, "Button1");
        bool grabbed = false;
        connect(&w.downloader(), &ResumableDownload::progress, this, [&](qint64 announced, qint64 received) {
            if (!grabbed && received * 2 > announced) {
                grabbed = true;
                QVERIFY(part<QPushButton>(w, "Button2")->isEnabled());
                QVERIFY(!part<QPushButton>(w, "btn_next")->isEnabled());
                QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("正下载文件.."));
                QVERIFY(
                    part<QLabel>(w, "Label4")->text().startsWith(QStringLiteral("共 200,000 字节，已下载 ")));
                QCOMPARE(part<QProgressBar>(w, "Gauge_process")->maximum(), 200000);
                grab(w, QStringLiteral("2-during-pass"));
            }
        });
        click(w, "btn_next");
        QDir::setCurrent(cwd);
        QVERIFY(grabbed);
        grab(w, QStringLiteral("3-after-pass"));

        QCOMPARE(cell(w, 0, 3), QStringLiteral("需要升级"));
        QCOMPARE(cell(w, 1, 3), QStringLiteral("需要创建"));
        QCOMPARE(cell(w, 1, 1), QStringLiteral("2030/1/2 3:04:05"));
        QCOMPARE(cell(w, 2, 3), QStringLiteral("不需更新"));
        QCOMPARE(rowImage(w, 0), int(UpdaterPictures::Downloaded));
        QCOMPARE(rowImage(w, 1), int(UpdaterPictures::Downloaded));
        QCOMPARE(rowImage(w, 2), int(UpdaterPictures::UpToDate));
        const QStringList log = logLines(w);
        QVERIFY(
            log.contains(QStringLiteral("连接远程文件：") + m_nginx->baseUrl() + QStringLiteral("main.bmp")));
        QVERIFY(log.contains(m_app + QStringLiteral("update/Lintara文件下载完成")));
        QVERIFY(log.contains(QStringLiteral("readme.txt文件不需要更新，跳过下载")));
        QVERIFY(readFile(m_app + QStringLiteral("update/update.ini")).endsWith("Paths=\r\n\n"));
        QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("完成升级"));
        QVERIFY(part<QPushButton>(w, "btn_pre")->isEnabled());
        QVERIFY(!part<QPushButton>(w, "Button2")->isEnabled());

        click(w, "btn_next");
        QCOMPARE(readFile(m_app + QStringLiteral("Lintara")), newProgram);
        QVERIFY(QFile::permissions(m_app + QStringLiteral("Lintara")) & QFile::ExeOwner);
        QCOMPARE(readFile(m_app + QStringLiteral("image/main.bmp")), newPicture);
        QCOMPARE(readFile(m_app + QStringLiteral("readme.txt")), QByteArray("local readme"));
        QCOMPARE(readFile(m_app + QStringLiteral("backup/Lintara.bak")), QByteArray("old program"));
        QCOMPARE(readFile(m_app + QStringLiteral("backup/readme.txt.bak")), QByteArray("local readme"));
        QVERIFY(!QFile::exists(m_app + QStringLiteral("backup/image/main.bmp.bak"))); // nothing was there
        QVERIFY(!QFile::exists(m_app + QStringLiteral("update/Lintara")));
        QVERIFY(!QFile::exists(m_app + QStringLiteral("update/main.bmp")));
        QCOMPARE(m_started, QStringList{m_app + QStringLiteral("Lintara")});
        QVERIFY(ProgramEnd::requested());
        QVERIFY(!w.isVisible());
    }

    void unreadableDateFailsItsRowAndThePassGoesOn() {
        GuiTestScope scope;
        writeFile(m_www + QStringLiteral("/a.dll"), "AAAA");
        writeFile(m_www + QStringLiteral("/b.dll"), "BBBB");
        writeList("[a.dll]\ndatetime=明天\nPaths=\n[b.dll]\ndatetime=2030-01-01 00:00:00\nPaths=\n");
        writeFile(m_app + QStringLiteral("a.dll"), "old a");
        writeFile(m_app + QStringLiteral("b.dll"), "old b");
        TForm_Update w(m_app);
        w.show();
        click(w, "btn_next");
        QCOMPARE(rowImage(w, 0), int(UpdaterPictures::Failed));
        QCOMPARE(rowImage(w, 1), int(UpdaterPictures::Downloaded));
        QVERIFY(logLines(w).contains(QStringLiteral("a.dll修改日期无法识别，跳过下载")));
        QVERIFY(part<QPushButton>(w, "btn_next")->isEnabled());
        QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("完成升级"));
        click(w, "btn_next");
        QCOMPARE(readFile(m_app + QStringLiteral("a.dll")), QByteArray("old a"));
        QCOMPARE(readFile(m_app + QStringLiteral("b.dll")), QByteArray("BBBB"));
    }

    void rowsOutsideTheProgramFolderAreRefused() {
        GuiTestScope scope;
        writeFile(m_www + QStringLiteral("/evil.sh"), "rm -rf");
        writeList("[evil.sh]\ndatetime=2030-01-01\nPaths=../\n");
        TForm_Update w(m_app);
        w.show();
        click(w, "btn_next");
        QCOMPARE(rowImage(w, 0), int(UpdaterPictures::Failed));
        QVERIFY(!QFile::exists(m_app + QStringLiteral("update/evil.sh")));
        QVERIFY(logLines(w).contains(QStringLiteral("evil.sh文件路径不在程序目录内，跳过下载")));
        click(w, "btn_next");
        QVERIFY(!QFile::exists(m_tmp->filePath(QStringLiteral("evil.sh"))));
    }

    void interruptingTheFirstOfThree_data() {
        QTest::addColumn<bool>("thirdThere");
        QTest::addColumn<QString>("caption");
        QTest::newRow("third downloads") << true << QStringLiteral("完成升级");
        QTest::newRow("third missing on the server") << false << QStringLiteral("继续下载");
    }
    void interruptingTheFirstOfThree() {
        QFETCH(bool, thirdThere);
        QFETCH(QString, caption);
        GuiTestScope scope;
        const QByteArray first = randomBytes(300000, 3);
        writeFile(m_www + QStringLiteral("/first.bin"), first);
        writeFile(m_www + QStringLiteral("/second.bin"), "2");
        if (thirdThere)
            writeFile(m_www + QStringLiteral("/third.bin"), "3");
        writeList("[first.bin]\nPaths=\n[second.bin]\nPaths=\n[third.bin]\nPaths=\n");
        TForm_Update w(m_app);
        w.show();
        bool pressed = false;
        auto hook = connect(&w.downloader(), &ResumableDownload::progress, this, [&] {
            if (!pressed) {
                pressed = true;
                click(w, "Button2");
            }
        });
        click(w, "btn_next");
        disconnect(hook);
        QCOMPARE(rowImage(w, 0), int(UpdaterPictures::Failed));
        QCOMPARE(rowImage(w, 1), int(UpdaterPictures::Downloaded));
        QCOMPARE(rowImage(w, 2), int(thirdThere ? UpdaterPictures::Downloaded : UpdaterPictures::Failed));
        QVERIFY(logLines(w).contains(QStringLiteral("已中断下载;")));
        QCOMPARE(part<QPushButton>(w, "btn_next")->text(), caption);
        const qint64 partial = QFileInfo(m_app + QStringLiteral("update/first.bin")).size();
        QVERIFY(partial > 0 && partial < first.size());

        if (!thirdThere) {
            // "继续下载" fetches the list again and resumes the first file from its size.
            writeFile(m_www + QStringLiteral("/third.bin"), "3");
            qint64 firstAnnounced = -1;
            connect(&w.downloader(), &ResumableDownload::progress, this, [&](qint64 announced, qint64) {
                if (firstAnnounced < 0)
                    firstAnnounced = announced;
            });
            click(w, "btn_next");
            QCOMPARE(firstAnnounced, first.size() - partial);
            QCOMPARE(readFile(m_app + QStringLiteral("update/first.bin")), first);
            QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("完成升级"));
        }
        // Installing takes only what came whole: an interrupted file never replaces a good one.
        writeFile(m_app + QStringLiteral("first.bin"), "good old first");
        click(w, "btn_next");
        QCOMPARE(readFile(m_app + QStringLiteral("first.bin")),
                 thirdThere ? QByteArray("good old first") : first);
        QCOMPARE(readFile(m_app + QStringLiteral("second.bin")), QByteArray("2"));
        QCOMPARE(QFile::exists(m_app + QStringLiteral("update/first.bin")), thirdThere);
    }

    void backDuringAPassEndsIt() {
        GuiTestScope scope;
        writeFile(m_www + QStringLiteral("/first.bin"), randomBytes(300000, 4));
        writeFile(m_www + QStringLiteral("/second.bin"), "2");
        writeList("[first.bin]\nPaths=\n[second.bin]\nPaths=\n");
        TForm_Update w(m_app);
        w.show();
        bool pressed = false;
        connect(&w.downloader(), &ResumableDownload::progress, this, [&] {
            if (!pressed) {
                pressed = true;
                click(w, "btn_pre");
            }
        });
        click(w, "btn_next");
        QCOMPARE(part<QStackedWidget>(w, "Notebook_step")->currentIndex(), 0);
        QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("下一步"));
        QVERIFY(part<QPushButton>(w, "btn_next")->isEnabled());
        QVERIFY(!part<QPushButton>(w, "btn_pre")->isEnabled());
        QVERIFY(!part<QPushButton>(w, "Button2")->isEnabled());
        QVERIFY(!QFile::exists(m_app + QStringLiteral("update/second.bin")));
        QVERIFY(logLines(w).contains(QStringLiteral("已中断下载;")));
    }

    void closeQuestions() {
        GuiTestScope scope;
        writeFile(m_www + QStringLiteral("/first.bin"), randomBytes(300000, 5));
        writeFile(m_www + QStringLiteral("/second.bin"), "2");
        writeList("[first.bin]\nPaths=\n[second.bin]\nPaths=\n");
        TForm_Update w(m_app);
        w.show();
        // During a download: No keeps the window, Yes closes it and ends the pass.
        int blocks = 0;
        auto hook = connect(&w.downloader(), &ResumableDownload::progress, this, [&] {
            ++blocks;
            if (blocks == 1) {
                MessageBoxService::queueAnswer(MsgAnswer::No);
                QVERIFY(!w.close());
                QCOMPARE(MessageBoxService::last().text, QStringLiteral("正在下载文件，要退出吗？"));
                QCOMPARE(MessageBoxService::last().caption, QStringLiteral("信息提示"));
                QCOMPARE(MessageBoxService::last().icon, MsgIcon::Question);
                QCOMPARE(MessageBoxService::last().buttons, MsgButtons::YesNo);
            } else if (blocks == 2) {
                MessageBoxService::queueAnswer(MsgAnswer::Yes);
                QVERIFY(w.close());
            }
        });
        click(w, "btn_next");
        disconnect(hook);
        QVERIFY(!w.isVisible());
        QCOMPARE(blocks, 2);
        QVERIFY(!QFile::exists(m_app + QStringLiteral("update/second.bin")));

        // After a pass: leaving without installing is asked about.
        TForm_Update again(m_app);
        again.show();
        click(again, "btn_next");
        QCOMPARE(part<QPushButton>(again, "btn_next")->text(), QStringLiteral("完成升级"));
        MessageBoxService::clearShown();
        MessageBoxService::queueAnswer(MsgAnswer::No);
        QVERIFY(!again.close());
        QCOMPARE(MessageBoxService::shown().size(), 1);
        QCOMPARE(MessageBoxService::last().text,
                 QStringLiteral("文件下载已经完成，但并没有更新文件，要退出吗？"));
        MessageBoxService::queueAnswer(MsgAnswer::Yes);
        QVERIFY(again.close());
        QVERIFY(m_started.isEmpty());
    }

    // With the publisher's key only the list the publisher signed is used; without one, as before.
    void signedLists_data() {
        QTest::addColumn<bool>("keySet");
        QTest::addColumn<bool>("signListed");
        QTest::addColumn<QByteArray>("tamper"); // "list", "signature" or nothing
        QTest::addColumn<QString>("refusal");
        QTest::newRow("signed list") << true << true << QByteArray() << QString();
        QTest::newRow("altered list") << true << true << QByteArray("list")
                                      << QStringLiteral("升级信息的发布者签名无效，未安装任何文件！");
        QTest::newRow("altered signature") << true << true << QByteArray("signature")
                                           << QStringLiteral("升级信息的发布者签名无效，未安装任何文件！");
        QTest::newRow("unsigned list with a key")
            << true << false << QByteArray() << QStringLiteral("升级信息没有发布者签名，未安装任何文件！");
        QTest::newRow("unsigned list without a key") << false << false << QByteArray() << QString();
    }
    void signedLists() {
        QFETCH(bool, keySet);
        QFETCH(bool, signListed);
        QFETCH(QByteArray, tamper);
        QFETCH(QString, refusal);
        GuiTestScope scope;
        const ReleaseSignature::KeyPair keys = ReleaseSignature::makeKeyPair();
        const QString release = m_tmp->filePath(QStringLiteral("release"));
        writeFile(release + QStringLiteral("/Lintara"), randomBytes(50000, 7));
        ReleasePublisher::publish(release, m_www, QStringLiteral("Lintara"),
                                  signListed ? keys.secretKey : QString());
        if (tamper == "list")
            writeList(readFile(m_www + QStringLiteral("/Lintara.htm")).replace("Paths=", "Paths=image/"));
        if (tamper == "signature") {
            QByteArray sig = QByteArray::fromBase64(readFile(m_www + QStringLiteral("/Lintara.htm.sig")));
            sig[3] = char(sig[3] ^ 0x40);
            writeFile(m_www + QStringLiteral("/Lintara.htm.sig"), sig.toBase64());
        }
        writeSettings(m_nginx->baseUrl(), keySet ? keys.publicKey : QString());
        writeFile(m_app + QStringLiteral("Lintara"), "old program");
        QFile old(m_app + QStringLiteral("Lintara"));
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(
            old.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
        old.close();
        TForm_Update w(m_app);
        w.show();
        click(w, "Button1");
        click(w, "btn_next");
        if (!refusal.isEmpty()) {
            grab(w, QStringLiteral("4-refused-") +
                        QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
            QCOMPARE(MessageBoxService::last().caption, QStringLiteral("错误提示"));
            QCOMPARE(MessageBoxService::last().text, refusal);
            QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
            QVERIFY(logLines(w).contains(refusal));
            QCOMPARE(part<QLabel>(w, "Label4")->text(), refusal);
            QCOMPARE(cell(w, 0, 0), QStringLiteral("分析文件升级信息..."));
            QVERIFY(!QFile::exists(m_app + QStringLiteral("update/update.ini")));
            QVERIFY(!QFile::exists(m_app + QStringLiteral("update/Lintara")));
            QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("下一步"));
            QVERIFY(part<QPushButton>(w, "btn_next")->isEnabled());
            QVERIFY(!part<QPushButton>(w, "Button2")->isEnabled());
            return;
        }
        QCOMPARE(rowImage(w, 0), int(UpdaterPictures::Downloaded));
        click(w, "btn_next");
        QCOMPARE(readFile(m_app + QStringLiteral("Lintara")), randomBytes(50000, 7));
    }

    // A downloaded copy that is not the listed file is discarded and never installed.
    void copyNotMatchingItsRowIsNeverInstalled() {
        GuiTestScope scope;
        writeFile(m_www + QStringLiteral("/a.dll"), "what the server has now");
        writeFile(m_www + QStringLiteral("/b.dll"), "BBBB");
        const QByteArray otherHash = QByteArray(64, 'a');
        writeList("[a.dll]\ndatetime=2030-01-01\nPaths=\nsha256=" + otherHash +
                  "\n[b.dll]\ndatetime=2030-01-01\nPaths=\nsize=4\n");
        writeFile(m_app + QStringLiteral("a.dll"), "old a");
        TForm_Update w(m_app);
        w.show();
        click(w, "btn_next");
        QCOMPARE(rowImage(w, 0), int(UpdaterPictures::Failed));
        QCOMPARE(rowImage(w, 1), int(UpdaterPictures::Downloaded));
        QVERIFY(logLines(w).contains(QStringLiteral("a.dll文件校验不符，已删除下载的副本")));
        QCOMPARE(readFile(m_app + QStringLiteral("update/a.dll")).size(), 0);
        click(w, "btn_next");
        QCOMPARE(readFile(m_app + QStringLiteral("a.dll")), QByteArray("old a"));
        QCOMPARE(readFile(m_app + QStringLiteral("b.dll")), QByteArray("BBBB"));
    }

    // One file that cannot be put in place: every file stays as it was before the pass, the
    // wizard says so, and the program is started again as it was.
    void installFailingHalfwayPutsEverythingBack() {
        GuiTestScope scope;
        writeFile(m_www + QStringLiteral("/a.bin"), "new a");
        writeFile(m_www + QStringLiteral("/b.bin"), "new b");
        writeFile(m_www + QStringLiteral("/c.bin"), "new c");
        writeList("[a.bin]\ndatetime=2030-01-01\nPaths=\n[b.bin]\ndatetime=2030-01-01\nPaths=\n"
                  "[c.bin]\ndatetime=2030-01-01\nPaths=lib/\n");
        writeFile(m_app + QStringLiteral("a.bin"), "old a");
        writeFile(m_app + QStringLiteral("b.bin"), "old b");
        TForm_Update w(m_app);
        w.show();
        click(w, "Button1");
        click(w, "btn_next");
        QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("完成升级"));
        // Something takes c.bin's place meanwhile (here a folder), so it cannot be written.
        QDir().mkpath(m_app + QStringLiteral("lib/c.bin/in-use"));
        click(w, "btn_next");
        grab(w, QStringLiteral("5-install-rolled-back"));
        QCOMPARE(readFile(m_app + QStringLiteral("a.bin")), QByteArray("old a"));
        QCOMPARE(readFile(m_app + QStringLiteral("b.bin")), QByteArray("old b"));
        QVERIFY(QFileInfo(m_app + QStringLiteral("lib/c.bin")).isDir());
        QCOMPARE(MessageBoxService::last().text, QStringLiteral("升级失败，已恢复原来的文件!!!"));
        QCOMPARE(MessageBoxService::last().caption, QStringLiteral("提示"));
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
        QVERIFY(logLines(w).contains(QStringLiteral("无法安装文件：") + m_app + QStringLiteral("lib/c.bin")));
        QCOMPARE(m_started, QStringList{m_app + QStringLiteral("Lintara")});
    }

    void interruptDuringTheListFetch() {
        GuiTestScope scope;
        ScriptServer silent;
        QVERIFY(silent.startOdd({"--mode", "stall-list"}));
        writeSettings(silent.baseUrl());
        TForm_Update w(m_app);
        w.show();
        QTimer::singleShot(200, &w, [&] { click(w, "Button2"); });
        click(w, "btn_next");
        QVERIFY(MessageBoxService::shown().isEmpty());
        QVERIFY(logLines(w).contains(QStringLiteral("已中断下载;")));
        QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("下一步"));
        QVERIFY(part<QPushButton>(w, "btn_next")->isEnabled());
        QVERIFY(!part<QPushButton>(w, "Button2")->isEnabled());
    }

    // A server that holds its headers: the interrupt ends that download at once, and the pass
    // goes on (the header wait alone would be a minute).
    void interruptWhileTheServerHoldsTheHeaders() {
        GuiTestScope scope;
        const QString root = m_tmp->filePath(QStringLiteral("oddroot"));
        writeFile(root + QStringLiteral("/Lintara.htm"), "[held.bin]\nPaths=\n");
        ScriptServer holding;
        QVERIFY(holding.startOdd({"--mode", "stall-headers", "--root", root}));
        writeSettings(holding.baseUrl());
        TForm_Update w(m_app);
        w.show();
        bool pressed = false;
        QTimer::singleShot(300, &w, [&] {
            pressed = true;
            click(w, "Button2");
        });
        click(w, "btn_next");
        QVERIFY(pressed);
        QCOMPARE(rowImage(w, 0), int(UpdaterPictures::Failed));
        QVERIFY(logLines(w).contains(QStringLiteral("已中断下载;")));
        QCOMPARE(part<QPushButton>(w, "btn_next")->text(), QStringLiteral("继续下载"));
    }

    // A release made with corvane-publish, signed, read back by the wizard and installed whole.
    void publishedReleaseEndToEnd() {
        GuiTestScope scope;
        const QString tool = qEnvironmentVariable("LINTARA_PROGRAM_DIR") + QStringLiteral("/corvane-publish");
        const auto publish = [&](const QStringList& args) {
            QProcess p;
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start(tool, args);
            if (!p.waitForFinished(30000) || p.exitCode() != 0)
                qWarning("%s", p.readAll().constData());
            return QString::fromUtf8(p.readAll());
        };
        const QString secret = m_tmp->filePath(QStringLiteral("publisher.key"));
        const QString keyLine = publish({QStringLiteral("keygen"), secret}).trimmed();
        QVERIFY2(keyLine.startsWith(QLatin1String("PublicKey=")), qPrintable(keyLine));
        QCOMPARE(QFile::permissions(secret) & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());

        const QString release = m_tmp->filePath(QStringLiteral("release"));
        const QByteArray program = "\x7f"
                                   "ELF" +
                                   randomBytes(120000, 8);
        writeFile(release + QStringLiteral("/Lintara"), program);
        writeFile(release + QStringLiteral("/image/main.bmp"), randomBytes(7000, 9));
        writeFile(release + QStringLiteral("/Template/出租单.Rtm"),
                  "{\"format\": \"Lintara report template\"}");
        const QString out =
            publish({QStringLiteral("release"), release, m_www, QStringLiteral("Lintara"), secret});
        QVERIFY2(out.contains(QLatin1String("Lintara.htm.sig")), qPrintable(out));
        QVERIFY(readFile(m_www + QStringLiteral("/Lintara.htm")).contains("[main.bmp]\ndatetime="));

        writeSettings(m_nginx->baseUrl(), keyLine.mid(10));
        TForm_Update w(m_app);
        w.show();
        click(w, "btn_next");
        for (int row = 0; row < 3; ++row)
            QCOMPARE(rowImage(w, row), int(UpdaterPictures::Downloaded));
        click(w, "btn_next");
        QCOMPARE(readFile(m_app + QStringLiteral("Lintara")), program);
        QVERIFY(QFile::permissions(m_app + QStringLiteral("Lintara")) & QFile::ExeOwner);
        QCOMPARE(readFile(m_app + QStringLiteral("image/main.bmp")), randomBytes(7000, 9));
        QCOMPARE(readFile(m_app + QStringLiteral("Template/出租单.Rtm")),
                 QByteArray("{\"format\": \"Lintara report template\"}"));
        QCOMPARE(m_started, QStringList{m_app + QStringLiteral("Lintara")});
    }
};

QTEST_MAIN(TestUpdateWizard)
#include "tst_UpdateWizard.moc"

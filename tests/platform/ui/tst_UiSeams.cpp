#include "ErrorGuard.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ProgramEnd.h"
#include "TestSupport.h"

#include <QDialog>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

class TestUiSeams : public QObject {
    Q_OBJECT
private slots:
    void recordedBoxesAnswerFromTheQueue() {
        GuiTestScope scope;
        MessageBoxService::queueAnswer(MsgAnswer::No);
        QVERIFY(!MessageBoxService::ask(nullptr, QStringLiteral("真的要退出系统吗？")));
        QVERIFY(MessageBoxService::ask(nullptr, QStringLiteral("再问"))); // nothing queued: first button
        MessageBoxService::refuse(nullptr, QStringLiteral("请先保存数据!!!"));
        const auto shown = MessageBoxService::shown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].caption, QStringLiteral("确认"));
        QCOMPARE(shown[0].icon, MsgIcon::Question);
        QCOMPARE(shown[0].answer, MsgAnswer::No);
        QCOMPARE(shown[2].caption, QStringLiteral("提示"));
        QCOMPARE(shown[2].icon, MsgIcon::Critical);
        QCOMPARE(shown[2].text, QStringLiteral("请先保存数据!!!"));
    }

    void guardShowsTheErrorAndGoesOn() {
        GuiTestScope scope;
        QPushButton button;
        bool after = false;
        QObject::connect(&button, &QPushButton::clicked,
                         ErrorGuard::wrap(&button, [](bool) { throw std::runtime_error("磁盘已满"); }));
        QObject::connect(&button, &QPushButton::clicked, [&] { after = true; });
        button.click();
        QVERIFY(after);
        QCOMPARE(MessageBoxService::last().text, QStringLiteral("磁盘已满"));
        QCOMPARE(MessageBoxService::last().icon, MsgIcon::Critical);
    }

    void driverRunsOnTheShownWindowAndItIsClosedAfter() {
        GuiTestScope scope;
        QDialog dialog;
        bool sawVisible = false;
        ModalSeam::drive([&](QWidget* w) {
            sawVisible = w->isVisible() && w->isModal();
            QCOMPARE(ModalSeam::current(), w);
        });
        QCOMPARE(ModalSeam::exec(&dialog), int(QDialog::Rejected));
        QVERIFY(sawVisible);
        QVERIFY(!dialog.isVisible());

        ModalSeam::drive([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
        QCOMPARE(ModalSeam::exec(&dialog), int(QDialog::Accepted));
        QCOMPARE(ModalSeam::unattended(), 0);
    }

    void nestedWindowsAndUnattendedOnes() {
        GuiTestScope scope;
        QDialog outer, inner, third;
        ModalSeam::drive([&](QWidget*) {
            ModalSeam::drive([&](QWidget* w) { QCOMPARE(w, &inner); });
            ModalSeam::exec(&inner);
            QCOMPARE(ModalSeam::current(), &outer);
        });
        ModalSeam::exec(&outer);
        ModalSeam::exec(&third);
        QCOMPARE(ModalSeam::unattended(), 1);
        QVERIFY(!third.isVisible());
    }

    void endRequestIsDeferredAndClosesModalWindows() {
        GuiTestScope scope;
        bool quit = false;
        ProgramEnd::setQuitHandler([&] { quit = true; });
        QDialog dialog;
        bool stillOpenAfterRequest = false;
        ModalSeam::drive([&](QWidget* w) {
            ProgramEnd::request();
            stillOpenAfterRequest = w->isVisible() && !quit;
            QTRY_VERIFY(quit);
            QVERIFY(!w->isVisible());
        });
        ModalSeam::exec(&dialog);
        QVERIFY(stillOpenAfterRequest);
        QVERIFY(ProgramEnd::requested());
    }

    // The end requested during start-up while a message box turns a local loop (settings left,
    // banner missing): the posted end runs there, where Qt's quit does nothing. The program's loop
    // must still stop as soon as it starts.
    void endRequestedBeforeTheLoopRunsIsHonoured() {
        ProgramEnd::reset();
        ProgramEnd::setQuitHandler({});
        ProgramEnd::request();
        QEventLoop local;
        QTimer::singleShot(0, &local, &QEventLoop::quit);
        local.exec();
        // A lost end would leave the loop running: this stops it with another code, bounded.
        QTimer::singleShot(20000, qApp, [] { QCoreApplication::exit(7); });
        QCOMPARE(ProgramEnd::exec(), 0);
        ProgramEnd::reset();
    }
};

QTEST_MAIN(TestUiSeams)
#include "tst_UiSeams.moc"

// Lintara: the program entry. The data module first (it opens the connection), then the login
// window, the main window, the lock window and the three function pages, all hidden until the
// login shows the main window; the event loop runs until the end is requested.
#include "GuardedApplication.h"
#include "PageActions.h"
#include "ProgramEnd.h"
#include "ProgramLook.h"
#include "SqlCipherDriver.h"
#include "TLoginWin.h"
#include "TUserDM.h"
#include "TmainForm.h"
#include "TsyssdForm.h"
#include "Twd1_Form.h"
#include "Twd2_Form.h"
#include "Twd4_Form.h"

#include "ShowAlarmForm.h"
#include "ShowLeaseForm.h"
#include "ShowPurchaseForm.h"
#include "ShowRentForm.h"
#include "ShowSaleForm.h"
#include "TFrm_ComPany.h"
#include "TFrm_dict.h"
#include "TModifyPassWordFrm.h"
#include "TSysConfigFrm.h"
#include "TUserAboutBox.h"
#include "Tbr_Form.h"
#include "Tuser_Form.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

PageActions programActions() {
    PageActions a;
    a.showLeaseForm = [] { ShowLeaseForm(); };
    a.showSaleForm = [] { ShowSaleForm(); };
    a.showDictForm = [] { ShowDictForm(); };
    a.showCompanyForm = [] { ShowCompanyForm(); };
    a.showAboutBox = [] { ShowAboutBox(); };
    a.showUserForm = [] { ShowUserForm(); };
    a.showSysConfigForm = [] { ShowSysConfigForm(); };
    a.showModifyPassWordForm = [] { ShowModifyPassWordForm(); };
    a.showBackupForm = [] { ShowBackupForm(); };
    a.showRentForm = [] { ShowRentForm(); };
    a.showPurchaseForm = [] { ShowPurchaseForm(); };
    a.showAlarmForm = [] { ShowAlarmForm(); };
    a.alarmCheck = [] { AlarmCheck(mainForm); };
    return a;
}

// LINTARA_STARTUP_PROBE=1: print the milliseconds from the start of main() to the first showing
// of the login window, then end. The start-up benchmark runs the program this way.
class StartupProbe : public QObject {
public:
    StartupProbe(QWidget* login, const QElapsedTimer& clock) : m_clock(clock) {
        login->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !m_done) {
            m_done = true;
            const double ms = m_clock.nsecsElapsed() / 1e6;
            QTimer::singleShot(0, watched, [ms] {
                std::printf("startup-ms %.1f\n", ms);
                std::fflush(stdout);
                ProgramEnd::request();
            });
        }
        return false;
    }

private:
    const QElapsedTimer& m_clock;
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();

    GuardedApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("房屋中介管理系统"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("房屋中介管理系统"));
    // Only an end request ends the program: hiding the login window must not.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    ProgramLook::loadQtTranslations(app);
    QApplication::setWindowIcon(ProgramLook::programIcon(QStringLiteral(":/icons/lintara.svg")));
    SqlCipherDriver::registerDriver();

    auto dataModule = std::make_unique<TUserDM>();
    UserDM = dataModule.get();
    UserDM->DataModuleCreate();

    const PageActions actions = programActions();
    auto login = std::make_unique<TLoginWin>();
    auto main = std::make_unique<TmainForm>(actions);
    mainForm = main.get();
    auto lock = std::make_unique<TsyssdForm>();
    mainForm->setLockWindow(lock.get());
    // The pages place themselves into the main window, which owns them from then on.
    wd1_Form = new Twd1_Form(mainForm, actions);
    wd2_Form = new Twd2_Form(mainForm);
    wd4_Form = new Twd4_Form(mainForm, actions);
    QObject::connect(login.get(), &TLoginWin::loggedIn, mainForm, [] { mainForm->showMaximized(); });

    std::unique_ptr<StartupProbe> probe;
    if (qEnvironmentVariableIntValue("LINTARA_STARTUP_PROBE") == 1)
        probe = std::make_unique<StartupProbe>(login.get(), clock);

    login->show();
    const int rc = ProgramEnd::exec();

    lock.reset();
    main.reset();
    mainForm = nullptr;
    wd1_Form = nullptr;
    wd2_Form = nullptr;
    wd4_Form = nullptr;
    login.reset();
    UserDM = nullptr;
    return rc;
}

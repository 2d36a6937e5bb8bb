// Pictures of the administration windows, to look at them as a clerk would: admin_grabs <folder>.
#include "AdminTestBed.h"
#include "DbEdit.h"
#include "ModalSeam.h"
#include "PasswordHash.h"
#include "TFrm_ComPany.h"
#include "TFrm_dict.h"
#include "TModifyPassWordFrm.h"
#include "TSysConfigFrm.h"
#include "TUser.h"
#include "TUserAboutBox.h"
#include "Tuser_Form.h"
#include "TuseraddForm.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>

namespace {
QString out;

void save(QWidget* w, const QString& name, QSize size = QSize()) {
    if (size.isValid()) {
        w->setWindowState(Qt::WindowNoState);
        w->resize(size);
    }
    QApplication::processEvents();
    w->grab().save(out + u'/' + name + QStringLiteral(".png"));
}

// Grabs the next modal window, after prepare.
void grabNext(const QString& name, QSize size = QSize(), std::function<void(QWidget*)> prepare = {}) {
    ModalSeam::drive([=](QWidget* w) {
        if (prepare)
            prepare(w);
        save(w, name, size);
    });
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);
    ModalSeam::setTestMode(true);
    AdminTestBed bed(QStringLiteral("sqlcipher"));
    const int admin = bed.addUser(QStringLiteral("admin"), PasswordHash::hash(QStringLiteral("a")),
                                  QStringLiteral("王经理"), QStringLiteral("管理员"));
    bed.addUser(QStringLiteral("li"), PasswordHash::hash(QStringLiteral("l")), QStringLiteral("李文"),
                QStringLiteral("操作员"));
    bed.addUser(QStringLiteral("zhao"), PasswordHash::hash(QStringLiteral("z")), QStringLiteral("赵敏"),
                QStringLiteral("操作员"));
    bed.logIn(admin);

    ModalSeam::drive([](QWidget* w) {
        auto* form = static_cast<Tuser_Form*>(w);
        save(form, QStringLiteral("users"), QSize(1280, 800));
        grabNext(QStringLiteral("user-add"), QSize(), [](QWidget* d) {
            auto* dialog = static_cast<TuseraddForm*>(d);
            ShellTestDb::typeText(dialog->DBEdit1, QStringLiteral("wang"));
            ShellTestDb::typeText(dialog->DBEdit2, QStringLiteral("王芳"));
            ShellTestDb::typeText(dialog->DBEdit3, QStringLiteral("abc"));
            ShellTestDb::typeText(dialog->MaskEdit1, QStringLiteral("abc"));
        });
        form->ToolButton1->click();
    });
    ShowUserForm();

    grabNext(QStringLiteral("password"), QSize(), [](QWidget* w) {
        auto* d = static_cast<TModifyPassWordFrm*>(w);
        d->EdtOld->setText(QStringLiteral("a"));
    });
    ShowModifyPassWordForm();

    ModalSeam::drive([](QWidget* w) {
        auto* form = static_cast<TFrm_dict*>(w);
        save(form, QStringLiteral("dict"), QSize(1280, 800));
        grabNext(QStringLiteral("dict-add"));
        form->TbModfiy->click();
    });
    ShowDictForm();

    for (int page = 0; page < 2; ++page) {
        grabNext(QStringLiteral("sysconfig-%1").arg(page), QSize(),
                 [page](QWidget* w) { static_cast<TSysConfigFrm*>(w)->Pc1->setCurrentIndex(page); });
        ShowSysConfigForm();
    }

    grabNext(QStringLiteral("about"));
    ShowAboutBox();
    grabNext(QStringLiteral("company"));
    ShowCompanyForm();
    return 0;
}

#include "Twd4_Form.h"

#include "MessageBoxService.h"
#include "PageHighlight.h"
#include "ProgramEnd.h"
#include "ProgramLauncher.h"
#include "TSetValue.h"

Twd4_Form* wd4_Form = nullptr;

Twd4_Form::Twd4_Form(TmainForm* main, const PageActions& actions)
    : FunctionPage(QStringLiteral("基础资料")), m_actions(actions) {
    setObjectName(QStringLiteral("wd4_Form"));
    setEntryMouseMove([this](QObject* c) { fcImageBtn1MouseMove(c); });
    Entry e = addEntry("Label1", "fcImageBtn1", QStringLiteral("字典维护"), "dict", 0, 0,
                       [this] { Label1Click(); });
    Label1 = e.label;
    fcImageBtn1 = e.button;
    e = addEntry("Label5", "fcImageBtn5", QStringLiteral("数据库备份"), "backup", 0, 1,
                 [this] { Label5Click(); });
    Label5 = e.label;
    fcImageBtn5 = e.button;
    e = addEntry("Label3", "fcImageBtn3", QStringLiteral("计算器"), "calc", 0, 2, [this] { Label3Click(); });
    Label3 = e.label;
    fcImageBtn3 = e.button;
    e = addEntry("Label4", "fcImageBtn4", QStringLiteral("公司信息"), "company", 0, 3,
                 [this] { Label4Click(); });
    Label4 = e.label;
    fcImageBtn4 = e.button;
    e = addEntry("Label2", "fcImageBtn2", QStringLiteral("关于-房产软件"), "about", 1, 0,
                 [this] { Label2Click(); });
    Label2 = e.label;
    fcImageBtn2 = e.button;
    e = addEntry("Label6", "fcImageBtn6", QStringLiteral("用户管理"), "users", 1, 1,
                 [this] { Label6Click(); });
    Label6 = e.label;
    fcImageBtn6 = e.button;
    e = addEntry("Label7", "fcImageBtn7", QStringLiteral("在线升级"), "update", 1, 2,
                 [this] { Label7Click(); });
    Label7 = e.label;
    fcImageBtn7 = e.button;
    HighlightPageEntry(this, Label1, fcImageBtn1);
    FormCreate(main);
}

void Twd4_Form::Label1Click() {
    PageActions::run(m_actions.showDictForm);
}

void Twd4_Form::Label5Click() {
    PageActions::run(m_actions.showBackupForm);
}

// Any calculator serves; the launcher beside the program finds the desktop's own. A missing
// launcher is not reported.
void Twd4_Form::Label3Click() {
    ProgramLauncher::open(AppGlobals.AppPath + QStringLiteral("/calc"));
}

void Twd4_Form::Label4Click() {
    PageActions::run(m_actions.showCompanyForm);
}

void Twd4_Form::Label2Click() {
    PageActions::run(m_actions.showAboutBox);
}

void Twd4_Form::Label6Click() {
    PageActions::run(m_actions.showUserForm);
}

// The end is requested first and takes effect when this handler has returned, so the updater
// finds the program's files free to replace.
void Twd4_Form::Label7Click() {
    if (MessageBoxService::show(this, QStringLiteral("询问"),
                                QStringLiteral("确定要更新吗？将关闭当前系统!!!"), MsgIcon::Question,
                                MsgButtons::YesNo) == MsgAnswer::No)
        return;
    ProgramEnd::request();
    ProgramLauncher::open(AppGlobals.AppPath + QStringLiteral("/Corvane"));
}

void Twd4_Form::fcImageBtn1MouseMove(QObject* control) {
    PageEntryMouseMove(this, control);
}

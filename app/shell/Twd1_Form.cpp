#include "Twd1_Form.h"

#include "PageHighlight.h"

Twd1_Form* wd1_Form = nullptr;

Twd1_Form::Twd1_Form(TmainForm* main, const PageActions& actions)
    : FunctionPage(QStringLiteral("日常业务")), m_actions(actions) {
    setObjectName(QStringLiteral("wd1_Form"));
    setEntryMouseMove([this](QObject* c) { fcImageBtn1MouseMove(c); });
    Entry e = addEntry("Label1", "fcImageBtn1", QStringLiteral("出租单管理"), "lease", 0, 0,
                       [this] { Label1Click(); });
    Label1 = e.label;
    fcImageBtn1 = e.button;
    e = addEntry("Label2", "fcImageBtn2", QStringLiteral("出租跟踪报警"), "alarm", 0, 1,
                 [this] { Label2Click(); });
    Label2 = e.label;
    fcImageBtn2 = e.button;
    e = addEntry("Label12", "fcImageBtn12", QStringLiteral("求租单管理"), "rentdemand", 0, 2,
                 [this] { Label12Click(); });
    Label12 = e.label;
    fcImageBtn12 = e.button;
    e = addEntry("Label8", "fcImageBtn8", QStringLiteral("出售单管理"), "sale", 1, 0,
                 [this] { Label8Click(); });
    Label8 = e.label;
    fcImageBtn8 = e.button;
    e = addEntry("Label10", "fcImageBtn10", QStringLiteral("求购单管理"), "purchase", 1, 1,
                 [this] { Label10Click(); });
    Label10 = e.label;
    fcImageBtn10 = e.button;
    HighlightPageEntry(this, Label1, fcImageBtn1);
    FormCreate(main);
}

void Twd1_Form::Label1Click() {
    PageActions::run(m_actions.showLeaseForm);
}

void Twd1_Form::Label2Click() {
    PageActions::run(m_actions.showAlarmForm);
}

void Twd1_Form::Label12Click() {
    PageActions::run(m_actions.showRentForm);
}

void Twd1_Form::Label8Click() {
    PageActions::run(m_actions.showSaleForm);
}

void Twd1_Form::Label10Click() {
    PageActions::run(m_actions.showPurchaseForm);
}

void Twd1_Form::fcImageBtn1MouseMove(QObject* control) {
    PageEntryMouseMove(this, control);
}

#include "Twd2_Form.h"

#include "PageHighlight.h"

Twd2_Form* wd2_Form = nullptr;

Twd2_Form::Twd2_Form(TmainForm* main) : FunctionPage(QStringLiteral("其它业务")) {
    setObjectName(QStringLiteral("wd2_Form"));
    setEntryMouseMove([this](QObject* c) { fcImageBtn10MouseMove(c); });
    Entry e = addEntry("Label10", "fcImageBtn10", QStringLiteral("个人中介统计"), "personalstat", 0, 0);
    Label10 = e.label;
    fcImageBtn10 = e.button;
    e = addEntry("Label11", "fcImageBtn11", QStringLiteral("全部业务统计"), "allstat", 0, 1);
    Label11 = e.label;
    fcImageBtn11 = e.button;
    HighlightPageEntry(this, nullptr, nullptr);
    FormCreate(main);
}

void Twd2_Form::fcImageBtn10MouseMove(QObject* control) {
    PageEntryMouseMove(this, control);
}

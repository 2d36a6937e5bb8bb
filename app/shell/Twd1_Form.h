#pragma once

#include "FunctionPage.h"
#include "PageActions.h"

// The daily business page: leases, follow-up alarms, rent demands, sales, purchase demands.
class Twd1_Form : public FunctionPage {
    Q_OBJECT
public:
    Twd1_Form(TmainForm* main, const PageActions& actions);

    QLabel* Label1 = nullptr;
    PictureButton* fcImageBtn1 = nullptr;
    QLabel* Label2 = nullptr;
    PictureButton* fcImageBtn2 = nullptr;
    QLabel* Label12 = nullptr;
    PictureButton* fcImageBtn12 = nullptr;
    QLabel* Label8 = nullptr;
    PictureButton* fcImageBtn8 = nullptr;
    QLabel* Label10 = nullptr;
    PictureButton* fcImageBtn10 = nullptr;

    void Label1Click();
    void Label2Click();
    void Label12Click();
    void Label8Click();
    void Label10Click();
    void fcImageBtn1MouseMove(QObject* control);

private:
    PageActions m_actions;
};

extern Twd1_Form* wd1_Form;

#pragma once

#include "FunctionPage.h"
#include "PageActions.h"

// The basic data page: dictionary, backup, calculator, company, about, users, online update.
class Twd4_Form : public FunctionPage {
    Q_OBJECT
public:
    Twd4_Form(TmainForm* main, const PageActions& actions);

    QLabel* Label1 = nullptr;
    PictureButton* fcImageBtn1 = nullptr;
    QLabel* Label5 = nullptr;
    PictureButton* fcImageBtn5 = nullptr;
    QLabel* Label3 = nullptr;
    PictureButton* fcImageBtn3 = nullptr;
    QLabel* Label4 = nullptr;
    PictureButton* fcImageBtn4 = nullptr;
    QLabel* Label2 = nullptr;
    PictureButton* fcImageBtn2 = nullptr;
    QLabel* Label6 = nullptr;
    PictureButton* fcImageBtn6 = nullptr;
    QLabel* Label7 = nullptr;
    PictureButton* fcImageBtn7 = nullptr;

    void Label1Click();
    void Label5Click();
    void Label3Click();
    void Label4Click();
    void Label2Click();
    void Label6Click();
    void Label7Click();
    void fcImageBtn1MouseMove(QObject* control);

private:
    PageActions m_actions;
};

extern Twd4_Form* wd4_Form;

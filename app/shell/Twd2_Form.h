#pragma once

#include "FunctionPage.h"

// The other business page: the statistics entries, which have no windows yet. Its tab is
// hidden, so the page only ever lies beneath the daily business page.
class Twd2_Form : public FunctionPage {
    Q_OBJECT
public:
    explicit Twd2_Form(TmainForm* main);

    QLabel* Label10 = nullptr;
    PictureButton* fcImageBtn10 = nullptr;
    QLabel* Label11 = nullptr;
    PictureButton* fcImageBtn11 = nullptr;

    void fcImageBtn10MouseMove(QObject* control);
};

extern Twd2_Form* wd2_Form;

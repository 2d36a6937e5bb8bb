#pragma once

#include "RecordDetailWindow.h"

// The purchase demand detail (房屋求购): one demand, entered, edited and printed as a demand sheet.
class TFrm_PurchaseDetail : public RecordDetailWindow {
    Q_OBJECT
public:
    explicit TFrm_PurchaseDetail(QWidget* parent = nullptr);

    CheckListBox* CLBZW;
    CheckListBox* CLBXS;
};

extern TFrm_PurchaseDetail* Frm_PurchaseDetail;

#pragma once

#include "RecordDetailWindow.h"

// The rent demand detail (房屋求租): one demand, entered, edited and printed as a demand sheet.
class TFrm_RentDetail : public RecordDetailWindow {
    Q_OBJECT
public:
    explicit TFrm_RentDetail(QWidget* parent = nullptr);

    CheckListBox* CLBZW;
    CheckListBox* CLBXS;
};

extern TFrm_RentDetail* Frm_RentDetail;

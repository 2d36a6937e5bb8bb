#pragma once

#include "RecordDetailWindow.h"

// The sale listing detail (房屋出售): one listing, sold or cancelled, modified back to unsold, and
// its bill. Its buttons and pop-ups run the detail base's handlers on the sale family's description.
class TFrm_SaleDetail : public RecordDetailWindow {
    Q_OBJECT
public:
    explicit TFrm_SaleDetail(QWidget* parent = nullptr);

    QToolButton* TbSale;
    QToolButton* TBVacate;
    CheckListBox* CLBZW;
    CheckListBox* CLBXS;
};

extern TFrm_SaleDetail* Frm_SaleDetail;

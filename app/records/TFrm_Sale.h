#pragma once

#include "RecordListWindow.h"

class TFrm_SaleDetail;

// The sale listings list (房屋出售管理): the listings registered in a date range, by state; cell
// focus and no 刷新.
class TFrm_Sale : public RecordListWindow {
    Q_OBJECT
public:
    explicit TFrm_Sale(QWidget* parent = nullptr);

    TFrm_SaleDetail* detail() const;

    QCheckBox* CKBALL;
    QCheckBox* CKBYCZ;
    QCheckBox* CKBWCZ;
    QCheckBox* CKBZF;
};

extern TFrm_Sale* Frm_Sale;

#pragma once

#include "RecordListWindow.h"

class TFrm_LeaseDetail;

// The lease listings list (房屋出租管理): the listings registered in a date range, by state.
class Tfrm_HouseLease : public RecordListWindow {
    Q_OBJECT
public:
    explicit Tfrm_HouseLease(QWidget* parent = nullptr);

    TFrm_LeaseDetail* detail() const;

    QCheckBox* CKBALL;
    QCheckBox* CKBYCZ;
    QCheckBox* CKBWCZ;
    QCheckBox* CKBZF;
};

extern Tfrm_HouseLease* frm_HouseLease;

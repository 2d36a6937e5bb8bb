#pragma once

#include "RecordListWindow.h"

class TFrm_RentDetail;

// The rent demands list (房屋求租管理): the demands registered in a date range, newest first.
class TFrm_Rent : public RecordListWindow {
    Q_OBJECT
public:
    explicit TFrm_Rent(QWidget* parent = nullptr);

    TFrm_RentDetail* detail() const;
};

extern TFrm_Rent* Frm_Rent;

#pragma once

#include "RecordListWindow.h"

class TFrm_PurchaseDetail;

// The purchase demands list (房屋求购管理): the demands registered in a date range, newest first.
class TFrm_Purchase : public RecordListWindow {
    Q_OBJECT
public:
    explicit TFrm_Purchase(QWidget* parent = nullptr);

    TFrm_PurchaseDetail* detail() const;
};

extern TFrm_Purchase* Frm_Purchase;

#pragma once

#include "RecordDetailWindow.h"

// The follow-up reminder detail (房屋出租报警): one let house of the reminder list, whose follow-up
// date and flag are moved or cleared, whose lease is edited, or which is offered again (再租).
class TFrm_AlarmDetail : public RecordDetailWindow {
    Q_OBJECT
public:
    explicit TFrm_AlarmDetail(QWidget* parent = nullptr);

    QToolButton* TBReturn;
    CheckListBox* CLBZW;
    CheckListBox* CLBXS;
};

extern TFrm_AlarmDetail* Frm_AlarmDetail;

#pragma once

#include "RecordListWindow.h"

class TFrm_AlarmDetail;

// The follow-up reminder list (房屋出租报警管理): let houses whose follow-up date lies in the range.
class Tfrm_Alarm : public RecordListWindow {
    Q_OBJECT
public:
    explicit Tfrm_Alarm(QWidget* parent = nullptr);

    TFrm_AlarmDetail* detail() const;
};

extern Tfrm_Alarm* frm_Alarm;

#include "Tfrm_Alarm.h"

#include "AlarmFamily.h"
#include "TFrm_AlarmDetail.h"

Tfrm_Alarm* frm_Alarm = nullptr;

Tfrm_Alarm::Tfrm_Alarm(QWidget* parent) : RecordListWindow(AlarmFamily::get(), parent) {
    setObjectName(QStringLiteral("frm_Alarm"));
}

TFrm_AlarmDetail* Tfrm_Alarm::detail() const {
    return static_cast<TFrm_AlarmDetail*>(detailWindow());
}

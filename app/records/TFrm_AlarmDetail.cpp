#include "TFrm_AlarmDetail.h"

#include "AlarmFamily.h"
#include "TFrm_LeaseDetail.h"

TFrm_AlarmDetail* Frm_AlarmDetail = nullptr;

TFrm_AlarmDetail::TFrm_AlarmDetail(QWidget* parent) : RecordDetailWindow(AlarmFamily::get(), parent) {
    setObjectName(QStringLiteral("Frm_AlarmDetail"));
    TBReturn = actionButton(QStringLiteral("TBReturn"));
    CLBZW = checkList(QStringLiteral("CLBZW"));
    CLBXS = checkList(QStringLiteral("CLBXS"));
    AddFollowUpNote(this);
}

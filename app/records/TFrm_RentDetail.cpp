#include "TFrm_RentDetail.h"

#include "RentFamily.h"

TFrm_RentDetail* Frm_RentDetail = nullptr;

TFrm_RentDetail::TFrm_RentDetail(QWidget* parent) : RecordDetailWindow(RentFamily::get(), parent) {
    setObjectName(QStringLiteral("Frm_RentDetail"));
    CLBZW = checkList(QStringLiteral("CLBZW"));
    CLBXS = checkList(QStringLiteral("CLBXS"));
}

#include "TFrm_PurchaseDetail.h"

#include "PurchaseFamily.h"

TFrm_PurchaseDetail* Frm_PurchaseDetail = nullptr;

TFrm_PurchaseDetail::TFrm_PurchaseDetail(QWidget* parent)
    : RecordDetailWindow(PurchaseFamily::get(), parent) {
    setObjectName(QStringLiteral("Frm_PurchaseDetail"));
    CLBZW = checkList(QStringLiteral("CLBZW"));
    CLBXS = checkList(QStringLiteral("CLBXS"));
}

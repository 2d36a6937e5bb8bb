#include "TFrm_Purchase.h"

#include "PurchaseFamily.h"
#include "TFrm_PurchaseDetail.h"

TFrm_Purchase* Frm_Purchase = nullptr;

TFrm_Purchase::TFrm_Purchase(QWidget* parent) : RecordListWindow(PurchaseFamily::get(), parent) {
    setObjectName(QStringLiteral("Frm_Purchase"));
}

TFrm_PurchaseDetail* TFrm_Purchase::detail() const {
    return static_cast<TFrm_PurchaseDetail*>(detailWindow());
}

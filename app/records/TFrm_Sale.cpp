#include "TFrm_Sale.h"

#include "SaleFamily.h"
#include "TFrm_SaleDetail.h"

TFrm_Sale* Frm_Sale = nullptr;

TFrm_Sale::TFrm_Sale(QWidget* parent) : RecordListWindow(SaleFamily::get(), parent) {
    setObjectName(QStringLiteral("Frm_Sale"));
    CKBALL = filterBox(QStringLiteral("CKBALL"));
    CKBYCZ = filterBox(QStringLiteral("CKBYCZ"));
    CKBWCZ = filterBox(QStringLiteral("CKBWCZ"));
    CKBZF = filterBox(QStringLiteral("CKBZF"));
}

TFrm_SaleDetail* TFrm_Sale::detail() const {
    return static_cast<TFrm_SaleDetail*>(detailWindow());
}

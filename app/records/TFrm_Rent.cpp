#include "TFrm_Rent.h"

#include "RentFamily.h"
#include "TFrm_RentDetail.h"

TFrm_Rent* Frm_Rent = nullptr;

TFrm_Rent::TFrm_Rent(QWidget* parent) : RecordListWindow(RentFamily::get(), parent) {
    setObjectName(QStringLiteral("Frm_Rent"));
}

TFrm_RentDetail* TFrm_Rent::detail() const {
    return static_cast<TFrm_RentDetail*>(detailWindow());
}

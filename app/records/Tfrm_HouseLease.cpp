#include "Tfrm_HouseLease.h"

#include "LeaseFamily.h"
#include "TFrm_LeaseDetail.h"

Tfrm_HouseLease* frm_HouseLease = nullptr;

Tfrm_HouseLease::Tfrm_HouseLease(QWidget* parent) : RecordListWindow(LeaseFamily::get(), parent) {
    setObjectName(QStringLiteral("frm_HouseLease"));
    CKBALL = filterBox(QStringLiteral("CKBALL"));
    CKBYCZ = filterBox(QStringLiteral("CKBYCZ"));
    CKBWCZ = filterBox(QStringLiteral("CKBWCZ"));
    CKBZF = filterBox(QStringLiteral("CKBZF"));
}

TFrm_LeaseDetail* Tfrm_HouseLease::detail() const {
    return static_cast<TFrm_LeaseDetail*>(detailWindow());
}

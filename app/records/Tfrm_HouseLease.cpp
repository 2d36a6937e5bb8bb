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

void Tfrm_HouseLease::setDetail(TFrm_LeaseDetail* detail) {
    m_leaseDetail = detail;
    setDetailWindow(detail);
}

void Tfrm_HouseLease::TbPrintClick() {
    // The focused row, pending edits and all, with the percent as it stands now.
    if (m_leaseDetail)
        m_leaseDetail->PrintRecord(percentText());
}

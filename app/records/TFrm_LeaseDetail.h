#pragma once

#include "RecordDetailWindow.h"

// The lease listing detail (房屋出租信息): one listing, let, cancelled or offered again, and its bill.
class TFrm_LeaseDetail : public RecordDetailWindow {
    Q_OBJECT
public:
    explicit TFrm_LeaseDetail(QWidget* parent = nullptr);

    QToolButton* TbLease;
    QToolButton* TBVacate;
    QToolButton* TBReturn;
    CheckListBox* CLBZW;
    CheckListBox* CLBXS;

    void TbLeaseClick();
    void TBVacateClick();
    void TBReturnClick();
    void CBZWPopup() { CheckListPopup(QStringLiteral("CBZW")); }
    void CLBZWClickCheck() { CheckListClickCheck(QStringLiteral("CBZW")); }
    void CBXSPopup() { CheckListPopup(QStringLiteral("CBXS")); }
    void CLBXSClickCheck() { CheckListClickCheck(QStringLiteral("CBXS")); }
    void ppReport1PreviewFormCreate() {}
};

extern TFrm_LeaseDetail* Frm_LeaseDetail;

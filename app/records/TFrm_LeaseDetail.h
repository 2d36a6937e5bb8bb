#pragma once

#include "RecordDetailWindow.h"

// The lease listing detail (房屋出租信息): one listing, let, cancelled or offered again, and its bill.
// Its buttons and pop-ups run the detail base's handlers on the lease family's description.
class TFrm_LeaseDetail : public RecordDetailWindow {
    Q_OBJECT
public:
    explicit TFrm_LeaseDetail(QWidget* parent = nullptr);

    QToolButton* TbLease;
    QToolButton* TBVacate;
    QToolButton* TBReturn;
    CheckListBox* CLBZW;
    CheckListBox* CLBXS;
};

extern TFrm_LeaseDetail* Frm_LeaseDetail;

// The hint under the follow-up editors of the windows over the lease table.
void AddFollowUpNote(RecordDetailWindow* window);

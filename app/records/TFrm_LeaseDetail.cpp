#include "TFrm_LeaseDetail.h"

#include "GroupFrame.h"
#include "LeaseFamily.h"

#include <QGridLayout>
#include <QLabel>

TFrm_LeaseDetail* Frm_LeaseDetail = nullptr;

TFrm_LeaseDetail::TFrm_LeaseDetail(QWidget* parent) : RecordDetailWindow(LeaseFamily::get(), parent) {
    setObjectName(QStringLiteral("Frm_LeaseDetail"));
    TbLease = actionButton(QStringLiteral("TbLease"));
    TBVacate = actionButton(QStringLiteral("TBVacate"));
    TBReturn = actionButton(QStringLiteral("TBReturn"));
    CLBZW = checkList(QStringLiteral("CLBZW"));
    CLBXS = checkList(QStringLiteral("CLBXS"));

    AddFollowUpNote(this);
}

void AddFollowUpNote(RecordDetailWindow* window) {
    if (GroupFrame* group = window->group(QStringLiteral("租房跟踪"))) {
        auto* note = new QLabel(QStringLiteral("跟踪\"已出租\"的房屋信息,租期到期给予提示。"), group);
        note->setObjectName(QStringLiteral("LbTrackNote"));
        note->setStyleSheet(QStringLiteral("color:#555;"));
        group->grid()->addWidget(note, 1, 0, 1, 6);
    }
}

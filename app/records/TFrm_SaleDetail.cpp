#include "TFrm_SaleDetail.h"

#include "SaleFamily.h"

TFrm_SaleDetail* Frm_SaleDetail = nullptr;

TFrm_SaleDetail::TFrm_SaleDetail(QWidget* parent) : RecordDetailWindow(SaleFamily::get(), parent) {
    setObjectName(QStringLiteral("Frm_SaleDetail"));
    TbSale = actionButton(QStringLiteral("TbSale"));
    TBVacate = actionButton(QStringLiteral("TBVacate"));
    CLBZW = checkList(QStringLiteral("CLBZW"));
    CLBXS = checkList(QStringLiteral("CLBXS"));
}

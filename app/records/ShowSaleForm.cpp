#include "ShowSaleForm.h"

#include "ShowRecordForm.h"
#include "TFrm_Sale.h"
#include "TFrm_SaleDetail.h"

void ShowSaleForm() {
    ShowRecordForm(Frm_Sale, Frm_SaleDetail);
}

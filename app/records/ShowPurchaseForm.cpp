#include "ShowPurchaseForm.h"

#include "ShowRecordForm.h"
#include "TFrm_Purchase.h"
#include "TFrm_PurchaseDetail.h"

void ShowPurchaseForm() {
    ShowRecordForm(Frm_Purchase, Frm_PurchaseDetail);
}

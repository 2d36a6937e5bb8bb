#include "ShowLeaseForm.h"

#include "ShowRecordForm.h"
#include "TFrm_LeaseDetail.h"
#include "Tfrm_HouseLease.h"

void ShowLeaseForm() {
    ShowRecordForm(frm_HouseLease, Frm_LeaseDetail);
}

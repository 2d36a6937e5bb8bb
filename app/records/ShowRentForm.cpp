#include "ShowRentForm.h"

#include "ShowRecordForm.h"
#include "TFrm_Rent.h"
#include "TFrm_RentDetail.h"

void ShowRentForm() {
    ShowRecordForm(Frm_Rent, Frm_RentDetail);
}

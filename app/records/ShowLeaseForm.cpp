#include "ShowLeaseForm.h"

#include "ModalSeam.h"
#include "TFrm_LeaseDetail.h"
#include "Tfrm_HouseLease.h"

#include <memory>

void ShowLeaseForm() {
    // The detail goes first when the routine ends, also when an error leaves it.
    auto list = std::make_unique<Tfrm_HouseLease>();
    auto detail = std::make_unique<TFrm_LeaseDetail>();
    frm_HouseLease = list.get();
    Frm_LeaseDetail = detail.get();
    struct Forget {
        ~Forget() {
            Frm_LeaseDetail = nullptr;
            frm_HouseLease = nullptr;
        }
    } forget;
    list->setDetail(detail.get());
    list->SetOpeningRange();
    list->SpeedButton1Click();
    list->FillPickLists();
    ModalSeam::exec(list.get());
    detail.reset();
}

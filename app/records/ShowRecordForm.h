#pragma once

#include <memory>

// The opening routine of every record family (ShowLeaseForm, ShowSaleForm ...): creates the list
// window, then the detail window, and points the family's window instances at them; lists the
// opening range, fills the pick lists and shows the list modally. When it closes, or an error
// leaves the routine, the detail window is freed first, then the list, and the instances are
// forgotten.
template <class List, class Detail> void ShowRecordForm(List*& listInstance, Detail*& detailInstance) {
    auto list = std::make_unique<List>();
    auto detail = std::make_unique<Detail>();
    listInstance = list.get();
    detailInstance = detail.get();
    struct Forget {
        List*& list;
        Detail*& detail;
        ~Forget() {
            detail = nullptr;
            list = nullptr;
        }
    } forget{listInstance, detailInstance};
    struct DetailFirst {
        std::unique_ptr<Detail>& detail;
        ~DetailFirst() { detail.reset(); }
    } detailFirst{detail};
    list->ShowWith(detail.get());
}

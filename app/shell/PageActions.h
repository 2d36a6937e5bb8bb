#pragma once

#include <functional>

// The opening routines the main window and its function pages call. main.cpp fills in what the
// program has; an empty opener makes its entry do nothing.
struct PageActions {
    using Opener = std::function<void()>;

    Opener showLeaseForm;
    Opener showAlarmForm;
    Opener showRentForm;
    Opener showSaleForm;
    Opener showPurchaseForm;
    Opener showDictForm;
    Opener showBackupForm;
    Opener showCompanyForm;
    Opener showAboutBox;
    Opener showUserForm;
    Opener showSysConfigForm;
    Opener showModifyPassWordForm;
    // The follow-up reminder check run whenever the main window becomes active.
    Opener alarmCheck;

    static void run(const Opener& opener) {
        if (opener)
            opener();
    }
};

#pragma once

#include <QString>

#include <cstdint>

// The program-wide settings record: the rates and print mode from S_参数表, the company
// profile, and where the database and the program live.
struct TSetValue {
    int32_t SaleCommission = 0;       // CCYJ
    int32_t LeaseCommission = 0;      // CZYJ
    int32_t DemandCommission = 0;     // QZQGYJ
    int32_t MortgageCommission = 0;   // AJYJ
    int32_t AgencySaleCommission = 0; // DLXSYJ
    int32_t TitleAgencyFee = 0;       // DBZQF
    uint8_t PrintMode = 0;            // 0 designer, 1 preview, 2 print
    QString CompanyName;
    QString CompanyTel;
    bool ShowTel = false;          // DisPlayTel = "1"
    int32_t ConnectOption = 0;     // 1 = local file, other = server
    bool MaintenanceLogin = false; // MyConnect.ini [Connect] MaintenanceLogin=1 on this workstation
    QString AppPath;               // program folder, no trailing "/"
    QString DBPath;                // the local database file (file mode)
};

extern TSetValue AppGlobals;

// The default name of the local database file in the program's Data folder.
extern QString DefaultDBName;

#pragma once

#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "FreeQuery.h"
#include "ToolbarGlyphs.h"

#include <QString>

// The data module: the program's one database connection, the shared scratch query and the
// tool-bar pictures. Created first at start-up; DataModuleCreate() then opens the connection
// (main.cpp calls it right after creating UserDM).
class TUserDM {
public:
    // executablePath: the running program (empty = this process); tests give a program elsewhere.
    explicit TUserDM(const QString& executablePath = QString());
    TUserDM(const TUserDM&) = delete;
    TUserDM& operator=(const TUserDM&) = delete;

    DatabaseConnection ADOConnection1;
    FreeQuery QryFree;
    ToolbarGlyphs ImageList1;

    // Sets AppPath, reads MyConnect.ini and opens the connection, with the settings dialog and
    // one more attempt when opening fails. On return the connection is open unless the user gave up.
    void DataModuleCreate();

    // The connection text in the program's traditional form, kept for display and diagnosis, and
    // the settings the connection is really opened with.
    const QString& connStr() const { return ConnStr; }
    const ConnectionSettings& connectionSettings() const { return m_settings; }

    // The folder of an executable, without a trailing "/" ("" for a program in "/").
    static QString programFolder(const QString& executablePath);
    // The traditional connection text of the local file.
    static QString fileConnectionText(const QString& dbPath);

private:
    void BuildConnectionString();
    void openConnection();
    void recover();

    QString m_executablePath;
    QString ConnStr;
    ConnectionSettings m_settings;
};

extern TUserDM* UserDM;

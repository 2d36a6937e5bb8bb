#include "TUserDM.h"

#include "DbError.h"
#include "ErrorGuard.h"
#include "LintaraSchema.h"
#include "MessageBoxService.h"
#include "MyConnectIni.h"
#include "ProgramEnd.h"
#include "TSetConfigFrm.h"
#include "TSetValue.h"

#include <QCoreApplication>
#include <QFileInfo>

TUserDM* UserDM = nullptr;

TUserDM::TUserDM(const QString& executablePath)
    : ADOConnection1(QStringLiteral("ADOConnection1")), QryFree(ADOConnection1),
      m_executablePath(executablePath) {}

QString TUserDM::programFolder(const QString& executablePath) {
    QString folder = QFileInfo(executablePath).absolutePath();
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString TUserDM::fileConnectionText(const QString& dbPath) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=") + dbPath +
           QStringLiteral(";Mode=ReadWrite;Extended Properties=\"\";"
                          "Jet OLEDB:System database=\"\";"
                          "Jet OLEDB:Registry Path=\"\";"
                          "Jet OLEDB:Database Password='") +
           ConnectionSettings::localFilePassword() +
           QStringLiteral("' ;"
                          "Jet OLEDB:Engine Type=5;"
                          "Jet OLEDB:Database Locking Mode=1;"
                          "Jet OLEDB:Global Partial Bulk Ops=2;"
                          "Jet OLEDB:Global Bulk Transactions=1;"
                          "Jet OLEDB:New Database Password=\"\";"
                          "Jet OLEDB:Create System Database=False;"
                          "Jet OLEDB:Encrypt Database=False;"
                          "Jet OLEDB:Don't Copy Locale on Compact=False;"
                          "Jet OLEDB:Compact Without Replica Repair=False;"
                          "Jet OLEDB:SFP=False");
}

void TUserDM::DataModuleCreate() {
    const QString exe =
        m_executablePath.isEmpty() ? QCoreApplication::applicationFilePath() : m_executablePath;
    AppGlobals.AppPath = programFolder(exe);
    try {
        BuildConnectionString();
        openConnection();
    } catch (const std::exception&) {
        recover();
    }
}

void TUserDM::openConnection() {
    ADOConnection1.close();
    ADOConnection1.open(m_settings);
    // An older database gets the program's schema now; one that cannot be upgraded is not used.
    try {
        LintaraSchema::upgrade(ADOConnection1);
    } catch (...) {
        ADOConnection1.close();
        throw;
    }
}

void TUserDM::recover() {
    // When the end is already requested (no settings file and the dialog left) there is nobody
    // left to ask: the program ends at the next turn of the loop.
    if (ProgramEnd::requested())
        return;
    MessageBoxService::show(nullptr, QStringLiteral("警告"),
                            QStringLiteral("连接数据库失败,请检查网络是否联通、网络驱动器映象是否正确！"),
                            MsgIcon::NoIcon, MsgButtons::Ok);
    bool confirmed = false;
    ErrorGuard::run(nullptr, [&] { confirmed = ShowSetConfigForm(SetConfigLeaving::Unconnected); });
    if (!confirmed)
        return; // carry on unconnected: the login refuses silently, the user can only leave
    try {
        BuildConnectionString();
        openConnection();
    } catch (const std::exception&) {
        ProgramEnd::request();
    }
}

void TUserDM::BuildConnectionString() {
    const QString path = MyConnectIni::pathIn(AppGlobals.AppPath);
    if (!QFileInfo::exists(path))
        ShowSetConfigForm(SetConfigLeaving::EndsProgram);
    if (!QFileInfo::exists(path))
        ProgramEnd::request(); // deferred: the steps below still run once with the defaults

    MyConnectIni ini = MyConnectIni::read(path);
    if (!ini.readable)
        throw DbError(QStringLiteral("MyConnect.ini 无法读取"));
    AppGlobals.ConnectOption = ini.connectOption;
    AppGlobals.MaintenanceLogin = ini.maintenanceLogin;

    ConnectionSettings s;
    s.timeoutSeconds = 5;
    if (ini.fileMode()) {
        AppGlobals.DBPath = ini.dbNames;
        if (AppGlobals.DBPath.isEmpty()) {
            AppGlobals.DBPath = AppGlobals.AppPath + QStringLiteral("/Data/") + DefaultDBName;
            ini.dbNames = AppGlobals.DBPath;
            ini.writeLocal(path);
        }
        ConnStr = fileConnectionText(AppGlobals.DBPath);
        s.engine = SqlEngine::SqlCipher;
        s.filePath = AppGlobals.DBPath;
        s.key = ConnectionSettings::localFilePassword();
    } else {
        ConnStr = QStringLiteral("Provider=SQLOLEDB.1;Password=") + ini.password +
                  QStringLiteral(";Persist Security Info=True;User ID=") + ini.userName +
                  QStringLiteral(";Initial Catalog=") + ini.dataBaseName + QStringLiteral(";Data Source=") +
                  ini.serverName;
        if (ini.driver.compare(QStringLiteral("SQLServer"), Qt::CaseInsensitive) == 0)
            s.engine = SqlEngine::SqlServer;
        else if (ini.driver.compare(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) == 0)
            s.engine = SqlEngine::PostgreSql;
        else
            throw DbError(QStringLiteral("MyConnect.ini: 未知的数据库驱动 %1").arg(ini.driver));
        s.server = ini.serverName;
        s.port = ini.port;
        s.user = ini.userName;
        s.password = ini.password;
        s.database = ini.dataBaseName;
    }
    m_settings = s;
}

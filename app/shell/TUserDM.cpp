#include "TUserDM.h"

#include "DbError.h"
#include "ErrorGuard.h"
#include "LintaraSchema.h"
#include "MessageBoxService.h"
#include "ProfileFile.h"
#include "ProgramEnd.h"
#include "TSetConfigFrm.h"
#include "TSetValue.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

TUserDM* UserDM = nullptr;

namespace {
const QString kConnect = QStringLiteral("Connect");
const QString kLocalDB = QStringLiteral("LocalDB");
const QString kDataBase = QStringLiteral("DataBase");

QString iniPath() {
    return AppGlobals.AppPath + QStringLiteral("/MyConnect.ini");
}

// A settings file that is no UTF-8 text (binary junk, another code page) is not read at all: its
// values would be misread and a write-back would mangle what it holds.
bool readableText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (data.contains('\0'))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(data);
    return !decoder.hasError() && !text.contains(QChar::ReplacementCharacter);
}
} // namespace

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
    ErrorGuard::run(nullptr, [&] { confirmed = ShowSetConfigForm(); });
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
    const QString path = iniPath();
    if (!QFileInfo::exists(path))
        ShowSetConfigForm();
    if (!QFileInfo::exists(path))
        ProgramEnd::request(); // deferred: the steps below still run once with the defaults
    else if (!readableText(path))
        throw DbError(QStringLiteral("MyConnect.ini 无法读取"));

    ProfileFile ini(path);
    ini.setWritePermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    AppGlobals.ConnectOption = ini.readInteger(kConnect, QStringLiteral("ConnectOption"), 1);
    AppGlobals.MaintenanceLogin = ini.readInteger(kConnect, QStringLiteral("MaintenanceLogin"), 0) == 1;

    ConnectionSettings s;
    s.timeoutSeconds = 5;
    if (AppGlobals.ConnectOption == 1) {
        AppGlobals.DBPath = ini.readString(kLocalDB, QStringLiteral("DBnames"));
        if (AppGlobals.DBPath.isEmpty()) {
            AppGlobals.DBPath = AppGlobals.AppPath + QStringLiteral("/Data/") + DefaultDBName;
            ini.writeString(kLocalDB, QStringLiteral("DBnames"), AppGlobals.DBPath);
        }
        ConnStr = fileConnectionText(AppGlobals.DBPath);
        s.engine = SqlEngine::SqlCipher;
        s.filePath = AppGlobals.DBPath;
        s.key = ConnectionSettings::localFilePassword();
    } else {
        const QString password = ini.readString(kDataBase, QStringLiteral("Password"));
        const QString user = ini.readString(kDataBase, QStringLiteral("UserName"), QStringLiteral("sa"));
        const QString database = ini.readString(kDataBase, QStringLiteral("DataBaseName"));
        const QString server = ini.readString(kDataBase, QStringLiteral("ServerName"));
        ConnStr = QStringLiteral("Provider=SQLOLEDB.1;Password=") + password +
                  QStringLiteral(";Persist Security Info=True;User ID=") + user +
                  QStringLiteral(";Initial Catalog=") + database + QStringLiteral(";Data Source=") + server;

        const QString driver =
            ini.readString(kDataBase, QStringLiteral("Driver"), QStringLiteral("SQLServer"));
        if (driver.compare(QStringLiteral("SQLServer"), Qt::CaseInsensitive) == 0)
            s.engine = SqlEngine::SqlServer;
        else if (driver.compare(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) == 0)
            s.engine = SqlEngine::PostgreSql;
        else
            throw DbError(QStringLiteral("MyConnect.ini: 未知的数据库驱动 %1").arg(driver));
        s.server = server;
        s.port = ini.readInteger(kDataBase, QStringLiteral("Port"), 0);
        s.user = user;
        s.password = password;
        s.database = ini.readString(kDataBase, QStringLiteral("DataBaseName"));
    }
    m_settings = s;
}

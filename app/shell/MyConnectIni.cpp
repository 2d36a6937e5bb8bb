#include "MyConnectIni.h"

#include "ProfileFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace {
const QString kConnect = QStringLiteral("Connect");
const QString kLocalDB = QStringLiteral("LocalDB");
const QString kDataBase = QStringLiteral("DataBase");

// The file may hold a server password: readable by its owner only.
void ownerOnly(ProfileFile& ini) {
    ini.setWritePermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// Moves an unreadable file aside under a dated name, so what it held can still be recovered by
// hand, and returns that name.
QString keepUnreadable(const QString& path) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString copy = path + QLatin1Char('.') + stamp;
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = path + QLatin1Char('.') + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path, copy))
        throw std::runtime_error(QStringLiteral("无法保留无法读取的文件 %1").arg(path).toStdString());
    return copy;
}

// The settings file ready for writing; an unreadable one is moved aside first.
QString prepare(const QString& path, const QStringList& values) {
    for (const QString& v : values)
        if (!MyConnectIni::writable(v))
            throw std::invalid_argument(
                QStringLiteral("设置值含有换行或控制字符,无法写入 %1").arg(path).toStdString());
    ProfileFile probe(path);
    return probe.readable() ? QString() : keepUnreadable(path);
}
} // namespace

QString MyConnectIni::pathIn(const QString& programFolder) {
    return programFolder + QStringLiteral("/MyConnect.ini");
}

bool MyConnectIni::writable(const QString& value) {
    return ProfileFile::writable(value);
}

MyConnectIni MyConnectIni::read(const QString& path) {
    MyConnectIni s;
    const ProfileFile ini(path);
    s.readable = ini.readable();
    s.connectOption = ini.readInteger(kConnect, QStringLiteral("ConnectOption"), s.connectOption);
    s.maintenanceLogin = ini.readInteger(kConnect, QStringLiteral("MaintenanceLogin"), 0) == 1;
    s.dbNames = ini.readString(kLocalDB, QStringLiteral("DBnames"));
    s.serverName = ini.readString(kDataBase, QStringLiteral("ServerName"));
    s.dataBaseName = ini.readString(kDataBase, QStringLiteral("DataBaseName"));
    s.userName = ini.readString(kDataBase, QStringLiteral("UserName"), s.userName);
    s.password = ini.readString(kDataBase, QStringLiteral("Password"));
    s.driver = ini.readString(kDataBase, QStringLiteral("Driver"), s.driver);
    s.port = ini.readInteger(kDataBase, QStringLiteral("Port"), s.port);
    return s;
}

QString MyConnectIni::writeLocal(const QString& path) const {
    const QString copy = prepare(path, {dbNames});
    ProfileFile ini(path);
    ownerOnly(ini);
    ini.writeString(kLocalDB, QStringLiteral("DBnames"), dbNames);
    return copy;
}

QString MyConnectIni::writeServer(const QString& path) const {
    const QString copy = prepare(path, {serverName, dataBaseName, userName, password});
    ProfileFile ini(path);
    ownerOnly(ini);
    ini.writeString(kDataBase, QStringLiteral("ServerName"), serverName);
    ini.writeString(kDataBase, QStringLiteral("DataBaseName"), dataBaseName);
    ini.writeString(kDataBase, QStringLiteral("UserName"), userName);
    ini.writeString(kDataBase, QStringLiteral("Password"), password);
    return copy;
}

#include "UpdateSettings.h"

#include "ProfileFile.h"

UpdateSettings::UpdateSettings(const QString& path) : m_path(path) {
    const ProfileFile ini(path);
    m_subSys = ini.readString(QStringLiteral("vexa"), QStringLiteral("SubSys"));
    m_exe = ini.readString(QStringLiteral("vexa"), QStringLiteral("exe"));
    m_publicKey = ini.readString(QStringLiteral("vexa"), QStringLiteral("PublicKey")).trimmed();
    m_servers = ini.entries(QStringLiteral("update"));
}

QString UpdateSettings::serverUrl(const QString& name) const {
    return ProfileFile(m_path).readString(QStringLiteral("update"), name, QStringLiteral("http://"));
}

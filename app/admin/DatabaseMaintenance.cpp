#include "DatabaseMaintenance.h"

#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "FileMaintenance.h"
#include "ServerMaintenance.h"
#include "SqlCipherFile.h"

std::unique_ptr<DatabaseMaintenance> DatabaseMaintenance::forConnection(DatabaseConnection& connection) {
    if (connection.engine() == SqlEngine::SqlCipher)
        return std::make_unique<FileMaintenance>(connection);
    return std::make_unique<ServerMaintenance>(connection);
}

const QStringList& DatabaseMaintenance::tables() {
    static const QStringList names{
        QStringLiteral("H_出租表"), QStringLiteral("H_出售表"),   QStringLiteral("H_求租表"),
        QStringLiteral("H_求购表"), QStringLiteral("S_用户表"),   QStringLiteral("S_字典"),
        QStringLiteral("S_参数表"), QStringLiteral("S_收件单号"), QStringLiteral("S_企业信息")};
    return names;
}

QString DatabaseMaintenance::keyColumn(const QString& table) {
    if (table.startsWith(QStringLiteral("H_")))
        return QStringLiteral("ID");
    if (table == QStringLiteral("S_用户表"))
        return QStringLiteral("编号");
    return {};
}

QString DatabaseMaintenance::backupKey() {
    return ConnectionSettings::localFilePassword();
}

void DatabaseMaintenance::checkBackupFile(const QString& path) {
    SqlCipherFile file(path, backupKey(), SqlCipherFile::Mode::ReadOnly);
    const QStringList problems = file.integrityProblems();
    if (!problems.isEmpty())
        throw DbError(QStringLiteral("%1 已损坏: %2").arg(path, problems.join(QStringLiteral("; "))));
    const QStringList present = file.tableNames();
    for (const QString& table : tables())
        if (!present.contains(table, Qt::CaseInsensitive))
            throw DbError(QStringLiteral("%1 缺少表 %2").arg(path, table));
}

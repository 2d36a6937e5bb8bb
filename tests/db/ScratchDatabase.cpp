#include "ScratchDatabase.h"

#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"
#include "HouseDbMaker.h"
#include "SqlDialect.h"
#include "TestSupport.h"

#include <QFile>

ScratchDatabase::ScratchDatabase(const QString& engine) {
    if (engine == QLatin1String("sqlcipher")) {
        m_settings.engine = SqlEngine::SqlCipher;
        m_settings.filePath = m_dir.filePath(QStringLiteral("House.HDB"));
        m_settings.key = ConnectionSettings::localFilePassword();
        HouseDbMaker::make(m_settings.filePath, m_settings.key);
        return;
    }
    m_settings.engine = SqlEngine::PostgreSql;
    m_settings.server = TestSupport::pgHost();
    m_settings.port = TestSupport::pgPort();
    m_settings.user = TestSupport::pgUser();
    m_settings.database = TestSupport::pgCreateDatabase(QStringLiteral("lintara"));
    {
        DatabaseConnection loader(QStringLiteral("scratch_loader"));
        loader.open(m_settings);
        runScript(loader, TestSupport::sourceDir() + QStringLiteral("/db/postgresql.sql"));
    }
    if (engine == QLatin1String("odbc")) {
        m_settings.engine = SqlEngine::SqlServer;
        m_settings.odbcDriver = QStringLiteral("PostgreSQL Unicode");
    }
}

QStringList ScratchDatabase::engines() {
    if (!TestSupport::pgAvailable())
        return {QStringLiteral("sqlcipher")};
    return {QStringLiteral("sqlcipher"), QStringLiteral("postgresql"), QStringLiteral("odbc")};
}

void ScratchDatabase::runScript(DatabaseConnection& connection, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("cannot read ") + path);
    QString statement;
    FreeQuery query(connection);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        if (line.trimmed().startsWith(QStringLiteral("--")))
            continue;
        statement += line + u'\n';
        if (line.trimmed().endsWith(u';')) {
            query.setSql(statement.trimmed());
            query.execute();
            statement.clear();
        }
    }
}

void ScratchDatabase::insertRow(DatabaseConnection& connection, const QString& table,
                                const QVariantMap& values) {
    const SqlDialect& dialect = connection.dialect();
    QStringList columns;
    QStringList params;
    int n = 0;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns << it.key();
        params << QStringLiteral(":p%1").arg(n++);
    }
    FreeQuery query(connection);
    query.setSql(
        QStringLiteral("insert into %1 (%2) values (%3)").arg(table, columns.join(u','), params.join(u',')));
    n = 0;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        QVariant v = it.value();
        if (v.typeId() == QMetaType::QDate)
            v = dialect.dateValue(v.toDate());
        else if (v.typeId() == QMetaType::Bool)
            v = dialect.boolValue(v.toBool());
        query.setParam(QStringLiteral("p%1").arg(n++), v);
    }
    query.execute();
}

QStringList ScratchDatabase::processArguments() const {
    if (m_settings.engine == SqlEngine::SqlCipher)
        return {QStringLiteral("sqlcipher"), m_settings.filePath};
    return {QStringLiteral("postgresql"), m_settings.server, QString::number(m_settings.port),
            m_settings.user, m_settings.database};
}

bool ScratchDatabase::fromArguments(const QStringList& args, ConnectionSettings& settings) {
    if (args.size() >= 2 && args[0] == QLatin1String("sqlcipher")) {
        settings.engine = SqlEngine::SqlCipher;
        settings.filePath = args[1];
        settings.key = ConnectionSettings::localFilePassword();
        return true;
    }
    if (args.size() >= 5 && args[0] == QLatin1String("postgresql")) {
        settings.engine = SqlEngine::PostgreSql;
        settings.server = args[1];
        settings.port = args[2].toInt();
        settings.user = args[3];
        settings.database = args[4];
        return true;
    }
    return false;
}

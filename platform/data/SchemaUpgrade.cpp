#include "SchemaUpgrade.h"

#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"
#include "SqlDialect.h"

namespace {
const QString kParams = QStringLiteral("S_参数表");

bool hasVersionRow(FreeQuery& q) {
    q.close();
    q.setSql(QStringLiteral("Select 参数值 from S_参数表 where 编码=:Name"));
    q.setParam(QStringLiteral("Name"), SchemaUpgrade::versionKey());
    q.open();
    return !q.isEmpty();
}

int readVersion(FreeQuery& q) {
    if (!hasVersionRow(q))
        return 0;
    bool ok = false;
    const int v = q.text(QStringLiteral("参数值")).trimmed().toInt(&ok);
    if (!ok || v < 0)
        throw DbError(QStringLiteral("数据库结构版本无法识别: %1").arg(q.text(QStringLiteral("参数值"))));
    return v;
}

void writeVersion(FreeQuery& q, int version) {
    const bool exists = hasVersionRow(q);
    q.close();
    q.setSql(exists ? QStringLiteral("Update S_参数表 Set 参数值=:Value where 编码=:Name")
                    : QStringLiteral("Insert into S_参数表 (编码,参数值) values (:Name,:Value)"));
    q.setParam(QStringLiteral("Name"), SchemaUpgrade::versionKey());
    q.setParam(QStringLiteral("Value"), QString::number(version));
    q.execute();
}
} // namespace

const QStringList& SchemaStep::statements(SqlEngine engine) const {
    switch (engine) {
    case SqlEngine::PostgreSql:
        return postgreSql;
    case SqlEngine::SqlServer:
        return sqlServer;
    case SqlEngine::SqlCipher:
        break;
    }
    return sqlCipher;
}

QString SchemaUpgrade::versionKey() {
    return QStringLiteral("SchemaVersion");
}

int SchemaUpgrade::version(DatabaseConnection& connection) {
    FreeQuery q(connection);
    return readVersion(q);
}

int SchemaUpgrade::run(DatabaseConnection& connection, const std::vector<SchemaStep>& steps) {
    if (steps.empty())
        return 0;
    // Quick look first: a database that is up to date is not locked at every start.
    if (version(connection) >= steps.back().version)
        return 0;

    FreeQuery q(connection);
    int applied = 0;
    connection.begin();
    try {
        // Another workstation may be upgrading the same database: wait for it, then read again.
        const QString lock = connection.dialect().exclusiveLockSql(kParams);
        if (!lock.isEmpty()) {
            q.setSql(lock);
            q.execute();
        }
        const int from = readVersion(q);
        int reached = from;
        for (const SchemaStep& step : steps) {
            if (step.version <= reached)
                continue;
            for (const QString& sql : step.statements(connection.engine())) {
                q.close();
                q.setSql(sql);
                q.execute();
            }
            reached = step.version;
            ++applied;
        }
        if (reached != from)
            writeVersion(q, reached);
        q.close();
        connection.commit();
    } catch (...) {
        q.close();
        try {
            connection.rollback();
        } catch (const DbError&) {
            // The failing step is the error worth reporting.
        }
        throw;
    }
    return applied;
}

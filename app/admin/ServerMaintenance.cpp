#include "ServerMaintenance.h"

#include "BackupNames.h"
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "FilePlacement.h"
#include "FreeQuery.h"
#include "HouseDbMaker.h"
#include "SqlDialect.h"
#include "TableCopy.h"

#include <algorithm>

namespace {

void run(DatabaseConnection& connection, const QString& sql) {
    if (sql.isEmpty())
        return;
    FreeQuery query(connection);
    query.setSql(sql);
    query.execute();
}

qint64 number(DatabaseConnection& connection, const QString& sql) {
    FreeQuery query(connection);
    query.setSql(sql);
    query.open();
    return query.isEmpty() ? 0 : query.value(0).toLongLong();
}

// A second connection, on a backup file, for the duration of one operation.
class BackupFileConnection {
public:
    explicit BackupFileConnection(const QString& path) : m_connection(QStringLiteral("lintara_backup_file")) {
        ConnectionSettings s;
        s.engine = SqlEngine::SqlCipher;
        s.filePath = path;
        s.key = DatabaseMaintenance::backupKey();
        m_connection.open(s);
    }
    DatabaseConnection& operator*() { return m_connection; }

private:
    DatabaseConnection m_connection;
};

// Rolls back a transaction that is still open when an error leaves the scope.
struct RollbackOnError {
    DatabaseConnection& connection;
    ~RollbackOnError() {
        if (connection.inTransaction()) {
            try {
                connection.rollback();
            } catch (const DbError&) {
            }
        }
    }
};

} // namespace

ServerMaintenance::ServerMaintenance(DatabaseConnection& connection) : m_connection(connection) {}

void ServerMaintenance::copyAll(DatabaseConnection& from, DatabaseConnection& to, const Progress& progress) {
    qint64 total = 0;
    for (const QString& table : tables())
        total += TableCopy::rowCount(from, table);
    qint64 before = 0;
    TableCopy copy(from, to);
    for (const QString& table : tables()) {
        run(to, QStringLiteral("DELETE FROM %1").arg(table));
        run(to, to.dialect().explicitKeysSql(table, true));
        copy.copy(table, [&](qint64 rows) {
            if (progress)
                progress(before + rows, total);
        });
        run(to, to.dialect().explicitKeysSql(table, false));
        before += TableCopy::rowCount(to, table);

        // The next key continues where the source's counter stands, not just after the last row
        // left: keys of deleted rows are never handed out again.
        const QString key = keyColumn(table);
        if (key.isEmpty())
            continue;
        const qint64 last = std::max(number(from, from.dialect().lastKeySql(table, key)),
                                     number(from, QStringLiteral("SELECT max(%1) FROM %2").arg(key, table)));
        for (const QString& sql : to.dialect().setLastKeySql(table, key, last))
            run(to, sql);
    }
    if (progress)
        progress(total, total);
}

void ServerMaintenance::backup(const QString& target, const Progress& progress) {
    const QString temp = BackupNames::besideTemp(target);
    FilePlacement::removeWithJournal(temp);
    try {
        HouseDbMaker::make(temp, backupKey());
        {
            BackupFileConnection file(temp);
            RollbackOnError fileGuard{*file};
            RollbackOnError serverGuard{m_connection};
            (*file).begin();
            m_connection.begin();
            run(m_connection, m_connection.dialect().snapshotReadSql());
            copyAll(m_connection, *file, progress);
            m_connection.rollback(); // nothing was written on the server
            (*file).commit();
        }
        FilePlacement::moveIntoPlace(temp, target);
    } catch (...) {
        FilePlacement::removeWithJournal(temp);
        throw;
    }
}

void ServerMaintenance::restore(const QString& source, const Progress& progress) {
    checkBackupFile(source);
    BackupFileConnection file(source);
    RollbackOnError serverGuard{m_connection};
    m_connection.begin();
    copyAll(*file, m_connection, progress);
    m_connection.commit();
}

void ServerMaintenance::compact(const Progress& progress) {
    if (progress)
        progress(0, 0);
    run(m_connection, m_connection.dialect().maintenanceSql());
    if (progress)
        progress(1, 1);
}

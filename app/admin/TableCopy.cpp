#include "TableCopy.h"

#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"
#include "SqlDialect.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <vector>

namespace {

// Few enough parameters for every engine (SQLite allows 999 in one statement).
constexpr int kParametersPerInsert = 900;

QVariant toColumnKind(const QVariant& value, int type, const SqlDialect& dialect) {
    switch (type) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.isNull() ? QVariant(QMetaType(QMetaType::LongLong)) : QVariant(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return value.isNull() ? QVariant(QMetaType(QMetaType::Double)) : QVariant(value.toDouble());
    case QMetaType::Bool:
        return value.isNull() ? QVariant(QMetaType(QMetaType::Bool)) : dialect.boolValue(value.toBool());
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return dialect.dateValue(value.isNull() ? QDate() : value.toDate());
    default:
        return value.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(value.toString());
    }
}

// The columns of a table; PostgreSQL keeps unquoted names in lower case, and its driver looks names
// up as given unless they are quoted.
QSqlRecord columnsOf(DatabaseConnection& connection, const QString& table) {
    QSqlRecord record = connection.database().record(table);
    if (record.isEmpty())
        record = connection.database().record(connection.dialect().quoteIdentifier(table));
    return record;
}

QString insertSql(const QString& table, const QStringList& columns, int rows) {
    const QString tuple = u'(' + QStringList(columns.size(), QStringLiteral("?")).join(u',') + u')';
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(table, columns.join(u','), QStringList(rows, tuple).join(u','));
}

} // namespace

TableCopy::TableCopy(DatabaseConnection& from, DatabaseConnection& to) : m_from(from), m_to(to) {}

qint64 TableCopy::rowCount(DatabaseConnection& connection, const QString& table) {
    FreeQuery query(connection);
    query.setSql(QStringLiteral("SELECT count(*) FROM %1").arg(table));
    query.open();
    return query.value(0).toLongLong();
}

void TableCopy::copy(const QString& table, const RowsDone& rowsDone) {
    const QSqlRecord source = columnsOf(m_from, table);
    const QSqlRecord target = columnsOf(m_to, table);
    if (source.isEmpty() || target.isEmpty())
        throw DbError(QStringLiteral("没有表 %1").arg(table));
    QStringList columns;
    std::vector<int> kinds;
    for (int i = 0; i < source.count(); ++i) {
        const QString name = source.fieldName(i);
        int at = -1;
        for (int j = 0; j < target.count() && at < 0; ++j)
            if (target.fieldName(j).compare(name, Qt::CaseInsensitive) == 0)
                at = j;
        if (at < 0)
            throw DbError(QStringLiteral("表 %1 缺少列 %2").arg(table, name));
        columns << name;
        kinds.push_back(target.field(at).metaType().id());
    }

    QSqlQuery read(m_from.database());
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM %2").arg(columns.join(u','), table)))
        throw DbError::fromSqlError(read.lastError(), QStringLiteral("读取表 %1 失败").arg(table));

    const SqlDialect& dialect = m_to.dialect();
    const int perInsert = std::max(1, kParametersPerInsert / int(columns.size()));
    QSqlQuery fullInsert(m_to.database());
    if (!fullInsert.prepare(insertSql(table, columns, perInsert)))
        throw DbError::fromSqlError(fullInsert.lastError(), QStringLiteral("写入表 %1 失败").arg(table));

    QVariantList pending;
    pending.reserve(perInsert * columns.size());
    qint64 written = 0;
    auto send = [&](QSqlQuery& insert) {
        for (const QVariant& v : std::as_const(pending))
            insert.addBindValue(v);
        if (!insert.exec())
            throw DbError::fromSqlError(insert.lastError(), QStringLiteral("写入表 %1 失败").arg(table));
        written += pending.size() / columns.size();
        pending.clear();
        if (rowsDone)
            rowsDone(written);
    };
    while (read.next()) {
        for (int i = 0; i < columns.size(); ++i)
            pending.append(toColumnKind(read.value(i), kinds[size_t(i)], dialect));
        if (pending.size() == perInsert * columns.size())
            send(fullInsert);
    }
    if (read.lastError().isValid())
        throw DbError::fromSqlError(read.lastError(), QStringLiteral("读取表 %1 失败").arg(table));
    if (!pending.isEmpty()) {
        QSqlQuery lastInsert(m_to.database());
        if (!lastInsert.prepare(insertSql(table, columns, int(pending.size() / columns.size()))))
            throw DbError::fromSqlError(lastInsert.lastError(), QStringLiteral("写入表 %1 失败").arg(table));
        send(lastInsert);
    }
}

#include "FreeQuery.h"

#include "DatabaseConnection.h"
#include "DbError.h"

#include <QSqlError>
#include <QSqlQuery>

FreeQuery::FreeQuery(DatabaseConnection& connection) : m_connection(connection) {}

void FreeQuery::close() {
    m_rows.clear();
    m_record = QSqlRecord();
    m_row = 0;
    m_open = false;
}

void FreeQuery::setSql(const QString& sql) {
    close();
    m_params.setSql(sql);
}

void FreeQuery::setParam(const QString& name, const QVariant& value) {
    m_params.setValue(name, value);
}

int FreeQuery::execute() {
    close();
    QSqlQuery query(m_connection.database());
    prepareAndRun(query);
    const int affected = query.numRowsAffected();
    query.finish();
    return affected < 0 ? 0 : affected;
}

void FreeQuery::open() {
    close();
    QSqlQuery query(m_connection.database());
    prepareAndRun(query);
    m_record = query.record();
    const int columns = m_record.count();
    while (query.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(query.value(c));
        m_rows.push_back(std::move(row));
    }
    if (query.lastError().isValid())
        throw DbError::fromSqlError(query.lastError(), m_params.sql().trimmed());
    // Reading to the end releases the engine's read lock at once (other workstations may write).
    query.finish();
    m_row = 0;
    m_open = true;
}

void FreeQuery::prepareAndRun(QSqlQuery& query) {
    if (!m_connection.isOpen())
        throw DbError(QStringLiteral("数据库没有连接"));
    query.setForwardOnly(true);
    bool ok = false;
    if (m_params.occurrenceCount() == 0) {
        // Nothing to bind: run the text as it is (PostgreSQL cannot prepare every kind of statement).
        ok = query.exec(m_params.sql());
    } else {
        if (!query.prepare(m_params.positionalSql()))
            throw DbError::fromSqlError(query.lastError(), m_params.sql().trimmed());
        m_params.bindTo(query);
        ok = query.exec();
    }
    if (!ok)
        throw DbError::fromSqlError(query.lastError(), m_params.sql().trimmed());
}

void FreeQuery::next() {
    if (m_row < int(m_rows.size()))
        ++m_row;
}

int FreeQuery::columnIndex(const QString& column) const {
    const int index = m_record.indexOf(column);
    if (index < 0)
        throw DbError(QStringLiteral("字段 %1 不存在: %2").arg(column, m_params.sql().trimmed()));
    return index;
}

QVariant FreeQuery::value(const QString& column) const {
    return value(columnIndex(column));
}

QVariant FreeQuery::value(int column) const {
    if (!m_open || eof())
        throw DbError(QStringLiteral("查询没有当前记录: %1").arg(m_params.sql().trimmed()));
    if (column < 0 || column >= m_record.count())
        throw DbError(QStringLiteral("字段序号 %1 不存在").arg(column));
    return m_rows[m_row].at(column);
}

QString FreeQuery::text(const QString& column) const {
    const QVariant v = value(column);
    return v.isNull() ? QString() : v.toString();
}

QSqlRecord FreeQuery::record() const {
    QSqlRecord result = m_record;
    if (m_open && !eof())
        for (int c = 0; c < result.count(); ++c)
            result.setValue(c, m_rows[m_row].at(c));
    return result;
}

QStringList FreeQuery::columnNames() const {
    QStringList names;
    for (int c = 0; c < m_record.count(); ++c)
        names.append(m_record.fieldName(c));
    return names;
}

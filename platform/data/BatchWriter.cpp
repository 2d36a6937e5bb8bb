#include "BatchWriter.h"

#include "BatchColumn.h"
#include "BatchPendingRow.h"
#include "BatchRow.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "SqlDialect.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

BatchWriter::BatchWriter(DatabaseConnection& connection, const QString& table,
                         const std::vector<BatchColumn>& columns, int keyColumn)
    : m_connection(connection), m_table(table), m_columns(columns), m_key(keyColumn) {}

QString BatchWriter::conflictMessage() {
    return QStringLiteral("该记录已被其他用户修改或删除,请刷新后重试!");
}

QString BatchWriter::columnSql(int column) const {
    // The name exactly as the driver reported it, quoted the driver's way (which also holds on an
    // ODBC source whose server is not the one the dialect expects).
    const QSqlDatabase db = m_connection.database();
    return db.driver()->escapeIdentifier(m_columns[size_t(column)].name, QSqlDriver::FieldName);
}

QVariant BatchWriter::bindable(int column, const QVariant& kept) const {
    const BatchColumn& c = m_columns[size_t(column)];
    const SqlDialect& dialect = m_connection.dialect();
    if (kept.isNull()) {
        if (c.kind == BatchColumn::Kind::Date)
            return dialect.dateValue(QDate());
        return QVariant(c.type.isValid() ? c.type : QMetaType(QMetaType::QString));
    }
    switch (c.kind) {
    case BatchColumn::Kind::Date:
        return dialect.dateValue(kept.toDate());
    case BatchColumn::Kind::Boolean:
        return dialect.boolValue(kept.toBool());
    case BatchColumn::Kind::Money:
        return QVariant(kept.toDouble());
    default:
        return kept;
    }
}

void BatchWriter::appendStoredCheck(QString& sql, QVariantList& binds, const BatchRow& stored) const {
    sql += QStringLiteral(" WHERE ");
    bool first = true;
    for (int c = 0; c < int(m_columns.size()); ++c) {
        const BatchColumn& column = m_columns[size_t(c)];
        // Long free-form values (memo, binary) are not comparable on every engine; the key and the
        // typed columns decide.
        if (column.kind == BatchColumn::Kind::Other && c != m_key)
            continue;
        if (!first)
            sql += QStringLiteral(" AND ");
        first = false;
        // Null-safe on every engine: a null read is checked with IS NULL, anything else with "=".
        if (stored.isNull(c)) {
            sql += columnSql(c) + QStringLiteral(" IS NULL");
        } else if (column.kind == BatchColumn::Kind::Money) {
            // Money travels as a binary fraction; rounded back to four places it is the stored amount.
            // The column is rounded too: an amount with more places (written by another tool) was
            // read as its four-place value and must still match it.
            sql +=
                QStringLiteral("ROUND(") + columnSql(c) + QStringLiteral(", 4) = CAST(? AS DECIMAL(19,4))");
            binds.append(bindable(c, column.decode(stored, c)));
        } else {
            sql += columnSql(c) + QStringLiteral(" = ?");
            binds.append(bindable(c, column.decode(stored, c)));
        }
    }
}

QSqlQuery& BatchWriter::newStatement() {
    m_statements.push_back(std::make_unique<QSqlQuery>(m_connection.database()));
    m_statements.back()->setForwardOnly(true);
    return *m_statements.back();
}

QSqlQuery& BatchWriter::run(const QString& sql, const QVariantList& binds, int expectAffected) {
    QSqlQuery& query = newStatement();
    if (!query.prepare(sql))
        throw DbError::fromSqlError(query.lastError(), sql);
    for (const QVariant& v : binds)
        query.addBindValue(v);
    if (!query.exec())
        throw DbError::fromSqlError(query.lastError(), sql);
    if (expectAffected >= 0 && query.numRowsAffected() != expectAffected)
        throw DbError(conflictMessage());
    return query;
}

void BatchWriter::remove(const BatchRow& stored) {
    QString sql = QStringLiteral("DELETE FROM ") + m_table;
    QVariantList binds;
    appendStoredCheck(sql, binds, stored);
    run(sql, binds, 1);
}

void BatchWriter::update(const BatchRow& stored, const BatchPendingRow& changes) {
    QString sql = QStringLiteral("UPDATE ") + m_table + QStringLiteral(" SET ");
    QVariantList binds;
    bool first = true;
    for (int c = 0; c < int(m_columns.size()); ++c) {
        if (!changes.has(c))
            continue;
        if (!first)
            sql += QStringLiteral(", ");
        first = false;
        sql += columnSql(c) + QStringLiteral(" = ?");
        binds.append(bindable(c, changes.values[c]));
    }
    if (first)
        return;
    appendStoredCheck(sql, binds, stored);
    run(sql, binds, 1);
}

QVariant BatchWriter::insert(const BatchPendingRow& values) {
    QString names;
    QString marks;
    QVariantList binds;
    for (int c = 0; c < int(m_columns.size()); ++c) {
        if (!values.has(c))
            continue;
        if (!binds.isEmpty()) {
            names += QStringLiteral(", ");
            marks += QStringLiteral(", ");
        }
        names += columnSql(c);
        marks += u'?';
        binds.append(bindable(c, values.values[c]));
    }
    QString sql = QStringLiteral("INSERT INTO ") + m_table;
    if (binds.isEmpty())
        sql += QStringLiteral(" DEFAULT VALUES");
    else
        sql += QStringLiteral(" (") + names + QStringLiteral(") VALUES (") + marks + u')';
    run(sql, binds, -1);

    if (m_key >= 0 && values.has(m_key))
        return values.values[m_key];
    if (m_key < 0)
        return {};
    const QString idSql = m_connection.dialect().lastInsertIdSql(m_table, m_columns[size_t(m_key)].name);
    QSqlQuery& query = newStatement();
    if (!query.exec(idSql))
        throw DbError::fromSqlError(query.lastError(), idSql);
    if (!query.next())
        throw DbError(QStringLiteral("读取新记录的编号失败: %1").arg(idSql));
    return query.value(0);
}

BatchRow BatchWriter::readBack(const QVariant& key, const BatchRow* stored, const BatchPendingRow& changes) {
    const int n = int(m_columns.size());
    QVariantList expected;
    expected.reserve(n);
    for (int c = 0; c < n; ++c)
        expected.append(changes.has(c) ? changes.values[c]
                                       : (stored ? m_columns[size_t(c)].decode(*stored, c) : QVariant()));

    BatchRow::Builder builder;
    if (m_key >= 0 && !key.isNull()) {
        QString sql = QStringLiteral("SELECT ");
        for (int c = 0; c < n; ++c)
            sql += (c ? QStringLiteral(", ") : QString()) + columnSql(c);
        sql += QStringLiteral(" FROM ") + m_table + QStringLiteral(" WHERE ") + columnSql(m_key) +
               QStringLiteral(" = ?");
        QSqlQuery& query = newStatement();
        if (!query.prepare(sql))
            throw DbError::fromSqlError(query.lastError(), sql);
        query.addBindValue(bindable(m_key, m_columns[size_t(m_key)].normalize(key)));
        if (!query.exec())
            throw DbError::fromSqlError(query.lastError(), sql);
        // A key that is not unique (a dictionary value of several types) picks the row just written.
        BatchRow fallback;
        while (query.next()) {
            builder.start(n);
            for (int c = 0; c < n; ++c)
                m_columns[size_t(c)].encode(builder, query.value(c));
            BatchRow row = builder.finish();
            bool same = true;
            for (int c = 0; c < n && same; ++c)
                if (changes.has(c) && m_columns[size_t(c)].decode(row, c) != expected[c])
                    same = false;
            if (same)
                return row;
            if (!fallback.isValid())
                fallback = std::move(row);
        }
        if (fallback.isValid())
            return fallback;
    }
    // Nothing to read back by: keep what was written.
    builder.start(n);
    for (int c = 0; c < n; ++c) {
        QVariant v = expected[c];
        if (c == m_key && !key.isNull())
            v = key;
        m_columns[size_t(c)].encodeKept(builder, v);
    }
    return builder.finish();
}

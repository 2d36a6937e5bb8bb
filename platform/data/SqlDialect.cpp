#include "SqlDialect.h"

#include <QDate>

const SqlDialect& SqlDialect::forEngine(SqlEngine engine) {
    static const SqlDialect cipher(SqlEngine::SqlCipher);
    static const SqlDialect server(SqlEngine::SqlServer);
    static const SqlDialect postgres(SqlEngine::PostgreSql);
    switch (engine) {
    case SqlEngine::SqlServer:
        return server;
    case SqlEngine::PostgreSql:
        return postgres;
    case SqlEngine::SqlCipher:
        break;
    }
    return cipher;
}

QString SqlDialect::trueLiteral() const {
    return m_engine == SqlEngine::PostgreSql ? QStringLiteral("true") : QStringLiteral("1");
}

QString SqlDialect::falseLiteral() const {
    return m_engine == SqlEngine::PostgreSql ? QStringLiteral("false") : QStringLiteral("0");
}

QString SqlDialect::withBooleanLiterals(const QString& sql) const {
    QString out;
    out.reserve(sql.size());
    int i = 0;
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'[') {
            // Quoted text and quoted names pass unchanged.
            const QChar close = c == u'[' ? QChar(u']') : c;
            const int end = sql.indexOf(close, i + 1);
            const int stop = end < 0 ? int(sql.size()) : end + 1;
            out += sql.mid(i, stop - i);
            i = stop;
        } else if (isWordChar(c)) {
            int j = i;
            while (j < sql.size() && isWordChar(sql[j]))
                ++j;
            const QString word = sql.mid(i, j - i);
            if (word.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                out += trueLiteral();
            else if (word.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                out += falseLiteral();
            else
                out += word;
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QVariant SqlDialect::boolValue(bool value) const {
    if (m_engine == SqlEngine::SqlCipher)
        return QVariant(value ? 1 : 0);
    return QVariant(value);
}

QVariant SqlDialect::dateParam(const QString& text) const {
    const QString trimmed = text.trimmed();
    const QDate date = QDate::fromString(trimmed, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return QVariant(text);
    return dateValue(date);
}

QVariant SqlDialect::dateValue(const QDate& date) const {
    if (!date.isValid())
        return QVariant(QMetaType(QMetaType::QDate));
    if (m_engine == SqlEngine::SqlCipher)
        return QVariant(date.toString(QStringLiteral("yyyy-MM-dd")));
    return QVariant(date);
}

QString SqlDialect::lastInsertIdSql(const QString& table, const QString& keyColumn) const {
    switch (m_engine) {
    case SqlEngine::SqlServer:
        // The session's last identity; a separate ODBC batch has no scope of its own.
        Q_UNUSED(table);
        return QStringLiteral("SELECT @@IDENTITY");
    case SqlEngine::PostgreSql: {
        // Unquoted names fold to lower case in PostgreSQL, so the key column is stored as "id".
        const QString quotedTable = QString(table).replace(u'\'', QStringLiteral("''"));
        return QStringLiteral("SELECT currval(pg_get_serial_sequence('%1', '%2'))")
            .arg(quotedTable, keyColumn.toLower());
    }
    case SqlEngine::SqlCipher:
        break;
    }
    return QStringLiteral("SELECT last_insert_rowid()");
}

QString SqlDialect::quoteIdentifier(const QString& name) const {
    if (m_engine == SqlEngine::SqlServer)
        return u'[' + QString(name).replace(u']', QStringLiteral("]]")) + u']';
    QString folded = name;
    if (m_engine == SqlEngine::PostgreSql) {
        // The schema is written with unquoted names, which PostgreSQL folds to lower case (ASCII only).
        for (QChar& c : folded)
            if (c.unicode() < 128)
                c = c.toLower();
    }
    return u'"' + folded.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString SqlDialect::exclusiveLockSql(const QString& table) const {
    switch (m_engine) {
    case SqlEngine::PostgreSql:
        return QStringLiteral("LOCK TABLE %1 IN EXCLUSIVE MODE").arg(table);
    case SqlEngine::SqlServer:
        return QStringLiteral("SELECT COUNT(*) FROM %1 WITH (TABLOCKX, HOLDLOCK)").arg(table);
    case SqlEngine::SqlCipher:
        break;
    }
    return QString();
}

namespace {
QString sqlText(const QString& text) {
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}
} // namespace

QString SqlDialect::lastKeySql(const QString& table, const QString& keyColumn) const {
    switch (m_engine) {
    case SqlEngine::SqlServer:
        return QStringLiteral("SELECT IDENT_CURRENT(%1)").arg(sqlText(table));
    case SqlEngine::PostgreSql:
        return QStringLiteral(
                   "SELECT pg_sequence_last_value(CAST(pg_get_serial_sequence(%1, %2) AS regclass))")
            .arg(sqlText(table), sqlText(keyColumn.toLower()));
    case SqlEngine::SqlCipher:
        break;
    }
    return QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = %1").arg(sqlText(table));
}

QStringList SqlDialect::setLastKeySql(const QString& table, const QString& keyColumn, qint64 last) const {
    switch (m_engine) {
    case SqlEngine::SqlServer:
        return {QStringLiteral("DBCC CHECKIDENT (%1, RESEED, %2)").arg(sqlText(table)).arg(last)};
    case SqlEngine::PostgreSql: {
        const QString sequence = QStringLiteral("pg_get_serial_sequence(%1, %2)")
                                     .arg(sqlText(table), sqlText(keyColumn.toLower()));
        if (last > 0)
            return {QStringLiteral("SELECT setval(%1, %2, true)").arg(sequence).arg(last)};
        return {QStringLiteral("SELECT setval(%1, 1, false)").arg(sequence)};
    }
    case SqlEngine::SqlCipher:
        break;
    }
    return {QStringLiteral("DELETE FROM sqlite_sequence WHERE name = %1").arg(sqlText(table)),
            QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (%1, %2)")
                .arg(sqlText(table))
                .arg(last)};
}

QString SqlDialect::explicitKeysSql(const QString& table, bool on) const {
    if (m_engine != SqlEngine::SqlServer)
        return {};
    return QStringLiteral("SET IDENTITY_INSERT %1 %2")
        .arg(quoteIdentifier(table), on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

QString SqlDialect::maintenanceSql() const {
    switch (m_engine) {
    case SqlEngine::SqlServer:
        return QStringLiteral("EXEC sp_updatestats");
    case SqlEngine::PostgreSql:
        return QStringLiteral("VACUUM ANALYZE");
    case SqlEngine::SqlCipher:
        break;
    }
    return QStringLiteral("VACUUM");
}

QString SqlDialect::snapshotReadSql() const {
    if (m_engine == SqlEngine::PostgreSql)
        return QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ");
    return {};
}

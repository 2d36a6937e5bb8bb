#include "SqlParameters.h"

#include "DbError.h"

#include <QSqlQuery>

namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// Index just past a quoted run that starts at i with the quote character q (doubled quotes escape).
qsizetype skipQuoted(const QString& sql, qsizetype i, QChar close) {
    const qsizetype n = sql.size();
    ++i;
    while (i < n) {
        if (sql.at(i) == close) {
            if (i + 1 < n && sql.at(i + 1) == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return n;
}

} // namespace

void SqlParameters::setSql(const QString& sql) {
    m_sql = sql;
    m_positional.clear();
    m_params.clear();
    m_occurrences.clear();
    m_positional.reserve(sql.size());

    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        qsizetype end = i;
        if (c == u'\'' || c == u'"') {
            end = skipQuoted(sql, i, c);
        } else if (c == u'[') {
            end = skipQuoted(sql, i, u']');
        } else if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            end = sql.indexOf(u'\n', i);
            end = end < 0 ? n : end;
        } else if (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*') {
            end = sql.indexOf(QStringLiteral("*/"), i + 2);
            end = end < 0 ? n : end + 2;
        } else if (c == u':' && i + 1 < n && sql.at(i + 1) == u':') {
            end = i + 2; // a PostgreSQL cast
        } else if (c == u':' && i + 1 < n && isNameStart(sql.at(i + 1))) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(sql.at(j)))
                ++j;
            const QString name = sql.mid(i + 1, j - i - 1);
            int index = indexOf(name);
            if (index < 0) {
                m_params.append(Param{name, QVariant(), false});
                index = int(m_params.size()) - 1;
            }
            m_occurrences.append(index);
            m_positional += u'?';
            i = j;
            continue;
        } else {
            end = i + 1;
        }
        m_positional += QStringView(sql).mid(i, end - i);
        i = end;
    }
}

QStringList SqlParameters::names() const {
    QStringList result;
    for (const Param& p : m_params)
        result.append(p.name);
    return result;
}

int SqlParameters::indexOf(const QString& name) const {
    const QStringView bare = name.startsWith(u':') ? QStringView(name).mid(1) : QStringView(name);
    for (int i = 0; i < m_params.size(); ++i)
        if (bare.compare(m_params.at(i).name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void SqlParameters::setValue(const QString& name, const QVariant& value) {
    const int index = indexOf(name);
    if (index < 0)
        throw DbError(QStringLiteral("参数 %1 不在语句中: %2").arg(name, m_sql.trimmed()));
    m_params[index].value = value;
    m_params[index].set = true;
}

QVariant SqlParameters::value(const QString& name) const {
    const int index = indexOf(name);
    return index < 0 ? QVariant() : m_params.at(index).value;
}

bool SqlParameters::hasValue(const QString& name) const {
    const int index = indexOf(name);
    return index >= 0 && m_params.at(index).set;
}

void SqlParameters::clearValues() {
    for (Param& p : m_params) {
        p.value = QVariant();
        p.set = false;
    }
}

QVariantList SqlParameters::positionalValues() const {
    QVariantList values;
    values.reserve(m_occurrences.size());
    for (int index : m_occurrences) {
        const Param& p = m_params.at(index);
        // A forgotten parameter would silently compare with null and find nothing.
        if (!p.set)
            throw DbError(QStringLiteral("参数 %1 没有值: %2").arg(p.name, m_sql.trimmed()));
        // Empty text is text on every engine: Qt's server drivers would send a null QString as NULL.
        if (!p.value.isNull() && p.value.typeId() == QMetaType::QString && p.value.toString().isNull())
            values.append(QVariant(QStringLiteral("")));
        else
            values.append(p.value);
    }
    return values;
}

void SqlParameters::bindTo(QSqlQuery& query) const {
    const QVariantList values = positionalValues();
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
}

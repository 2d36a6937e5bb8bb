#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlQuery;

// The named parameters (":name") of an SQL text. Names match without regard to case; the text is
// rewritten with positional "?" placeholders, which every engine's driver accepts, and the values are
// bound in placeholder order. String literals, quoted identifiers, comments and "::" casts are skipped.
class SqlParameters {
public:
    SqlParameters() = default;
    explicit SqlParameters(const QString& sql) { setSql(sql); }

    // Parses the text; forgets all values.
    void setSql(const QString& sql);
    const QString& sql() const { return m_sql; }
    // The text with every placeholder replaced by "?".
    const QString& positionalSql() const { return m_positional; }

    // Distinct names in order of first occurrence, spelled as in the text.
    QStringList names() const;
    // Placeholder occurrences (a name used twice counts twice).
    int occurrenceCount() const { return int(m_occurrences.size()); }
    bool contains(const QString& name) const { return indexOf(name) >= 0; }

    // Throws DbError when the name (with or without its colon) does not occur in the text.
    void setValue(const QString& name, const QVariant& value);
    QVariant value(const QString& name) const;
    bool hasValue(const QString& name) const;
    void clearValues();

    // The values in placeholder order; a null QString is bound as empty text (only a null QVariant is
    // NULL). Throws DbError when a parameter has no value.
    QVariantList positionalValues() const;
    // Binds positionalValues() to a query prepared with positionalSql().
    void bindTo(QSqlQuery& query) const;

private:
    struct Param {
        QString name;
        QVariant value;
        bool set = false;
    };
    int indexOf(const QString& name) const;

    QString m_sql;
    QString m_positional;
    QList<Param> m_params;
    QList<int> m_occurrences; // index into m_params per placeholder
};

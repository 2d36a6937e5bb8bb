#pragma once

#include "SqlParameters.h"

#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

class DatabaseConnection;
class QSqlQuery;

// The shared scratch query: close, set the text, set parameters by name, then open (a SELECT whose
// rows are all read at once, cursor on the first row) or execute. Every error is a DbError.
class FreeQuery {
public:
    explicit FreeQuery(DatabaseConnection& connection);

    void close();
    void setSql(const QString& sql);
    const QString& sql() const { return m_params.sql(); }
    // Name without the colon, matched without regard to case; a name not in the text is an error.
    void setParam(const QString& name, const QVariant& value);

    void open();
    // Returns the number of rows affected.
    int execute();

    bool isOpen() const { return m_open; }
    bool isEmpty() const { return m_rows.empty(); }
    bool eof() const { return m_row >= int(m_rows.size()); }
    int recordCount() const { return int(m_rows.size()); }
    int currentRow() const { return m_row; }
    void first() { m_row = 0; }
    void next();

    // The current row's value of a column (by name, without regard to case). Throws DbError for an
    // unknown column or when there is no current row.
    QVariant value(const QString& column) const;
    // As value(), null becomes empty text.
    QString text(const QString& column) const;
    QVariant value(int column) const;
    QSqlRecord record() const;
    QStringList columnNames() const;

private:
    int columnIndex(const QString& column) const;
    void prepareAndRun(QSqlQuery& query);

    DatabaseConnection& m_connection;
    SqlParameters m_params;
    QSqlRecord m_record;
    std::vector<QVariantList> m_rows;
    int m_row = 0;
    bool m_open = false;
};

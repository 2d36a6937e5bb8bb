#pragma once

#include <QString>

#include <functional>

class DatabaseConnection;

// Copies the rows of one table between two databases of the same schema on any engines, key
// values included, each value converted to the kind of its column in the target. The columns are
// those of the table in from.
class TableCopy {
public:
    // Called after each batch of rows written, with the rows of this table written so far.
    using RowsDone = std::function<void(qint64 rows)>;

    TableCopy(DatabaseConnection& from, DatabaseConnection& to);

    // Inserts every row of table in from into table in to; throws DbError.
    void copy(const QString& table, const RowsDone& rowsDone);

    static qint64 rowCount(DatabaseConnection& connection, const QString& table);

private:
    DatabaseConnection& m_from;
    DatabaseConnection& m_to;
};

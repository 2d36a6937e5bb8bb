#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class BatchColumn;
class BatchRow;
class DatabaseConnection;
struct BatchPendingRow;

// Writes the pending rows of a batch data set, one statement per row, inside the transaction the
// data set holds. Updates and deletes name every value the row held when it was read, so a row
// that another workstation changed or deleted meanwhile is refused instead of overwritten.
class BatchWriter {
public:
    BatchWriter(DatabaseConnection& connection, const QString& table, const std::vector<BatchColumn>& columns,
                int keyColumn);

    void remove(const BatchRow& stored);
    void update(const BatchRow& stored, const BatchPendingRow& changes);
    // Returns the key the new row received.
    QVariant insert(const BatchPendingRow& values);
    // The row as the database now holds it; stored is the row as read (null for an insert).
    BatchRow readBack(const QVariant& key, const BatchRow* stored, const BatchPendingRow& changes);

    static QString conflictMessage();

private:
    QVariant bindable(int column, const QVariant& kept) const;
    void appendStoredCheck(QString& sql, QVariantList& binds, const BatchRow& stored) const;
    QSqlQuery& run(const QString& sql, const QVariantList& binds, int expectAffected);
    QSqlQuery& newStatement();
    QString columnSql(int column) const;

    DatabaseConnection& m_connection;
    QString m_table;
    const std::vector<BatchColumn>& m_columns;
    int m_key;
    // Statements live as long as the writer, so none is released inside a failed transaction.
    std::vector<std::unique_ptr<QSqlQuery>> m_statements;
};

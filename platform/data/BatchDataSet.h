#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class DatabaseConnection;

// The client-side batch data set of a list window: the rows its query read, with pending inserts,
// edits and deletes kept per row until the batch is sent or discarded. One instance is shared by
// the list grid and the detail editors, so both stand on the same current row and show every edit
// at once.
class BatchDataSet : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class ColumnKind { Text, Integer, Money, Date, Boolean, Other };
    enum class State { Inactive, Browse, Edit, Insert };
    enum class RowStatus { Unchanged, Inserted, Modified };

    explicit BatchDataSet(DatabaseConnection& connection, QObject* parent = nullptr);
    ~BatchDataSet() override;

    // The query (named parameters, names matched without regard to case). setSql forgets the
    // parameter values; a name that is not in the text is an error. A QDate or bool value is bound
    // the way the engine's date and yes/no columns want it; texts go as they are.
    void setSql(const QString& sql);
    QString sql() const;
    void setParam(const QString& name, const QVariant& value);
    void clearParams();
    // Where sent rows are written: the table and its key column ("ID" by default).
    void setTableName(const QString& table);
    QString tableName() const;
    void setKeyField(const QString& column);
    QString keyField() const;

    void open(); // (re)runs the query; drops every pending change; current row = first or -1
    void close();
    bool isOpen() const;

    QStringList columnNames() const;
    int columnIndex(const QString& name) const; // without regard to case; -1 when absent
    ColumnKind columnKind(int column) const;
    int maxLength(int column) const; // text columns: characters; 0 = no limit

    // The cursor shared by the grid and the editors.
    int recordCount() const;
    bool isEmpty() const;
    int currentRow() const; // -1 when empty
    void setCurrentRow(int row);
    void first();
    void prior();
    void next();
    void last();

    // Fields of the current row (the pending value where there is one).
    QVariant value(const QString& column) const; // null QVariant for an empty value
    // Dates as DateText, money without trailing zeros, yes/no as "True"/"False", null -> "".
    QString text(const QString& column) const;
    bool isNull(const QString& column) const;
    // Puts the data set into edit (like an editor typing; on an empty list that appends a row) and
    // stores the value. A value the column cannot hold throws FieldValueError with a clear message;
    // nothing changes then. Money is kept exact to four places up to 900,719,925,474.0991.
    void setValue(const QString& column, const QVariant& value);
    void clearValue(const QString& column);          // text -> "", dates/numbers -> null
    QVariant storedValue(int row, int column) const; // as read from the database
    // The value of any row and column (pending value where there is one).
    QVariant valueAt(int row, int column) const;

    State state() const;
    // Moving to another row ends the current row's edit: posted when something was set, dropped
    // (an appended row vanishes) otherwise.
    void edit();          // current row into edit
    void append();        // new row at the end, becomes current, state Insert
    void post();          // ends the current row's edit; its changes stay pending
    void cancel();        // drops the current row's unposted edit
    void deleteCurrent(); // the row leaves the view; its delete stays pending

    bool hasPendingChanges() const;
    int pendingCount() const;
    RowStatus rowStatus(int row) const;

    // "Send the batch": post, then write every pending insert, edit and delete in one transaction.
    // Updates and deletes check that the row still holds the values this data set read. On any
    // failure: rollback, and every pending change stays pending. On success the written rows are
    // read back (inserts get their new key) and nothing is pending.
    void applyBatch();
    // "Discard the batch": cancel, then drop every pending change.
    void cancelBatch();

    // A column no written row may leave empty (the bill number): every pending row the batch writes
    // with an empty value there gets draw()'s value inside the batch's transaction, so what draw()
    // writes (the counter) commits or rolls back with the rows. When the batch fails those rows
    // are empty there again. An empty column name turns numbering off.
    void setNumbering(const QString& column, std::function<QVariant()> draw);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void currentRowChanged(int row);
    void stateChanged();
    void pendingChanged();
    void opened();
    // A row was appended (also by typing into an empty list) and is the current row, in insert.
    void rowAppended();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

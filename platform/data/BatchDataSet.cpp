#include "BatchDataSet.h"

#include "BatchColumn.h"
#include "BatchPendingRow.h"
#include "BatchRow.h"
#include "BatchWriter.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "SqlDialect.h"
#include "SqlParameters.h"
#include "Transaction.h"

#include <QDate>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

struct Entry {
    BatchRow stored;                          // as read; invalid for a row not yet written
    std::unique_ptr<BatchPendingRow> pending; // posted changes
};

struct DeletedEntry {
    Entry entry;
    int index; // where the row stood, to bring it back on discard
};

} // namespace

struct BatchDataSet::Private {
    explicit Private(DatabaseConnection& c) : connection(c) {}

    DatabaseConnection& connection;
    SqlParameters params;
    QString table;
    QString key = QStringLiteral("ID");
    bool open = false;
    std::vector<BatchColumn> columns;
    std::vector<Entry> rows;
    std::vector<DeletedEntry> deleted;
    int pendingEntries = 0; // rows with posted changes (deleted rows not counted)
    int current = -1;
    State state = State::Inactive;
    // The current row's edit that is not posted yet.
    BatchPendingRow buffer;
    bool appending = false;
    QString numberColumn;
    std::function<QVariant()> drawNumber;

    int columnCount() const { return int(columns.size()); }
    bool editing() const { return state == State::Edit || state == State::Insert; }

    QVariant valueAt(int row, int column) const {
        if (row < 0 || row >= int(rows.size()) || column < 0 || column >= columnCount())
            return {};
        if (editing() && row == current && buffer.has(column))
            return buffer.values[column];
        const Entry& e = rows[size_t(row)];
        if (e.pending && e.pending->has(column))
            return e.pending->values[column];
        if (e.stored.isValid())
            return columns[size_t(column)].decode(e.stored, column);
        return {};
    }

    QString textAt(int row, int column) const {
        if (row < 0 || row >= int(rows.size()) || column < 0 || column >= columnCount())
            return {};
        const Entry& e = rows[size_t(row)];
        const bool changed =
            (editing() && row == current && buffer.has(column)) || (e.pending && e.pending->has(column));
        if (!changed && e.stored.isValid())
            return columns[size_t(column)].decodeText(e.stored, column);
        return columns[size_t(column)].textOf(valueAt(row, column));
    }

    int pendingCount() const {
        int n = pendingEntries + int(deleted.size());
        if (editing() && current >= 0 && !rows[size_t(current)].pending && (appending || buffer.any()))
            ++n;
        return n;
    }

    void resetBuffer(bool isAppend) {
        buffer = BatchPendingRow(columnCount());
        appending = isAppend;
    }

    // Closed and empty: no rows, no columns, nothing pending.
    void clear() {
        open = false;
        state = State::Inactive;
        rows.clear();
        rows.shrink_to_fit();
        deleted.clear();
        pendingEntries = 0;
        current = -1;
        columns.clear();
        resetBuffer(false);
    }
};

BatchDataSet::BatchDataSet(DatabaseConnection& connection, QObject* parent)
    : QAbstractTableModel(parent), d(std::make_unique<Private>(connection)) {}

BatchDataSet::~BatchDataSet() = default;

// --- the query -----------------------------------------------------------------------------------

void BatchDataSet::setSql(const QString& sql) {
    d->params.setSql(sql);
}

QString BatchDataSet::sql() const {
    return d->params.sql();
}

void BatchDataSet::setParam(const QString& name, const QVariant& value) {
    const SqlDialect& dialect = d->connection.dialect();
    if (value.metaType().id() == QMetaType::QDate)
        d->params.setValue(name, dialect.dateValue(value.toDate()));
    else if (value.metaType().id() == QMetaType::Bool)
        d->params.setValue(name, dialect.boolValue(value.toBool()));
    else
        d->params.setValue(name, value);
}

void BatchDataSet::clearParams() {
    d->params.clearValues();
}

void BatchDataSet::setTableName(const QString& table) {
    d->table = table;
}

QString BatchDataSet::tableName() const {
    return d->table;
}

void BatchDataSet::setKeyField(const QString& column) {
    d->key = column;
}

QString BatchDataSet::keyField() const {
    return d->key;
}

// --- opening and closing -------------------------------------------------------------------------

void BatchDataSet::open() {
    const int oldRow = d->current;
    const State oldState = d->state;
    const int oldPending = d->pendingCount();

    beginResetModel();
    d->clear();
    try {
        if (!d->connection.isOpen())
            throw DbError(QStringLiteral("数据库没有连接"));
        QSqlQuery query(d->connection.database());
        // Forward-only: the driver hands out each row once, the data set keeps its own packed copy.
        query.setForwardOnly(true);
        if (!query.prepare(d->params.positionalSql()))
            throw DbError::fromSqlError(query.lastError(), d->params.sql().trimmed());
        d->params.bindTo(query);
        if (!query.exec())
            throw DbError::fromSqlError(query.lastError(), d->params.sql().trimmed());
        const QSqlRecord record = query.record();
        const int n = record.count();
        d->columns.reserve(size_t(n));
        for (int c = 0; c < n; ++c)
            d->columns.push_back(BatchColumn::fromField(record.field(c)));
        d->resetBuffer(false);
        const int size = query.size();
        if (size > 0)
            d->rows.reserve(size_t(size));
        BatchRow::Builder builder;
        while (query.next()) {
            builder.start(n);
            for (int c = 0; c < n; ++c)
                d->columns[size_t(c)].encode(builder, query.value(c));
            d->rows.push_back(Entry{builder.finish(), nullptr});
        }
        if (query.lastError().isValid())
            throw DbError::fromSqlError(query.lastError(), d->params.sql().trimmed());
        // Reading to the end and finishing releases the engine's read lock at once.
        query.finish();
    } catch (...) {
        d->rows.clear();
        d->columns.clear();
        endResetModel();
        if (oldRow != d->current)
            emit currentRowChanged(d->current);
        if (oldState != d->state)
            emit stateChanged();
        if (oldPending != 0)
            emit pendingChanged();
        throw;
    }
    d->open = true;
    d->state = State::Browse;
    d->current = d->rows.empty() ? -1 : 0;
    endResetModel();
    emit opened();
    emit currentRowChanged(d->current);
    if (oldState != d->state)
        emit stateChanged();
    if (oldPending != 0)
        emit pendingChanged();
}

void BatchDataSet::close() {
    if (!d->open)
        return;
    const int oldPending = d->pendingCount();
    beginResetModel();
    d->clear();
    endResetModel();
    emit currentRowChanged(-1);
    emit stateChanged();
    if (oldPending != 0)
        emit pendingChanged();
}

bool BatchDataSet::isOpen() const {
    return d->open;
}

// --- columns -------------------------------------------------------------------------------------

QStringList BatchDataSet::columnNames() const {
    QStringList names;
    names.reserve(d->columnCount());
    for (const BatchColumn& c : d->columns)
        names.append(c.name);
    return names;
}

int BatchDataSet::columnIndex(const QString& name) const {
    for (int c = 0; c < d->columnCount(); ++c)
        if (d->columns[size_t(c)].name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

BatchDataSet::ColumnKind BatchDataSet::columnKind(int column) const {
    if (column < 0 || column >= d->columnCount())
        return ColumnKind::Other;
    return d->columns[size_t(column)].kind;
}

int BatchDataSet::maxLength(int column) const {
    if (column < 0 || column >= d->columnCount())
        return 0;
    return d->columns[size_t(column)].maxLength;
}

// --- the cursor ----------------------------------------------------------------------------------

int BatchDataSet::recordCount() const {
    return int(d->rows.size());
}

bool BatchDataSet::isEmpty() const {
    return d->rows.empty();
}

int BatchDataSet::currentRow() const {
    return d->current;
}

void BatchDataSet::setCurrentRow(int row) {
    if (!d->open || row < 0 || row >= int(d->rows.size()) || row == d->current)
        return;
    if (d->editing()) {
        // Leaving a row ends its edit: kept when something was typed, dropped otherwise.
        if (d->buffer.any() || !d->appending)
            post();
        else
            cancel();
    }
    if (row == d->current)
        return;
    d->current = row;
    emit currentRowChanged(row);
}

void BatchDataSet::first() {
    setCurrentRow(0);
}

void BatchDataSet::prior() {
    setCurrentRow(d->current - 1);
}

void BatchDataSet::next() {
    setCurrentRow(d->current + 1);
}

void BatchDataSet::last() {
    setCurrentRow(int(d->rows.size()) - 1);
}

// --- fields of the current row -------------------------------------------------------------------

namespace {
int requireColumn(const BatchDataSet& set, const QString& column) {
    const int c = set.columnIndex(column);
    if (c < 0)
        throw DbError(QStringLiteral("字段 %1 不存在").arg(column));
    return c;
}
} // namespace

QVariant BatchDataSet::value(const QString& column) const {
    return d->valueAt(d->current, requireColumn(*this, column));
}

QString BatchDataSet::text(const QString& column) const {
    return d->textAt(d->current, requireColumn(*this, column));
}

bool BatchDataSet::isNull(const QString& column) const {
    return value(column).isNull();
}

void BatchDataSet::setValue(const QString& column, const QVariant& value) {
    const int c = requireColumn(*this, column);
    // Checked before anything changes, so a refused value leaves the row and the state as they were.
    const QVariant kept = d->columns[size_t(c)].normalize(value);
    edit();
    const int oldPending = d->pendingCount();
    d->buffer.put(c, kept);
    const QModelIndex cell = index(d->current, c);
    emit dataChanged(cell, cell);
    if (oldPending != d->pendingCount())
        emit pendingChanged();
}

void BatchDataSet::clearValue(const QString& column) {
    const int c = requireColumn(*this, column);
    setValue(d->columns[size_t(c)].name, d->columns[size_t(c)].clearedValue());
}

QVariant BatchDataSet::storedValue(int row, int column) const {
    if (row < 0 || row >= int(d->rows.size()) || column < 0 || column >= d->columnCount())
        return {};
    const Entry& e = d->rows[size_t(row)];
    return e.stored.isValid() ? d->columns[size_t(column)].decode(e.stored, column) : QVariant();
}

QVariant BatchDataSet::valueAt(int row, int column) const {
    return d->valueAt(row, column);
}

// --- editing -------------------------------------------------------------------------------------

BatchDataSet::State BatchDataSet::state() const {
    return d->state;
}

namespace {
void requireOpen(bool open) {
    if (!open)
        throw DbError(QStringLiteral("数据集没有打开"));
}
} // namespace

void BatchDataSet::edit() {
    requireOpen(d->open);
    if (d->editing())
        return;
    if (d->rows.empty()) {
        // Typing into an empty list starts a new row, as the editors expect.
        append();
        return;
    }
    d->resetBuffer(false);
    d->state = State::Edit;
    emit stateChanged();
}

void BatchDataSet::append() {
    requireOpen(d->open);
    if (d->editing()) {
        if (d->buffer.any() || !d->appending)
            post();
        else
            cancel();
    }
    const int oldPending = d->pendingCount();
    const int row = int(d->rows.size());
    beginInsertRows(QModelIndex(), row, row);
    d->rows.push_back(Entry{});
    endInsertRows();
    d->current = row;
    d->resetBuffer(true);
    d->state = State::Insert;
    emit currentRowChanged(row);
    emit stateChanged();
    if (oldPending != d->pendingCount())
        emit pendingChanged();
    emit rowAppended();
}

void BatchDataSet::post() {
    if (!d->editing())
        return;
    const int oldPending = d->pendingCount();
    Entry& e = d->rows[size_t(d->current)];
    if (d->buffer.any() || d->appending) {
        if (!e.pending) {
            e.pending = std::make_unique<BatchPendingRow>(d->columnCount(), d->appending);
            ++d->pendingEntries;
        }
        for (int c = 0; c < d->columnCount(); ++c)
            if (d->buffer.has(c))
                e.pending->put(c, d->buffer.values[c]);
    }
    d->resetBuffer(false);
    d->state = State::Browse;
    emit stateChanged();
    if (oldPending != d->pendingCount())
        emit pendingChanged();
}

void BatchDataSet::cancel() {
    if (!d->editing())
        return;
    const int oldPending = d->pendingCount();
    if (d->appending) {
        const int row = d->current;
        d->resetBuffer(false);
        d->state = State::Browse;
        beginRemoveRows(QModelIndex(), row, row);
        d->rows.erase(d->rows.begin() + row);
        endRemoveRows();
        d->current = std::min(row, int(d->rows.size()) - 1);
        emit currentRowChanged(d->current);
    } else {
        const BatchPendingRow dropped = d->buffer;
        d->resetBuffer(false);
        d->state = State::Browse;
        for (int c = 0; c < d->columnCount(); ++c)
            if (dropped.has(c)) {
                const QModelIndex cell = index(d->current, c);
                emit dataChanged(cell, cell);
            }
    }
    emit stateChanged();
    if (oldPending != d->pendingCount())
        emit pendingChanged();
}

void BatchDataSet::deleteCurrent() {
    requireOpen(d->open);
    if (d->state == State::Insert) {
        // Deleting a row that is being added just drops it.
        cancel();
        return;
    }
    if (d->rows.empty() || d->current < 0)
        throw DbError(QStringLiteral("没有可删除的记录"));
    post();
    const int oldPending = d->pendingCount();
    const int row = d->current;
    Entry entry = std::move(d->rows[size_t(row)]);
    beginRemoveRows(QModelIndex(), row, row);
    d->rows.erase(d->rows.begin() + row);
    endRemoveRows();
    if (entry.pending)
        --d->pendingEntries;
    if (entry.stored.isValid()) {
        // Its edits no longer matter; the delete is checked against the values as read.
        entry.pending.reset();
        d->deleted.push_back(DeletedEntry{std::move(entry), row});
    }
    d->current = std::min(row, int(d->rows.size()) - 1);
    emit currentRowChanged(d->current);
    if (oldPending != d->pendingCount())
        emit pendingChanged();
}

// --- pending changes -----------------------------------------------------------------------------

bool BatchDataSet::hasPendingChanges() const {
    return d->pendingCount() > 0;
}

int BatchDataSet::pendingCount() const {
    return d->pendingCount();
}

BatchDataSet::RowStatus BatchDataSet::rowStatus(int row) const {
    if (row < 0 || row >= int(d->rows.size()))
        return RowStatus::Unchanged;
    const Entry& e = d->rows[size_t(row)];
    if (!e.stored.isValid())
        return RowStatus::Inserted;
    if ((e.pending && e.pending->any()) || (d->editing() && row == d->current && d->buffer.any()))
        return RowStatus::Modified;
    return RowStatus::Unchanged;
}

void BatchDataSet::applyBatch() {
    requireOpen(d->open);
    post();
    if (d->pendingCount() == 0)
        return;
    if (d->table.isEmpty())
        throw DbError(QStringLiteral("数据集没有指定保存的表"));
    const int key = columnIndex(d->key);
    BatchWriter writer(d->connection, d->table, d->columns, key);

    // Rows written, with the row the database now holds; applied only after the commit.
    std::vector<std::pair<int, BatchRow>> written;
    // Rows numbered in this batch, with what their pending row held there before.
    struct Numbered {
        int row;
        bool wasSet;
        QVariant was;
    };
    std::vector<Numbered> numbered;
    const int numberColumn = d->numberColumn.isEmpty() ? -1 : columnIndex(d->numberColumn);
    try {
        Transaction transaction(d->connection);
        if (key < 0 && (!d->deleted.empty() || d->pendingEntries > 0))
            throw DbError(QStringLiteral("数据集没有关键字段 %1").arg(d->key));
        if (!d->numberColumn.isEmpty() && numberColumn < 0)
            throw DbError(QStringLiteral("字段 %1 不存在").arg(d->numberColumn));
        for (const DeletedEntry& gone : d->deleted)
            writer.remove(gone.entry.stored);
        for (int r = 0; r < int(d->rows.size()); ++r) {
            const Entry& e = d->rows[size_t(r)];
            if (!e.pending || (!e.pending->inserted && !e.pending->any()))
                continue;
            if (numberColumn >= 0 && d->valueAt(r, numberColumn).toString().isEmpty()) {
                const QVariant number = d->columns[size_t(numberColumn)].normalize(d->drawNumber());
                numbered.push_back({r, e.pending->has(numberColumn), e.pending->values[numberColumn]});
                e.pending->put(numberColumn, number);
            }
            QVariant newKey;
            if (e.pending->inserted) {
                newKey = writer.insert(*e.pending);
            } else {
                writer.update(e.stored, *e.pending);
                newKey = e.pending->has(key) ? e.pending->values[key]
                                             : d->columns[size_t(key)].decode(e.stored, key);
            }
            written.emplace_back(
                r, writer.readBack(newKey, e.stored.isValid() ? &e.stored : nullptr, *e.pending));
        }
        transaction.commit();
    } catch (...) {
        // The guard rolled back: the numbers went back with the counter, so the rows are
        // unnumbered again.
        for (const Numbered& n : numbered) {
            BatchPendingRow& p = *d->rows[size_t(n.row)].pending;
            p.values[numberColumn] = n.was;
            p.set.setBit(numberColumn, n.wasSet);
            const QModelIndex cell = index(n.row, numberColumn);
            emit dataChanged(cell, cell);
        }
        throw;
    }

    d->deleted.clear();
    for (auto& [row, stored] : written)
        d->rows[size_t(row)].stored = std::move(stored);
    for (Entry& e : d->rows)
        e.pending.reset();
    d->pendingEntries = 0;
    for (const auto& w : written)
        emit dataChanged(index(w.first, 0), index(w.first, d->columnCount() - 1));
    emit pendingChanged();
}

void BatchDataSet::setNumbering(const QString& column, std::function<QVariant()> draw) {
    d->numberColumn = column;
    d->drawNumber = std::move(draw);
}

void BatchDataSet::cancelBatch() {
    requireOpen(d->open);
    cancel();
    if (d->pendingCount() == 0)
        return;
    // Appended rows stand after every row that was read; they go first, then the deleted rows come
    // back in the reverse order of their deletion, each where it stood.
    int firstNew = int(d->rows.size());
    while (firstNew > 0 && !d->rows[size_t(firstNew - 1)].stored.isValid())
        --firstNew;
    if (firstNew < int(d->rows.size())) {
        beginRemoveRows(QModelIndex(), firstNew, int(d->rows.size()) - 1);
        d->rows.erase(d->rows.begin() + firstNew, d->rows.end());
        endRemoveRows();
    }
    for (auto it = d->deleted.rbegin(); it != d->deleted.rend(); ++it) {
        const int at = std::min(it->index, int(d->rows.size()));
        beginInsertRows(QModelIndex(), at, at);
        d->rows.insert(d->rows.begin() + at, std::move(it->entry));
        endInsertRows();
    }
    d->deleted.clear();
    for (int r = 0; r < int(d->rows.size()); ++r) {
        Entry& e = d->rows[size_t(r)];
        if (!e.pending)
            continue;
        e.pending.reset();
        emit dataChanged(index(r, 0), index(r, d->columnCount() - 1));
    }
    d->pendingEntries = 0;
    if (d->current >= int(d->rows.size()))
        d->current = int(d->rows.size()) - 1;
    if (d->current < 0 && !d->rows.empty())
        d->current = 0;
    // Rows came and went: the row under the cursor may be another one even where its number is not.
    emit currentRowChanged(d->current);
    emit pendingChanged();
}

// --- the item model ------------------------------------------------------------------------------

int BatchDataSet::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(d->rows.size());
}

int BatchDataSet::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : d->columnCount();
}

QVariant BatchDataSet::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    const bool boolean = columnKind(column) == ColumnKind::Boolean;
    switch (role) {
    case Qt::DisplayRole:
        // A yes/no column shows its tick only.
        return boolean ? QVariant() : QVariant(d->textAt(row, column));
    case Qt::EditRole:
        return d->valueAt(row, column);
    case Qt::CheckStateRole:
        if (boolean)
            return d->valueAt(row, column).toBool() ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

QVariant BatchDataSet::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < d->columnCount())
        return d->columns[size_t(section)].name;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags BatchDataSet::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // No editing in the cells: the detail editors write through setValue.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

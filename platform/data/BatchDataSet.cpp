#include "BatchDataSet.h"

#include "DatabaseConnection.h"

// First cut: the interface only; rows, pending changes and the batch follow.
struct BatchDataSet::Private {
    explicit Private(DatabaseConnection& c) : connection(c) {}
    DatabaseConnection& connection;
    QString sql;
    QString table;
    QString key = QStringLiteral("ID");
};

BatchDataSet::BatchDataSet(DatabaseConnection& connection, QObject* parent)
    : QAbstractTableModel(parent), d(std::make_unique<Private>(connection)) {}
BatchDataSet::~BatchDataSet() = default;

void BatchDataSet::setSql(const QString& sql) {
    d->sql = sql;
}
QString BatchDataSet::sql() const {
    return d->sql;
}
void BatchDataSet::setParam(const QString&, const QVariant&) {}
void BatchDataSet::clearParams() {}
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
void BatchDataSet::open() {}
void BatchDataSet::close() {}
bool BatchDataSet::isOpen() const {
    return false;
}
QStringList BatchDataSet::columnNames() const {
    return {};
}
int BatchDataSet::columnIndex(const QString&) const {
    return -1;
}
BatchDataSet::ColumnKind BatchDataSet::columnKind(int) const {
    return ColumnKind::Other;
}
int BatchDataSet::maxLength(int) const {
    return 0;
}
int BatchDataSet::recordCount() const {
    return 0;
}
bool BatchDataSet::isEmpty() const {
    return true;
}
int BatchDataSet::currentRow() const {
    return -1;
}
void BatchDataSet::setCurrentRow(int) {}
void BatchDataSet::first() {}
void BatchDataSet::prior() {}
void BatchDataSet::next() {}
void BatchDataSet::last() {}
QVariant BatchDataSet::value(const QString&) const {
    return {};
}
QString BatchDataSet::text(const QString&) const {
    return {};
}
bool BatchDataSet::isNull(const QString&) const {
    return true;
}
void BatchDataSet::setValue(const QString&, const QVariant&) {}
void BatchDataSet::clearValue(const QString&) {}
QVariant BatchDataSet::storedValue(int, int) const {
    return {};
}
QVariant BatchDataSet::valueAt(int, int) const {
    return {};
}
BatchDataSet::State BatchDataSet::state() const {
    return State::Inactive;
}
void BatchDataSet::edit() {}
void BatchDataSet::append() {}
void BatchDataSet::post() {}
void BatchDataSet::cancel() {}
void BatchDataSet::deleteCurrent() {}
bool BatchDataSet::hasPendingChanges() const {
    return false;
}
int BatchDataSet::pendingCount() const {
    return 0;
}
BatchDataSet::RowStatus BatchDataSet::rowStatus(int) const {
    return RowStatus::Unchanged;
}
void BatchDataSet::applyBatch() {}
void BatchDataSet::cancelBatch() {}
int BatchDataSet::rowCount(const QModelIndex&) const {
    return 0;
}
int BatchDataSet::columnCount(const QModelIndex&) const {
    return 0;
}
QVariant BatchDataSet::data(const QModelIndex&, int) const {
    return {};
}
QVariant BatchDataSet::headerData(int, Qt::Orientation, int) const {
    return {};
}
Qt::ItemFlags BatchDataSet::flags(const QModelIndex&) const {
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

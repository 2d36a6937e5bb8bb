#include "GridProxyModel.h"

#include "BatchDataSet.h"
#include "DateText.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDate>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <vector>

// The values of one column in a form that compares fast: numbers and dates as doubles, texts as
// their rank among the column's distinct texts (Chinese in pinyin order), so each distinct text
// is collated once however often it occurs. An empty value sorts before every other.
class GridProxyModel::ColumnKeys {
public:
    ColumnKeys(const BatchDataSet& ds, int column) {
        const int rows = ds.rowCount();
        const auto kind = ds.columnKind(column);
        m_null.assign(size_t(rows), false);
        m_numbers.resize(size_t(rows));
        if (kind == BatchDataSet::ColumnKind::Text || kind == BatchDataSet::ColumnKind::Other)
            rankTexts(ds, column);
        else
            readNumbers(ds, column, kind == BatchDataSet::ColumnKind::Date);
    }

    int compare(int a, int b) const {
        if (a < 0 || b < 0 || a >= int(m_null.size()) || b >= int(m_null.size()))
            return 0;
        if (m_null[size_t(a)] || m_null[size_t(b)])
            return int(!m_null[size_t(a)]) - int(!m_null[size_t(b)]);
        const double x = m_numbers[size_t(a)];
        const double y = m_numbers[size_t(b)];
        return x < y ? -1 : (y < x ? 1 : 0);
    }

private:
    void readNumbers(const BatchDataSet& ds, int column, bool date) {
        for (int row = 0; row < int(m_numbers.size()); ++row) {
            const QVariant v = ds.valueAt(row, column);
            bool ok = false;
            double n = 0;
            if (date) {
                const QDate d =
                    v.metaType().id() == QMetaType::QDate ? v.toDate() : DateText::parse(v.toString());
                ok = d.isValid();
                n = ok ? double(d.toJulianDay()) : 0;
            } else if (!v.isNull()) {
                n = v.toDouble(&ok);
            }
            m_null[size_t(row)] = !ok;
            m_numbers[size_t(row)] = n;
        }
    }

    void rankTexts(const BatchDataSet& ds, int column) {
        QHash<QString, int> ids;
        QStringList distinct;
        std::vector<int> idOfRow(m_numbers.size());
        for (int row = 0; row < int(idOfRow.size()); ++row) {
            const QString text = ds.data(ds.index(row, column), Qt::DisplayRole).toString();
            auto it = ids.constFind(text);
            if (it == ids.constEnd()) {
                it = ids.insert(text, int(distinct.size()));
                distinct.append(text);
            }
            idOfRow[size_t(row)] = it.value();
        }
        std::vector<int> order(size_t(distinct.size()));
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = int(i);
        std::vector<QCollatorSortKey> keys;
        // Bill numbers and the like: digits only collate in code order, no collation needed.
        const bool digitsOnly = std::all_of(distinct.cbegin(), distinct.cend(), [](const QString& t) {
            return std::all_of(t.cbegin(), t.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        });
        auto equal = [&](int a, int b) {
            return digitsOnly ? distinct[a] == distinct[b] : keys[size_t(a)].compare(keys[size_t(b)]) == 0;
        };
        if (digitsOnly) {
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return QString::compare(distinct[a], distinct[b]) < 0; });
        } else {
            const QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
            keys.reserve(size_t(distinct.size()));
            for (const QString& text : std::as_const(distinct))
                keys.push_back(collator.sortKey(text));
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
        }
        std::vector<int> rank(order.size());
        int r = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            // Texts the collation holds equal share a rank, so the next sort key decides.
            if (i > 0 && !equal(order[i - 1], order[i]))
                ++r;
            rank[size_t(order[i])] = r;
        }
        for (size_t row = 0; row < idOfRow.size(); ++row)
            m_numbers[row] = rank[size_t(idOfRow[row])];
    }

    std::vector<bool> m_null;
    std::vector<double> m_numbers;
};

GridProxyModel::GridProxyModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setDynamicSortFilter(false);
}

GridProxyModel::~GridProxyModel() = default;

void GridProxyModel::setDataSet(BatchDataSet* dataSet) {
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    dropKeys();
    // Connected before the proxy's own handlers, so a re-sort after a re-query never reads
    // keys of the rows that were.
    if (dataSet) {
        connect(dataSet, &QAbstractItemModel::modelAboutToBeReset, this, &GridProxyModel::dropKeys);
        connect(dataSet, &QAbstractItemModel::layoutAboutToBeChanged, this, &GridProxyModel::dropKeys);
        connect(dataSet, &QAbstractItemModel::rowsInserted, this, &GridProxyModel::dropKeys);
        connect(dataSet, &QAbstractItemModel::rowsRemoved, this, &GridProxyModel::dropKeys);
        connect(dataSet, &QAbstractItemModel::dataChanged, this, &GridProxyModel::dropKeys);
    }
    setSourceModel(dataSet);
}

void GridProxyModel::dropKeys() {
    m_keys.clear();
}

const GridProxyModel::ColumnKeys& GridProxyModel::keysFor(int column) const {
    auto& keys = m_keys[column];
    if (!keys)
        keys = std::make_shared<ColumnKeys>(*m_dataSet, column);
    return *keys;
}

void GridProxyModel::setSortKeys(const QList<SortKey>& keys) {
    m_sortKeys.clear();
    for (const SortKey& key : keys)
        if (m_dataSet && key.column >= 0 && key.column < m_dataSet->columnCount())
            m_sortKeys.append(key);
    dropKeys();
    // The order lives in the keys; the proxy is always told "ascending" on the first of them.
    sort(m_sortKeys.isEmpty() ? -1 : m_sortKeys.first().column, Qt::AscendingOrder);
    dropKeys();
}

bool GridProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    if (!m_dataSet)
        return false;
    for (const SortKey& key : m_sortKeys) {
        const int c = keysFor(key.column).compare(left.row(), right.row());
        if (c != 0)
            return key.order == Qt::AscendingOrder ? c < 0 : c > 0;
    }
    // Equal rows keep the data set's order, whatever the grid showed before.
    return left.row() < right.row();
}

void GridProxyModel::setColumnFilter(int column, const QString& value) {
    m_filters.insert(column, value);
    refilter();
}

void GridProxyModel::clearColumnFilter(int column) {
    if (m_filters.remove(column))
        refilter();
}

void GridProxyModel::clearColumnFilters() {
    if (m_filters.isEmpty())
        return;
    m_filters.clear();
    refilter();
}

void GridProxyModel::refilter() {
    // One layout change for the whole grid: row by row removal of scattered rows would make the
    // views walk their rows once per gap.
    invalidate();
}

bool GridProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (m_filters.isEmpty() || !m_dataSet)
        return true;
    if (m_dataSet->rowStatus(sourceRow) == BatchDataSet::RowStatus::Inserted)
        return true;
    for (auto it = m_filters.cbegin(); it != m_filters.cend(); ++it) {
        const QString text =
            m_dataSet->data(m_dataSet->index(sourceRow, it.key()), Qt::DisplayRole).toString();
        if (text != it.value())
            return false;
    }
    return true;
}

QStringList GridProxyModel::distinctTexts(int column) const {
    QStringList texts;
    if (!m_dataSet || column < 0 || column >= m_dataSet->columnCount())
        return texts;
    QSet<QString> seen;
    QList<int> rows;
    const int count = m_dataSet->rowCount();
    for (int row = 0; row < count; ++row) {
        const QString text = m_dataSet->data(m_dataSet->index(row, column), Qt::DisplayRole).toString();
        if (!seen.contains(text)) {
            seen.insert(text);
            rows.append(row);
        }
    }
    const ColumnKeys& keys = keysFor(column);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return keys.compare(a, b) < 0; });
    for (int row : rows)
        texts.append(m_dataSet->data(m_dataSet->index(row, column), Qt::DisplayRole).toString());
    return texts;
}

void GridProxyModel::setCaption(int column, const QString& caption) {
    m_captions.insert(column, caption);
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void GridProxyModel::clearCaptions() {
    m_captions.clear();
}

void GridProxyModel::setCentred(bool centred) {
    m_centred = centred;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::TextAlignmentRole});
}

bool GridProxyModel::isCheckColumn(int column) const {
    return m_dataSet && m_dataSet->columnKind(column) == BatchDataSet::ColumnKind::Boolean;
}

QVariant GridProxyModel::data(const QModelIndex& index, int role) const {
    switch (role) {
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_centred ? Qt::Alignment(Qt::AlignCenter)
                                             : (Qt::AlignLeft | Qt::AlignVCenter));
    case Qt::ToolTipRole:
        return m_hint.isEmpty() ? QVariant() : QVariant(m_hint);
    case Qt::DisplayRole:
        if (isCheckColumn(mapToSource(index).column()))
            return {};
        break;
    default:
        break;
    }
    return QSortFilterProxyModel::data(index, role);
}

QVariant GridProxyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return {};
    if (role == Qt::DisplayRole && m_captions.contains(section))
        return m_captions.value(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

Qt::ItemFlags GridProxyModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // No editing in the cells, and a tick column is not toggled by a click either.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

#pragma once

#include <QHash>
#include <QSortFilterProxyModel>
#include <QStringList>

#include <memory>

class BatchDataSet;

// The grid's view of a batch data set: sorted on several columns and filtered by column values,
// through a row mapping only (the rows stay in the data set). Edits never re-sort or re-filter
// by themselves, so a row does not jump away while the clerk types into it; the next sort or
// filter change (or a re-query) puts it in its place.
class GridProxyModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    struct SortKey {
        int column = -1;
        Qt::SortOrder order = Qt::AscendingOrder;
        bool operator==(const SortKey&) const = default;
    };

    explicit GridProxyModel(QObject* parent = nullptr);
    ~GridProxyModel() override;

    void setDataSet(BatchDataSet* dataSet);
    BatchDataSet* dataSet() const { return m_dataSet; }

    // Sorts at once; an empty list gives the data set's own order.
    void setSortKeys(const QList<SortKey>& keys);
    QList<SortKey> sortKeys() const { return m_sortKeys; }

    // A column filter keeps the rows whose shown text equals the value; filters of several
    // columns must all hold. Rows appended by the clerk stay in view whatever the filter.
    void setColumnFilter(int column, const QString& value);
    void clearColumnFilter(int column);
    void clearColumnFilters();
    bool hasColumnFilter(int column) const { return m_filters.contains(column); }
    QString columnFilter(int column) const { return m_filters.value(column); }
    QHash<int, QString> columnFilters() const { return m_filters; }
    // The distinct shown texts of a column over every row of the data set, in sort order.
    QStringList distinctTexts(int column) const;

    void setCaption(int column, const QString& caption);
    void clearCaptions();
    void setCentred(bool centred);
    void setHint(const QString& hint) { m_hint = hint; }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    class ColumnKeys;
    const ColumnKeys& keysFor(int column) const;
    void dropKeys();
    void refilter();
    bool isCheckColumn(int column) const;

    BatchDataSet* m_dataSet = nullptr;
    QList<SortKey> m_sortKeys;
    QHash<int, QString> m_filters;
    QHash<int, QString> m_captions;
    QString m_hint;
    bool m_centred = true;
    // Sort keys per column, built once per sort from the data set's values.
    mutable QHash<int, std::shared_ptr<ColumnKeys>> m_keys;
};

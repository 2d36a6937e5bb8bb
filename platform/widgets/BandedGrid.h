#pragma once

#include <QPair>
#include <QTableView>

class BandedHeaderView;
class BatchDataSet;
class GridFilterPopup;
class GridIndicatorHeader;
class GridProxyModel;
class QLabel;

// The list windows' grid over a batch data set: bands above the column captions, columns bound
// by field name (every other column of the data stays hidden), sorting on several columns from
// the header (click: this column alone, shift-click: add it), filter drop-downs on the columns a
// window names, an indicator column and a footer with the record count. Cells are never edited
// here. The grid's focused row and the data set's current row follow each other; moves go in
// the order the grid shows.
class BandedGrid : public QTableView {
    Q_OBJECT
public:
    explicit BandedGrid(QWidget* parent = nullptr);
    ~BandedGrid() override;

    void setDataSet(BatchDataSet* dataSet);
    BatchDataSet* dataSet() const { return m_dataSet; }
    GridProxyModel* viewModel() const { return m_proxy; }
    BandedHeaderView* bandedHeader() const { return m_header; }
    GridIndicatorHeader* indicator() const { return m_indicator; }

    // Layout by field name, applied again whenever the data set is (re)opened.
    int addBand(const QString& caption);
    // Adds a shown column to the last band; width 0 fits the caption.
    void addColumn(const QString& field, const QString& caption = QString(), int width = 0);
    void clearLayout();
    void setFilterColumns(const QStringList& fields);
    QStringList filterColumns() const { return m_filterFields; }
    QStringList bandCaptions() const;
    // The shown columns' fields, in display order.
    QStringList shownColumns() const;
    bool isColumnShown(const QString& field) const;
    QString caption(const QString& field) const;

    void setKeyField(const QString& field) { m_keyField = field; }
    QString keyField() const { return m_keyField; }
    QVariant currentKey() const;
    // Focuses the row holding this key value; false when no shown row holds it.
    bool locate(const QVariant& key);

    void setBandFont(const QFont& font);
    void setBandColor(const QColor& color);
    // Whole-row selection (true) or cell focus (false).
    void setRowSelect(bool rowSelect);
    bool rowSelect() const { return m_rowSelect; }
    void setCellsCentred(bool centred);
    void setHint(const QString& hint);
    QString hint() const { return m_hint; }
    void setFooterVisible(bool visible);
    QString footerText() const;

    // Sorting, as the header's clicks do it.
    void sortOn(const QString& field, Qt::SortOrder order = Qt::AscendingOrder, bool addToSort = false);
    void clearSort();
    QList<QPair<QString, Qt::SortOrder>> sortColumns() const { return m_sort; }

    // Filters; only the columns named by setFilterColumns take one.
    bool setFilter(const QString& field, const QString& value);
    void clearFilter(const QString& field);
    void clearFilters();
    bool isFiltered(const QString& field) const;
    QString filterValue(const QString& field) const;
    // The values the column's drop-down lists after "(全部)".
    QStringList filterValues(const QString& field) const;
    void openFilterPopup(const QString& field);
    GridFilterPopup* filterPopup() const { return m_popup; }

    // Moves in the order the grid shows; the data set follows.
    void focusFirst();
    void focusPrior();
    void focusNext();
    void focusLast();
    void focusViewRow(int viewRow);
    int currentViewRow() const;
    int viewRowCount() const;
    int sourceRow(int viewRow) const;

signals:
    void gridDoubleClicked();

protected:
    void updateGeometries() override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Column {
        QString field;
        QString caption;
        int width = 0;
        int band = 0;
    };

    int logicalOf(const QString& field) const;
    void applyLayout();
    void applySort();
    void applyFilters();
    void onHeaderSort(int logical, bool addToSort);
    void onFilterButton(int logical);
    void onViewCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void pushCurrent();
    void followDataSet();
    void keepCurrentInView();
    void updateIndicator();
    void updateFooter();
    int focusColumn() const;

    BatchDataSet* m_dataSet = nullptr;
    GridProxyModel* m_proxy = nullptr;
    BandedHeaderView* m_header = nullptr;
    GridIndicatorHeader* m_indicator = nullptr;
    GridFilterPopup* m_popup = nullptr;
    QLabel* m_footer = nullptr;
    QStringList m_bands;
    QList<Column> m_columns;
    QStringList m_filterFields;
    QString m_keyField = QStringLiteral("ID");
    QList<QPair<QString, Qt::SortOrder>> m_sort;
    QList<QPair<QString, QString>> m_filters;
    QString m_hint;
    bool m_rowSelect = true;
    bool m_syncing = false;
    bool m_modelChanging = false;
    bool m_inGeometry = false;
    bool m_footerVisible = true;
};

#include "BandedGrid.h"

#include "BandedHeaderView.h"
#include "BatchDataSet.h"
#include "ErrorGuard.h"
#include "GridCellDelegate.h"
#include "GridFilterPopup.h"
#include "GridIndicatorHeader.h"
#include "GridProxyModel.h"

#include <QEvent>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollBar>

BandedGrid::BandedGrid(QWidget* parent) : QTableView(parent) {
    m_proxy = new GridProxyModel(this);
    m_header = new BandedHeaderView(this);
    m_indicator = new GridIndicatorHeader(this);
    setHorizontalHeader(m_header);
    setVerticalHeader(m_indicator);
    setItemDelegate(new GridCellDelegate(this));
    // While the rows change under the view, its current index moves by itself; such a move is
    // not the clerk's and must not move the data set. These run before the selection model's
    // handlers, the ones clearing the flag (below) after them.
    auto changing = [this] { m_modelChanging = true; };
    connect(m_proxy, &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
    connect(m_proxy, &QAbstractItemModel::rowsAboutToBeInserted, this, changing);
    connect(m_proxy, &QAbstractItemModel::layoutAboutToBeChanged, this, changing);
    connect(m_proxy, &QAbstractItemModel::modelAboutToBeReset, this, changing);
    setModel(m_proxy);
    auto changed = [this] { m_modelChanging = false; };
    connect(m_proxy, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this, changed);
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, changed);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, changed);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSortingEnabled(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_header->setStretchLastSection(false);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_indicator->setDefaultSectionSize(fontMetrics().height() + 6);

    m_footer = new QLabel(this);
    m_footer->setObjectName(QStringLiteral("gridFooter"));
    m_footer->setAutoFillBackground(true);
    m_footer->setContentsMargins(6, 0, 6, 0);
    m_footer->setFrameShape(QFrame::NoFrame);
    m_footer->setBackgroundRole(QPalette::Button);
    m_footer->setForegroundRole(QPalette::ButtonText);

    m_popup = new GridFilterPopup(this);
    m_popup->hide();

    connect(m_header, &BandedHeaderView::sortRequested, this, &BandedGrid::onHeaderSort);
    connect(m_header, &BandedHeaderView::filterButtonClicked, this, &BandedGrid::onFilterButton);
    connect(m_popup, &GridFilterPopup::allChosen, this, [this](int logical) {
        if (m_dataSet && logical >= 0 && logical < m_dataSet->columnCount())
            clearFilter(m_dataSet->columnNames().value(logical));
    });
    connect(m_popup, &GridFilterPopup::valueChosen, this, [this](int logical, const QString& value) {
        if (m_dataSet && logical >= 0 && logical < m_dataSet->columnCount())
            setFilter(m_dataSet->columnNames().value(logical), value);
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &BandedGrid::onViewCurrentChanged);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, [this] {
        applyLayout();
        followDataSet();
        updateFooter();
    });
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this, &BandedGrid::updateFooter);
    connect(m_proxy, &QAbstractItemModel::rowsRemoved, this, &BandedGrid::updateFooter);
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, &BandedGrid::updateFooter);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit gridDoubleClicked();
    });
    updateFooter();
}

BandedGrid::~BandedGrid() = default;

void BandedGrid::setDataSet(BatchDataSet* dataSet) {
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    m_proxy->setDataSet(dataSet);
    if (dataSet) {
        connect(dataSet, &BatchDataSet::currentRowChanged, this, &BandedGrid::followDataSet);
        connect(dataSet, &BatchDataSet::stateChanged, this, &BandedGrid::updateIndicator);
        connect(dataSet, &QObject::destroyed, this, [this] {
            m_dataSet = nullptr;
            m_proxy->setDataSet(nullptr);
        });
    }
    applyLayout();
    followDataSet();
    updateFooter();
}

// Layout ------------------------------------------------------------------------------------

int BandedGrid::addBand(const QString& caption) {
    m_bands.append(caption);
    applyLayout();
    return int(m_bands.size()) - 1;
}

void BandedGrid::addColumn(const QString& field, const QString& caption, int width) {
    if (m_bands.isEmpty())
        m_bands.append(QString());
    m_columns.append({field, caption, width, int(m_bands.size()) - 1});
    applyLayout();
}

void BandedGrid::clearLayout() {
    m_bands.clear();
    m_columns.clear();
    m_filterFields.clear();
    applyLayout();
}

void BandedGrid::setFilterColumns(const QStringList& fields) {
    m_filterFields = fields;
    // A filter left on a column that no longer offers one would hide rows with no way back.
    for (qsizetype i = m_filters.size() - 1; i >= 0; --i)
        if (!m_filterFields.contains(m_filters[i].first, Qt::CaseInsensitive))
            m_filters.removeAt(i);
    applyLayout();
    applyFilters();
}

QStringList BandedGrid::bandCaptions() const {
    return m_bands;
}

QStringList BandedGrid::shownColumns() const {
    QStringList fields;
    if (!m_dataSet)
        return fields;
    const QStringList names = m_dataSet->columnNames();
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int logical = m_header->logicalIndex(visual);
        if (!m_header->isSectionHidden(logical))
            fields.append(names.value(logical));
    }
    return fields;
}

bool BandedGrid::isColumnShown(const QString& field) const {
    const int logical = logicalOf(field);
    return logical >= 0 && logical < m_header->count() && !m_header->isSectionHidden(logical);
}

QString BandedGrid::caption(const QString& field) const {
    const int logical = logicalOf(field);
    return logical >= 0 ? m_proxy->headerData(logical, Qt::Horizontal).toString() : QString();
}

int BandedGrid::logicalOf(const QString& field) const {
    return m_dataSet ? m_dataSet->columnIndex(field) : -1;
}

void BandedGrid::applyLayout() {
    m_proxy->clearCaptions();
    const int count = m_header->count();
    if (!m_dataSet || count == 0) {
        m_header->setBands({});
        return;
    }
    QList<BandedHeaderView::Band> bands;
    for (const QString& caption : m_bands)
        bands.append({caption, {}});
    QList<bool> shown(count, false);
    int visual = 0;
    for (const Column& column : m_columns) {
        const int logical = logicalOf(column.field);
        if (logical < 0 || logical >= count || shown[logical])
            continue;
        shown[logical] = true;
        m_header->moveSection(m_header->visualIndex(logical), visual++);
        bands[column.band].columns.append(logical);
        if (!column.caption.isEmpty())
            m_proxy->setCaption(logical, column.caption);
        const QString text = column.caption.isEmpty() ? column.field : column.caption;
        const int width =
            column.width > 0 ? column.width : m_header->fontMetrics().horizontalAdvance(text) + 40;
        m_header->resizeSection(logical, width);
    }
    for (int logical = 0; logical < count; ++logical)
        m_header->setSectionHidden(logical, !shown[logical]);
    m_header->setBands(bands);

    QSet<int> filterable;
    for (const QString& field : m_filterFields) {
        const int logical = logicalOf(field);
        if (logical >= 0 && logical < count && shown[logical])
            filterable.insert(logical);
    }
    m_header->setFilterColumns(filterable);
    applySort();
    applyFilters();
    updateGeometries();
}

// Sorting -----------------------------------------------------------------------------------

void BandedGrid::sortOn(const QString& field, Qt::SortOrder order, bool addToSort) {
    if (!addToSort)
        m_sort.clear();
    bool found = false;
    for (auto& entry : m_sort)
        if (entry.first.compare(field, Qt::CaseInsensitive) == 0) {
            entry.second = order;
            found = true;
        }
    if (!found)
        m_sort.append({field, order});
    applySort();
    keepCurrentInView();
}

void BandedGrid::clearSort() {
    m_sort.clear();
    applySort();
    keepCurrentInView();
}

void BandedGrid::onHeaderSort(int logical, bool addToSort) {
    if (!m_dataSet || logical < 0 || logical >= m_dataSet->columnCount())
        return;
    const QString field = m_dataSet->columnNames().value(logical);
    Qt::SortOrder order = Qt::AscendingOrder;
    for (const auto& entry : m_sort)
        if (entry.first.compare(field, Qt::CaseInsensitive) == 0)
            // A second click on a sorted column turns it round; alone it stays alone.
            order = entry.second == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    const bool aloneAlready =
        m_sort.size() == 1 && m_sort.first().first.compare(field, Qt::CaseInsensitive) == 0;
    if (!addToSort && !aloneAlready)
        order = Qt::AscendingOrder;
    sortOn(field, order, addToSort);
}

void BandedGrid::applySort() {
    QList<GridProxyModel::SortKey> keys;
    QHash<int, Qt::SortOrder> marks;
    for (const auto& entry : m_sort) {
        const int logical = logicalOf(entry.first);
        if (logical < 0 || marks.contains(logical))
            continue;
        keys.append({logical, entry.second});
        marks.insert(logical, entry.second);
    }
    m_header->setSortMarks(marks);
    if (keys != m_proxy->sortKeys())
        m_proxy->setSortKeys(keys);
}

// Filters -----------------------------------------------------------------------------------

bool BandedGrid::setFilter(const QString& field, const QString& value) {
    if (!m_filterFields.contains(field, Qt::CaseInsensitive))
        return false;
    bool found = false;
    for (auto& entry : m_filters)
        if (entry.first.compare(field, Qt::CaseInsensitive) == 0) {
            entry.second = value;
            found = true;
        }
    if (!found)
        m_filters.append({field, value});
    applyFilters();
    keepCurrentInView();
    return true;
}

void BandedGrid::clearFilter(const QString& field) {
    for (qsizetype i = m_filters.size() - 1; i >= 0; --i)
        if (m_filters[i].first.compare(field, Qt::CaseInsensitive) == 0)
            m_filters.removeAt(i);
    applyFilters();
    keepCurrentInView();
}

void BandedGrid::clearFilters() {
    m_filters.clear();
    applyFilters();
    keepCurrentInView();
}

bool BandedGrid::isFiltered(const QString& field) const {
    for (const auto& entry : m_filters)
        if (entry.first.compare(field, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString BandedGrid::filterValue(const QString& field) const {
    for (const auto& entry : m_filters)
        if (entry.first.compare(field, Qt::CaseInsensitive) == 0)
            return entry.second;
    return {};
}

QStringList BandedGrid::filterValues(const QString& field) const {
    if (!m_filterFields.contains(field, Qt::CaseInsensitive))
        return {};
    return m_proxy->distinctTexts(logicalOf(field));
}

void BandedGrid::applyFilters() {
    QHash<int, QString> wanted;
    for (const auto& entry : m_filters) {
        const int logical = logicalOf(entry.first);
        if (logical >= 0)
            wanted.insert(logical, entry.second);
    }
    m_header->setFilteredColumns(QSet<int>(wanted.keyBegin(), wanted.keyEnd()));
    if (wanted == m_proxy->columnFilters())
        return;
    const QHash<int, QString> old = m_proxy->columnFilters();
    for (auto it = old.cbegin(); it != old.cend(); ++it)
        if (!wanted.contains(it.key()))
            m_proxy->clearColumnFilter(it.key());
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        if (!m_proxy->hasColumnFilter(it.key()) || m_proxy->columnFilter(it.key()) != it.value())
            m_proxy->setColumnFilter(it.key(), it.value());
    updateFooter();
}

void BandedGrid::onFilterButton(int logical) {
    if (!m_dataSet || logical < 0 || logical >= m_dataSet->columnCount())
        return;
    openFilterPopup(m_dataSet->columnNames().value(logical));
}

void BandedGrid::openFilterPopup(const QString& field) {
    const int logical = logicalOf(field);
    if (logical < 0 || !m_header->hasFilterButton(logical))
        return;
    const QRect cell = m_header->captionRect(logical);
    const QRect global(m_header->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    m_popup->setFont(font());
    m_popup->open(logical, filterValues(field), filterValue(field), isFiltered(field), global);
}

// Current row -------------------------------------------------------------------------------

int BandedGrid::focusColumn() const {
    const int current = currentIndex().column();
    if (current >= 0 && !m_header->isSectionHidden(current))
        return current;
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int logical = m_header->logicalIndex(visual);
        if (!m_header->isSectionHidden(logical))
            return logical;
    }
    return 0;
}

void BandedGrid::onViewCurrentChanged(const QModelIndex&, const QModelIndex&) {
    if (!m_syncing && !m_modelChanging)
        pushCurrent();
    updateIndicator();
}

void BandedGrid::pushCurrent() {
    const QModelIndex current = currentIndex();
    if (!m_dataSet || !current.isValid())
        return;
    const int row = m_proxy->mapToSource(current).row();
    if (row == m_dataSet->currentRow())
        return;
    const bool moved = ErrorGuard::run(this, [&] { m_dataSet->setCurrentRow(row); });
    if (!moved || m_dataSet->currentRow() != row)
        followDataSet();
}

void BandedGrid::followDataSet() {
    const QScopedValueRollback guard(m_syncing, true);
    const int row = m_dataSet ? m_dataSet->currentRow() : -1;
    QModelIndex index;
    if (row >= 0 && row < m_dataSet->rowCount())
        index = m_proxy->mapFromSource(m_dataSet->index(row, focusColumn()));
    if (index.isValid()) {
        const auto flags = QItemSelectionModel::ClearAndSelect |
                           (m_rowSelect ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate);
        selectionModel()->setCurrentIndex(index, flags);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    updateIndicator();
}

void BandedGrid::keepCurrentInView() {
    if (!m_dataSet)
        return;
    const int row = m_dataSet->currentRow();
    const bool shown =
        row >= 0 && row < m_dataSet->rowCount() && m_proxy->mapFromSource(m_dataSet->index(row, 0)).isValid();
    if (shown)
        followDataSet();
    else if (m_proxy->rowCount() > 0)
        // The current row went out of view: the first row shown becomes current.
        focusViewRow(0);
    else
        followDataSet();
}

void BandedGrid::focusViewRow(int viewRow) {
    if (viewRow < 0 || viewRow >= m_proxy->rowCount())
        return;
    const QModelIndex index = m_proxy->index(viewRow, focusColumn());
    const auto flags = QItemSelectionModel::ClearAndSelect |
                       (m_rowSelect ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate);
    selectionModel()->setCurrentIndex(index, flags);
    scrollTo(index);
    // The view may have stood on this row already while the data set stood elsewhere.
    pushCurrent();
    updateIndicator();
}

void BandedGrid::focusFirst() {
    focusViewRow(0);
}

void BandedGrid::focusPrior() {
    const int row = currentViewRow();
    focusViewRow(row < 0 ? 0 : qMax(0, row - 1));
}

void BandedGrid::focusNext() {
    const int row = currentViewRow();
    focusViewRow(row < 0 ? 0 : qMin(viewRowCount() - 1, row + 1));
}

void BandedGrid::focusLast() {
    focusViewRow(viewRowCount() - 1);
}

int BandedGrid::currentViewRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int BandedGrid::viewRowCount() const {
    return m_proxy->rowCount();
}

int BandedGrid::sourceRow(int viewRow) const {
    if (viewRow < 0 || viewRow >= m_proxy->rowCount())
        return -1;
    return m_proxy->mapToSource(m_proxy->index(viewRow, 0)).row();
}

QVariant BandedGrid::currentKey() const {
    if (!m_dataSet || m_dataSet->currentRow() < 0)
        return {};
    const int column = logicalOf(m_keyField);
    return column >= 0 ? m_dataSet->valueAt(m_dataSet->currentRow(), column) : QVariant();
}

bool BandedGrid::locate(const QVariant& key) {
    const int column = logicalOf(m_keyField);
    if (column < 0 || key.isNull())
        return false;
    for (int viewRow = 0; viewRow < m_proxy->rowCount(); ++viewRow)
        if (m_dataSet->valueAt(sourceRow(viewRow), column) == key) {
            focusViewRow(viewRow);
            return true;
        }
    return false;
}

void BandedGrid::updateIndicator() {
    const int row = currentViewRow();
    auto mark = GridIndicatorHeader::Mark::None;
    if (row >= 0 && m_dataSet) {
        switch (m_dataSet->state()) {
        case BatchDataSet::State::Edit:
            mark = GridIndicatorHeader::Mark::Editing;
            break;
        case BatchDataSet::State::Insert:
            mark = GridIndicatorHeader::Mark::Inserting;
            break;
        default:
            mark = GridIndicatorHeader::Mark::Current;
            break;
        }
    }
    m_indicator->setMark(row, mark);
}

// Look --------------------------------------------------------------------------------------

void BandedGrid::setBandFont(const QFont& font) {
    m_header->setBandFont(font);
    updateGeometries();
}

void BandedGrid::setBandColor(const QColor& color) {
    m_header->setBandColor(color);
}

void BandedGrid::setRowSelect(bool rowSelect) {
    m_rowSelect = rowSelect;
    setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    followDataSet();
}

void BandedGrid::setCellsCentred(bool centred) {
    m_proxy->setCentred(centred);
}

void BandedGrid::setHint(const QString& hint) {
    m_hint = hint;
    m_proxy->setHint(hint);
    setToolTip(hint);
}

void BandedGrid::setFooterVisible(bool visible) {
    m_footerVisible = visible;
    m_footer->setVisible(visible);
    updateGeometries();
}

QString BandedGrid::footerText() const {
    return m_footer->text();
}

void BandedGrid::updateFooter() {
    const int shown = m_proxy->rowCount();
    const int all = m_dataSet ? m_dataSet->rowCount() : 0;
    m_footer->setText(shown == all ? QStringLiteral("共 %1 条记录").arg(shown)
                                   : QStringLiteral("共 %1 条记录（筛选自 %2 条）").arg(shown).arg(all));
}

void BandedGrid::updateGeometries() {
    if (m_inGeometry)
        return;
    const QScopedValueRollback guard(m_inGeometry, true);
    QTableView::updateGeometries();
    if (!m_footer)
        return;
    // The table sets its own margins for the headers; the footer takes a strip below the rows.
    const int footer = m_footerVisible ? fontMetrics().height() + 8 : 0;
    const QMargins margins = viewportMargins();
    if (margins.bottom() != footer)
        setViewportMargins(margins.left(), margins.top(), margins.right(), footer);
    const QRect vp = viewport()->geometry();
    m_footer->setGeometry(vp.left() - margins.left(), vp.bottom() + 1, vp.width() + margins.left(), footer);
}

void BandedGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    // Band captions sit in the visible part of their band, so they move on every scroll.
    if (dx != 0)
        m_header->viewport()->update();
}

void BandedGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_indicator->setDefaultSectionSize(fontMetrics().height() + 6);
        updateGeometries();
    }
    QTableView::changeEvent(event);
}

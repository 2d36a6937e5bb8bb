#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QHeaderView>
#include <QSet>

// The grid's column header with a row of bands above the captions. A band spans its columns
// (hidden ones take no room); the captions carry an arrow for every sorted column and, on the
// columns that offer one, a filter drop-down button.
class BandedHeaderView : public QHeaderView {
    Q_OBJECT
public:
    struct Band {
        QString caption;
        QList<int> columns; // logical columns, in display order
    };

    explicit BandedHeaderView(QWidget* parent = nullptr);

    void setBands(const QList<Band>& bands);
    QList<Band> bands() const { return m_bands; }
    void setBandFont(const QFont& font);
    QFont bandFont() const { return m_bandFont; }
    void setBandColor(const QColor& color);
    QColor bandColor() const { return m_bandColor; }
    int bandHeight() const;
    // The band's rectangle in the header's viewport; empty when none of its columns shows.
    QRect bandRect(int band) const;

    void setSortMarks(const QHash<int, Qt::SortOrder>& marks);
    void setFilterColumns(const QSet<int>& columns);
    void setFilteredColumns(const QSet<int>& columns);
    bool hasFilterButton(int logical) const { return m_filterColumns.contains(logical); }
    // The filter button of a column in the header's viewport.
    QRect filterButtonRect(int logical) const;
    // The caption cell of a column (below the bands) in the header's viewport.
    QRect captionRect(int logical) const;

    QSize sizeHint() const override;

signals:
    // A click on a caption: sort on this column alone, or (shift held) add it to the sort.
    void sortRequested(int logical, bool addToSort);
    void filterButtonClicked(int logical);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logical) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QList<Band> m_bands;
    QFont m_bandFont;
    QColor m_bandColor;
    QHash<int, Qt::SortOrder> m_sortMarks;
    QSet<int> m_filterColumns;
    QSet<int> m_filteredColumns;
    int m_pressed = -1;
    bool m_pressShift = false;
};

#pragma once

#include <QHeaderView>

// The indicator column left of the rows: an arrow on the current row, a pencil while that row
// is in edit, a star while it is a new row being entered.
class GridIndicatorHeader : public QHeaderView {
    Q_OBJECT
public:
    enum class Mark { None, Current, Editing, Inserting };

    explicit GridIndicatorHeader(QWidget* parent = nullptr);

    void setMark(int row, Mark mark);
    int markedRow() const { return m_row; }
    Mark mark() const { return m_mark; }

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logical) const override;

private:
    int m_row = -1;
    Mark m_mark = Mark::None;
};

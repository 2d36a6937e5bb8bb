#pragma once

#include <QStyledItemDelegate>

// Paints the grid's cells; a tick column shows only its tick box, centred in the cell.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

#include "GridCellDelegate.h"

#include <QApplication>
#include <QPainter>

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const QVariant check = index.data(Qt::CheckStateRole);
    if (!check.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    QStyleOptionViewItem box = opt;
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &opt, widget);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &opt, widget);
    box.rect = QRect(opt.rect.center().x() - w / 2, opt.rect.center().y() - h / 2, w, h);
    box.features |= QStyleOptionViewItem::HasCheckIndicator;
    box.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
    box.state |= check.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
}

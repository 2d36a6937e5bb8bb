#include "GridIndicatorHeader.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>
#include <QtMath>

GridIndicatorHeader::GridIndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(true);
    setHighlightSections(false);
}

void GridIndicatorHeader::setMark(int row, Mark mark) {
    if (row == m_row && mark == m_mark)
        return;
    m_row = row;
    m_mark = mark;
    viewport()->update();
}

QSize GridIndicatorHeader::sizeHint() const {
    return QSize(16, defaultSectionSize());
}

void GridIndicatorHeader::paintSection(QPainter* painter, const QRect& rect, int logical) const {
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logical;
    opt.text.clear();
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    if (logical != m_row || m_mark == Mark::None)
        return;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect).center();
    const QColor ink(0x20, 0x20, 0x20);
    switch (m_mark) {
    case Mark::Current: {
        QPainterPath arrow;
        arrow.moveTo(c.x() - 2.5, c.y() - 4.5);
        arrow.lineTo(c.x() + 2.5, c.y());
        arrow.lineTo(c.x() - 2.5, c.y() + 4.5);
        arrow.closeSubpath();
        painter->fillPath(arrow, ink);
        break;
    }
    case Mark::Editing: {
        // A pencil lying from lower left to upper right.
        painter->translate(c);
        painter->rotate(-45);
        painter->setPen(QPen(ink, 1));
        painter->setBrush(QColor(0xF0, 0xC0, 0x40));
        painter->drawRect(QRectF(-3.5, -1.8, 6.5, 3.6));
        QPainterPath tip;
        tip.moveTo(-3.5, -1.8);
        tip.lineTo(-6.5, 0);
        tip.lineTo(-3.5, 1.8);
        tip.closeSubpath();
        painter->fillPath(tip, ink);
        break;
    }
    case Mark::Inserting: {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double radius = i % 2 == 0 ? 5.0 : 2.2;
            const double angle = qDegreesToRadians(-90.0 + i * 36.0);
            const QPointF p(c.x() + radius * qCos(angle), c.y() + radius * qSin(angle));
            if (i == 0)
                star.moveTo(p);
            else
                star.lineTo(p);
        }
        star.closeSubpath();
        painter->fillPath(star, ink);
        break;
    }
    case Mark::None:
        break;
    }
    painter->restore();
}

#include "GroupFrame.h"

#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QWidget(parent), m_title(title) {
    setObjectName(title);
    setAccessibleName(title);
    QFont f = font();
    f.setBold(true);
    m_titleHeight = QFontMetrics(f).height() + 8;
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(8, m_titleHeight + 6, 8, 6);
    m_grid->setHorizontalSpacing(6);
    m_grid->setVerticalSpacing(5);
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    const int textWidth = QFontMetrics(f).horizontalAdvance(m_title);
    const QRectF pill(1.5, 1.5, textWidth + 24, m_titleHeight - 3);
    const QColor ink(0x2f, 0x5d, 0x8a);
    // The rule runs from the title to the right edge, at the title's middle.
    p.setPen(QPen(ink, 1.2));
    p.drawLine(QPointF(pill.right(), pill.center().y()), QPointF(width() - 2, pill.center().y()));
    QPainterPath path;
    path.addRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    p.fillPath(path, QColor(0xdf, 0xea, 0xf4));
    p.drawPath(path);
    p.setPen(ink);
    p.drawText(pill, Qt::AlignCenter, m_title);
    // A light frame around the editors keeps the groups apart.
    p.setPen(QPen(QColor(0xc4, 0xd2, 0xe0), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.5, pill.center().y(), width() - 1.0, height() - pill.center().y() - 1.0), 4,
                      4);
}

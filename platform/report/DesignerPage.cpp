#include "DesignerPage.h"

#include "ReportRenderer.h"
#include "ReportTemplate.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {
constexpr int Pad = 24;        // grey surround of the sheet, pixels
constexpr double HandlePx = 7; // handle square
constexpr double MinSize = 1;  // mm, boxes and text items

double snap(double mm, double step) {
    return std::round(mm / step) * step;
}
double tidy(double mm) {
    return std::round(mm * 100.0) / 100.0;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    const double t = len2 > 0 ? qBound(0.0, QPointF::dotProduct(p - a, d) / len2, 1.0) : 0.0;
    const QPointF q = a + t * d - p;
    return std::sqrt(QPointF::dotProduct(q, q));
}
} // namespace

DesignerPage::DesignerPage(ReportTemplate* layout, QWidget* parent) : QWidget(parent), m_layout(layout) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("报表页面"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x80, 0x86, 0x8c));
    setPalette(p);
}

void DesignerPage::setZoom(double pixelsPerMm) {
    m_zoom = pixelsPerMm;
    resize(sizeHint());
    updateGeometry();
    update();
}

QSize DesignerPage::sizeHint() const {
    return QSize(int(m_layout->pageSize.width() * m_zoom) + 2 * Pad,
                 int(m_layout->pageSize.height() * m_zoom) + 2 * Pad);
}

void DesignerPage::select(int index) {
    if (index < -1 || index >= m_layout->items.size())
        index = -1;
    if (index == m_selected)
        return;
    m_selected = index;
    update();
    emit selectionChanged(index);
}

QPointF DesignerPage::origin() const {
    return {Pad + m_layout->margins.left() * m_zoom, Pad + m_layout->margins.top() * m_zoom};
}

QPointF DesignerPage::toWidget(QPointF mm) const {
    return origin() + mm * m_zoom;
}

QPointF DesignerPage::toMm(QPointF pos) const {
    return (pos - origin()) / m_zoom;
}

QRectF DesignerPage::itemRect(int index) const {
    const QRectF& r = m_layout->items[index].rect;
    return {toWidget(r.topLeft()), r.size() * m_zoom};
}

QPoint DesignerPage::centreOf(int index) const {
    return itemRect(index).center().toPoint();
}

QList<QPointF> DesignerPage::handlePoints(int index) const {
    const QRectF r = itemRect(index);
    if (m_layout->items[index].kind == ReportItem::Kind::Line) {
        // Only the two ends; the unused handles sit far away.
        const QPointF away(-1e6, -1e6);
        return {r.topLeft(), away, away, away, r.bottomRight(), away, away, away};
    }
    const QPointF c = r.center();
    return {r.topLeft(),     QPointF(c.x(), r.top()),    r.topRight(),   QPointF(r.right(), c.y()),
            r.bottomRight(), QPointF(c.x(), r.bottom()), r.bottomLeft(), QPointF(r.left(), c.y())};
}

int DesignerPage::handleAt(QPointF pos) const {
    if (m_selected < 0)
        return None;
    const QList<QPointF> points = handlePoints(m_selected);
    for (int h = 0; h < points.size(); ++h)
        if (std::abs(points[h].x() - pos.x()) <= HandlePx && std::abs(points[h].y() - pos.y()) <= HandlePx)
            return h;
    return None;
}

int DesignerPage::itemAt(QPointF pos) const {
    // Topmost first: items later in the list are drawn over earlier ones.
    for (int i = int(m_layout->items.size()) - 1; i >= 0; --i) {
        const QRectF r = itemRect(i);
        if (m_layout->items[i].kind == ReportItem::Kind::Line) {
            if (distanceToSegment(pos, r.topLeft(), r.bottomRight()) <= 4)
                return i;
        } else if (r.adjusted(-2, -2, 2, 2).contains(pos)) {
            return i;
        }
    }
    return -1;
}

void DesignerPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet(Pad, Pad, m_layout->pageSize.width() * m_zoom, m_layout->pageSize.height() * m_zoom);
    p.fillRect(sheet.translated(4, 4), QColor(0, 0, 0, 70));
    p.fillRect(sheet, Qt::white);

    const QRectF printable(origin(), m_layout->printableSize() * m_zoom);
    p.setPen(QPen(QColor(0x9a, 0xb8, 0xd8), 0, Qt::DashLine));
    p.drawRect(printable);

    ReportRenderer renderer(*m_layout, {});
    renderer.setDesignView(true);
    for (int i = 0; i < m_layout->items.size(); ++i) {
        const ReportItem& item = m_layout->items[i];
        if (item.isText()) {
            // Faint outline so that empty or white text items can still be found.
            p.setPen(QPen(QColor(0xd0, 0xd6, 0xde), 0, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(itemRect(i));
        }
        renderer.paintItem(p, item, m_zoom, origin());
    }

    if (m_selected >= 0) {
        const QRectF r = itemRect(m_selected);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x1e, 0x6f, 0xd9), 0, Qt::DashLine));
        if (m_layout->items[m_selected].kind != ReportItem::Kind::Line)
            p.drawRect(r);
        p.setPen(QPen(QColor(0x1e, 0x6f, 0xd9), 1));
        p.setBrush(Qt::white);
        for (const QPointF& h : handlePoints(m_selected))
            if (h.x() > -1e5)
                p.drawRect(QRectF(h.x() - HandlePx / 2, h.y() - HandlePx / 2, HandlePx, HandlePx));
    }
}

void DesignerPage::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF pos = event->position();
    m_dragHandle = handleAt(pos);
    if (m_dragHandle == None)
        select(itemAt(pos));
    m_dragging = m_selected >= 0;
    m_moved = false;
    m_pressMm = toMm(pos);
    if (m_selected >= 0)
        m_startRect = m_layout->items[m_selected].rect;
}

void DesignerPage::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (!m_dragging) {
        const int h = handleAt(pos);
        static const Qt::CursorShape shapes[] = {
            Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
            Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};
        setCursor(h != None ? shapes[h] : (itemAt(pos) >= 0 ? Qt::SizeAllCursor : Qt::ArrowCursor));
        return;
    }
    applyDrag(pos);
}

void DesignerPage::applyDrag(QPointF pos) {
    const QPointF d = toMm(pos) - m_pressMm;
    if (!m_moved && std::abs(d.x()) < FineStep && std::abs(d.y()) < FineStep)
        return;
    m_moved = true;
    ReportItem& item = m_layout->items[m_selected];
    const double minSize = item.kind == ReportItem::Kind::Line ? 0 : MinSize;
    QRectF r = m_startRect;
    if (m_dragHandle == None) {
        r.moveTopLeft(QPointF(snap(r.x() + d.x(), Step), snap(r.y() + d.y(), Step)));
    } else {
        double left = r.left(), top = r.top(), right = r.right(), bottom = r.bottom();
        if (m_dragHandle == TopLeft || m_dragHandle == Left || m_dragHandle == BottomLeft)
            left = qMin(snap(left + d.x(), Step), right - minSize);
        if (m_dragHandle == TopRight || m_dragHandle == Right || m_dragHandle == BottomRight)
            right = qMax(snap(right + d.x(), Step), left + minSize);
        if (m_dragHandle == TopLeft || m_dragHandle == Top || m_dragHandle == TopRight)
            top = qMin(snap(top + d.y(), Step), bottom - minSize);
        if (m_dragHandle == BottomLeft || m_dragHandle == Bottom || m_dragHandle == BottomRight)
            bottom = qMax(snap(bottom + d.y(), Step), top + minSize);
        r = QRectF(QPointF(left, top), QPointF(right, bottom));
    }
    item.rect = QRectF(tidy(r.x()), tidy(r.y()), tidy(r.width()), tidy(r.height()));
    update();
    emit geometryChanged(m_selected);
}

void DesignerPage::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging && event->button() == Qt::LeftButton)
        applyDrag(event->position());
    m_dragging = false;
    m_dragHandle = None;
}

void DesignerPage::keyPressEvent(QKeyEvent* event) {
    if (m_selected < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        emit deleteRequested();
        return;
    }
    double dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const double step = event->modifiers() & Qt::ControlModifier ? FineStep : Step;
    ReportItem& item = m_layout->items[m_selected];
    QRectF r = item.rect;
    if (event->modifiers() & Qt::ShiftModifier) {
        const double minSize = item.kind == ReportItem::Kind::Line ? 0 : MinSize;
        r.setWidth(qMax(minSize, r.width() + dx * step));
        r.setHeight(qMax(minSize, r.height() + dy * step));
    } else {
        r.translate(dx * step, dy * step);
    }
    item.rect = QRectF(tidy(r.x()), tidy(r.y()), tidy(r.width()), tidy(r.height()));
    update();
    emit geometryChanged(m_selected);
}

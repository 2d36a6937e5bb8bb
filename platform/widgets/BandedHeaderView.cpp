#include "BandedHeaderView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyleOptionHeader>

namespace {

constexpr int FilterButtonWidth = 15;
constexpr int ArrowWidth = 9;

void drawTriangle(QPainter& p, const QRect& box, bool up, const QColor& color) {
    const int w = qMin(box.width(), 8);
    const int h = w / 2 + 1;
    const int x = box.center().x() - w / 2;
    const int y = box.center().y() - h / 2;
    QPolygon tri;
    if (up)
        tri << QPoint(x, y + h) << QPoint(x + w, y + h) << QPoint(x + w / 2, y);
    else
        tri << QPoint(x, y) << QPoint(x + w, y) << QPoint(x + w / 2, y + h);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(tri);
}

} // namespace

BandedHeaderView::BandedHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    m_bandFont = font();
    m_bandColor = palette().color(QPalette::Button);
    setSectionsClickable(true);
    setSectionsMovable(false);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setDefaultAlignment(Qt::AlignCenter);
    setMinimumSectionSize(20);
    // A band's caption is centred over all its columns, so a change of one width repaints all.
    connect(this, &QHeaderView::sectionResized, this, [this] { viewport()->update(); });
    connect(this, &QHeaderView::geometriesChanged, this, [this] { viewport()->update(); });
}

void BandedHeaderView::setBands(const QList<Band>& bands) {
    m_bands = bands;
    updateGeometry();
    viewport()->update();
}

void BandedHeaderView::setBandFont(const QFont& font) {
    m_bandFont = font;
    updateGeometry();
    viewport()->update();
}

void BandedHeaderView::setBandColor(const QColor& color) {
    m_bandColor = color;
    viewport()->update();
}

int BandedHeaderView::bandHeight() const {
    if (m_bands.isEmpty())
        return 0;
    return QFontMetrics(m_bandFont).height() + 8;
}

QSize BandedHeaderView::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    size.setHeight(qMax(size.height(), fontMetrics().height() + 10) + bandHeight());
    return size;
}

QRect BandedHeaderView::bandRect(int band) const {
    if (band < 0 || band >= m_bands.size())
        return {};
    int left = INT_MAX;
    int right = INT_MIN;
    for (int logical : m_bands[band].columns) {
        if (logical < 0 || logical >= count() || isSectionHidden(logical))
            continue;
        const int x = sectionViewportPosition(logical);
        left = qMin(left, x);
        right = qMax(right, x + sectionSize(logical));
    }
    if (left == INT_MAX)
        return {};
    return QRect(left, 0, right - left, bandHeight());
}

QRect BandedHeaderView::captionRect(int logical) const {
    const int top = bandHeight();
    return QRect(sectionViewportPosition(logical), top, sectionSize(logical), height() - top);
}

QRect BandedHeaderView::filterButtonRect(int logical) const {
    if (!m_filterColumns.contains(logical) || isSectionHidden(logical))
        return {};
    const QRect cell = captionRect(logical);
    return QRect(cell.right() - FilterButtonWidth, cell.top() + 2, FilterButtonWidth - 1, cell.height() - 4);
}

void BandedHeaderView::setSortMarks(const QHash<int, Qt::SortOrder>& marks) {
    m_sortMarks = marks;
    viewport()->update();
}

void BandedHeaderView::setFilterColumns(const QSet<int>& columns) {
    m_filterColumns = columns;
    viewport()->update();
}

void BandedHeaderView::setFilteredColumns(const QSet<int>& columns) {
    m_filteredColumns = columns;
    viewport()->update();
}

void BandedHeaderView::paintSection(QPainter* painter, const QRect& rect, int logical) const {
    if (!rect.isValid())
        return;
    const QRect cell = rect.adjusted(0, bandHeight(), 0, 0);
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = cell;
    opt.section = logical;
    opt.textAlignment = Qt::AlignCenter;
    opt.state |= QStyle::State_Raised;
    if (isEnabled())
        opt.state |= QStyle::State_Enabled;
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);

    QRect textRect = cell.adjusted(3, 0, -3, 0);
    if (m_filterColumns.contains(logical)) {
        const QRect button =
            filterButtonRect(logical).translated(rect.left() - sectionViewportPosition(logical), 0);
        const bool active = m_filteredColumns.contains(logical);
        painter->save();
        painter->setPen(palette().color(QPalette::Mid));
        painter->setBrush(active ? QColor(0xFF, 0xF0, 0xB0) : palette().color(QPalette::Button).lighter(104));
        painter->drawRect(button.adjusted(0, 0, -1, -1));
        drawTriangle(*painter, button, false,
                     active ? QColor(0x00, 0x40, 0xC0) : palette().color(QPalette::ButtonText));
        painter->restore();
        textRect.setRight(button.left() - 2);
    }
    if (m_sortMarks.contains(logical)) {
        const QRect arrow(textRect.right() - ArrowWidth, cell.top(), ArrowWidth, cell.height());
        painter->save();
        drawTriangle(*painter, arrow, m_sortMarks.value(logical) == Qt::AscendingOrder,
                     QColor(0x40, 0x40, 0x40));
        painter->restore();
        textRect.setRight(arrow.left() - 1);
    }
    const QString caption = model() ? model()->headerData(logical, Qt::Horizontal).toString() : QString();
    painter->save();
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->setFont(font());
    painter->drawText(textRect, Qt::AlignCenter,
                      fontMetrics().elidedText(caption, Qt::ElideRight, textRect.width()));
    painter->restore();
}

void BandedHeaderView::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    if (m_bands.isEmpty())
        return;
    QPainter p(viewport());
    const QColor line = palette().color(QPalette::Mid);
    for (int i = 0; i < m_bands.size(); ++i) {
        const QRect r = bandRect(i);
        if (r.isEmpty())
            continue;
        p.fillRect(r, m_bandColor);
        p.setPen(line);
        p.drawLine(r.topRight() - QPoint(1, 0), r.bottomRight() - QPoint(1, 0));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(m_bandFont);
        // Centred on the part in view, so a band scrolled half away still shows its caption.
        const QRect textRect = r.intersected(viewport()->rect()).adjusted(4, 0, -4, 0);
        p.drawText(textRect, Qt::AlignCenter,
                   QFontMetrics(m_bandFont).elidedText(m_bands[i].caption, Qt::ElideRight, textRect.width()));
    }
}

void BandedHeaderView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    m_pressed = -1;
    if (pos.y() < bandHeight()) {
        event->accept();
        return;
    }
    const int logical = logicalIndexAt(pos);
    if (logical >= 0 && filterButtonRect(logical).contains(pos)) {
        event->accept();
        emit filterButtonClicked(logical);
        return;
    }
    // Near a section edge the press starts a resize; elsewhere it is a click on the caption.
    const int x = pos.x();
    const bool nearEdge = logical >= 0 && (x - sectionViewportPosition(logical) < 4 ||
                                           sectionViewportPosition(logical) + sectionSize(logical) - x < 4);
    if (!nearEdge && event->button() == Qt::LeftButton) {
        m_pressed = logical;
        m_pressShift = event->modifiers() & Qt::ShiftModifier;
    }
    QHeaderView::mousePressEvent(event);
}

void BandedHeaderView::mouseReleaseEvent(QMouseEvent* event) {
    const int pressed = m_pressed;
    m_pressed = -1;
    QHeaderView::mouseReleaseEvent(event);
    if (pressed >= 0 && logicalIndexAt(event->position().toPoint()) == pressed &&
        event->position().y() >= bandHeight())
        emit sortRequested(pressed, m_pressShift);
}

void BandedHeaderView::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click counts as two clicks on the caption, never as "fit the width".
    mousePressEvent(event);
}

void BandedHeaderView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton && event->position().y() < bandHeight()) {
        unsetCursor();
        event->accept();
        return;
    }
    QHeaderView::mouseMoveEvent(event);
}

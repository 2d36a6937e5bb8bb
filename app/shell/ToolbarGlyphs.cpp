#include "ToolbarGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

// Every glyph is drawn on a 32 x 32 grid in a few calm colours: a slate outline, one accent
// colour per kind of action (green adds and keeps, red removes, blue moves, amber deals).
namespace {

const QColor Slate(0x3d, 0x4b, 0x5c);
const QColor Paper(0xfb, 0xfc, 0xfd);
const QColor Blue(0x2f, 0x6e, 0xa5);
const QColor Green(0x2e, 0x8b, 0x57);
const QColor Red(0xc0, 0x44, 0x3b);
const QColor Amber(0xd0, 0x8a, 0x1e);
const QColor Teal(0x1f, 0x80, 0x80);

QPen outline(const QColor& c, qreal w = 2.0) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p, const QRectF& r = QRectF(7, 4, 18, 24)) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(outline(Slate, 1.6));
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
    p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void badge(QPainter& p, const QColor& c, const QPointF& centre = QPointF(23, 23), qreal r = 7) {
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(c);
    p.drawEllipse(centre, r, r);
}

void plus(QPainter& p, const QPointF& c, qreal s, const QColor& col, qreal w = 2.4) {
    p.setPen(outline(col, w));
    p.drawLine(QPointF(c.x() - s, c.y()), QPointF(c.x() + s, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - s), QPointF(c.x(), c.y() + s));
}

void triangle(QPainter& p, bool up, qreal top, qreal bottom, const QColor& col) {
    QPainterPath t;
    if (up) {
        t.moveTo(16, top);
        t.lineTo(27, bottom);
        t.lineTo(5, bottom);
    } else {
        t.moveTo(16, bottom);
        t.lineTo(27, top);
        t.lineTo(5, top);
    }
    t.closeSubpath();
    p.setPen(outline(col.darker(125), 1.4));
    p.setBrush(col);
    p.drawPath(t);
}

void bar(QPainter& p, qreal y, const QColor& col) {
    p.setPen(Qt::NoPen);
    p.setBrush(col.darker(110));
    p.drawRoundedRect(QRectF(5, y, 22, 4), 1.5, 1.5);
}

void key(QPainter& p, const QColor& col) {
    p.setPen(outline(col, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(10, 12), 5.5, 5.5);
    p.drawLine(QPointF(14, 16), QPointF(25, 27));
    p.drawLine(QPointF(21, 23), QPointF(24, 20));
    p.drawLine(QPointF(24, 26), QPointF(27, 23));
}

void arcArrow(QPainter& p, const QPointF& c, qreal r, const QColor& col) {
    p.setPen(outline(col, 2.4));
    p.setBrush(Qt::NoBrush);
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.drawArc(box, 60 * 16, 280 * 16);
    // Arrow head at the start of the arc (60 degrees), pointing along it.
    const qreal a = 60.0 * M_PI / 180.0;
    const QPointF tip(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    QPainterPath head;
    head.moveTo(tip + QPointF(4.5, 1.5));
    head.lineTo(tip + QPointF(-1.5, -4.5));
    head.lineTo(tip + QPointF(-1.0, 3.5));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPath(head);
}

void pencil(QPainter& p, const QColor& col) {
    p.save();
    p.translate(17, 15);
    p.rotate(45);
    p.setPen(outline(Slate, 1.4));
    p.setBrush(col);
    p.drawRect(QRectF(-3.5, -12, 7, 17));
    p.setBrush(QColor(0xf3, 0xd9, 0xa4));
    QPainterPath tip;
    tip.moveTo(-3.5, 5);
    tip.lineTo(3.5, 5);
    tip.lineTo(0, 11);
    tip.closeSubpath();
    p.drawPath(tip);
    p.setBrush(Slate);
    p.drawRect(QRectF(-3.5, -12, 7, 3));
    p.restore();
}

void magnifier(QPainter& p, const QPointF& c, qreal r) {
    p.setPen(outline(Slate, 2.6));
    p.setBrush(QColor(0xe3, 0xee, 0xf7));
    p.drawEllipse(c, r, r);
    p.drawLine(c + QPointF(r * 0.72, r * 0.72), c + QPointF(r * 0.72 + 6, r * 0.72 + 6));
}

void printer(QPainter& p) {
    p.setPen(outline(Slate, 1.6));
    p.setBrush(Paper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(0x8a, 0x99, 0xab));
    p.drawRoundedRect(QRectF(4, 12, 24, 11), 2.5, 2.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(9, 19, 14, 9));
    p.setPen(outline(Slate, 1.2));
    p.drawLine(QPointF(12, 23), QPointF(20, 23));
    p.drawLine(QPointF(12, 26), QPointF(18, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(Green);
    p.drawEllipse(QPointF(24.5, 15.5), 1.3, 1.3);
}

void floppy(QPainter& p) {
    QPainterPath body;
    body.moveTo(5, 5);
    body.lineTo(23, 5);
    body.lineTo(27, 9);
    body.lineTo(27, 27);
    body.lineTo(5, 27);
    body.closeSubpath();
    p.setPen(outline(Slate, 1.6));
    p.setBrush(Blue);
    p.drawPath(body);
    p.setBrush(Paper);
    p.drawRect(QRectF(10, 5, 11, 8));
    p.setBrush(QColor(0xe3, 0xee, 0xf7));
    p.drawRect(QRectF(9, 17, 14, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(Slate);
    p.drawRect(QRectF(17, 6.5, 2.5, 5));
}

void door(QPainter& p) {
    p.setPen(outline(Slate, 1.6));
    p.setBrush(QColor(0xb9, 0x8a, 0x5a));
    p.drawRect(QRectF(5, 4, 13, 24));
    p.setBrush(Paper);
    p.drawEllipse(QPointF(15, 16), 1.2, 1.2);
    p.setPen(outline(Red, 2.6));
    p.drawLine(QPointF(16, 16), QPointF(28, 16));
    p.drawLine(QPointF(23.5, 11.5), QPointF(28, 16));
    p.drawLine(QPointF(23.5, 20.5), QPointF(28, 16));
}

void trash(QPainter& p) {
    p.setPen(outline(Slate, 1.6));
    p.setBrush(QColor(0xe9, 0xec, 0xf0));
    QPainterPath bin;
    bin.moveTo(8, 9);
    bin.lineTo(24, 9);
    bin.lineTo(22.5, 28);
    bin.lineTo(9.5, 28);
    bin.closeSubpath();
    p.drawPath(bin);
    p.drawLine(QPointF(5, 8), QPointF(27, 8));
    p.drawRect(QRectF(12.5, 4, 7, 4));
    p.setPen(outline(Red, 1.8));
    p.drawLine(QPointF(13, 13), QPointF(13.5, 24));
    p.drawLine(QPointF(16, 13), QPointF(16, 24));
    p.drawLine(QPointF(19, 13), QPointF(18.5, 24));
}

void folder(QPainter& p) {
    p.setPen(outline(Slate, 1.6));
    p.setBrush(QColor(0xe8, 0xb9, 0x4f));
    QPainterPath f;
    f.moveTo(4, 8);
    f.lineTo(12, 8);
    f.lineTo(14, 11);
    f.lineTo(28, 11);
    f.lineTo(28, 26);
    f.lineTo(4, 26);
    f.closeSubpath();
    p.drawPath(f);
}

void gear(QPainter& p) {
    QPainterPath g;
    const QPointF c(16, 16);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 45);
        p.setPen(Qt::NoPen);
        p.setBrush(Slate);
        p.drawRect(QRectF(-2.5, -13, 5, 6));
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Slate);
    p.drawEllipse(c, 9.5, 9.5);
    p.setBrush(Paper);
    p.drawEllipse(c, 4, 4);
}

void bell(QPainter& p) {
    p.setPen(outline(Slate, 1.6));
    p.setBrush(Amber);
    QPainterPath b;
    b.moveTo(6, 24);
    b.cubicTo(9, 20, 8, 14, 10, 10);
    b.cubicTo(12, 5, 20, 5, 22, 10);
    b.cubicTo(24, 14, 23, 20, 26, 24);
    b.closeSubpath();
    p.drawPath(b);
    p.setBrush(Slate);
    p.drawEllipse(QPointF(16, 26.5), 2.5, 2.5);
    p.drawLine(QPointF(16, 4), QPointF(16, 6));
}

void person(QPainter& p) {
    p.setPen(outline(Slate, 1.6));
    p.setBrush(Blue);
    p.drawEllipse(QPointF(16, 10), 5.5, 5.5);
    QPainterPath body;
    body.moveTo(5, 28);
    body.cubicTo(5, 20, 10, 17, 16, 17);
    body.cubicTo(22, 17, 27, 20, 27, 28);
    body.closeSubpath();
    p.drawPath(body);
}

void database(QPainter& p) {
    p.setPen(outline(Slate, 1.6));
    p.setBrush(QColor(0x6f, 0x9b, 0xc4));
    p.drawRect(QRectF(6, 8, 20, 17));
    p.drawEllipse(QRectF(6, 21, 20, 7));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(6.8, 20, 18.4, 4.5));
    p.setPen(outline(Slate, 1.6));
    p.drawLine(QPointF(6, 8), QPointF(6, 24.5));
    p.drawLine(QPointF(26, 8), QPointF(26, 24.5));
    p.setBrush(QColor(0xa9, 0xc6, 0xe0));
    p.drawEllipse(QRectF(6, 4.5, 20, 7));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 12.5, 20, 7), 180 * 16, 180 * 16);
}

void tag(QPainter& p) {
    QPainterPath t;
    t.moveTo(4, 15);
    t.lineTo(15, 4);
    t.lineTo(27, 4);
    t.lineTo(27, 16);
    t.lineTo(16, 27);
    t.closeSubpath();
    p.setPen(outline(Slate, 1.6));
    p.setBrush(Amber);
    p.drawPath(t);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(21.5, 9.5), 2.3, 2.3);
}

void check(QPainter& p, const QColor& col) {
    p.setPen(outline(col, 3.0));
    p.drawLine(QPointF(7, 17), QPointF(13, 23));
    p.drawLine(QPointF(13, 23), QPointF(25, 9));
}

void undoArrow(QPainter& p) {
    p.setPen(outline(Red, 2.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath a;
    a.moveTo(9, 12);
    a.lineTo(20, 12);
    a.cubicTo(25, 12, 27, 16, 27, 19);
    a.cubicTo(27, 23, 24, 26, 20, 26);
    a.lineTo(12, 26);
    p.drawPath(a);
    QPainterPath head;
    head.moveTo(4, 12);
    head.lineTo(11, 6);
    head.lineTo(11, 18);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    p.drawPath(head);
}

void helpMark(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawEllipse(QPointF(16, 16), 12, 12);
    QFont f;
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
}

void ruler(QPainter& p) {
    p.save();
    p.translate(16, 16);
    p.rotate(-45);
    p.setPen(outline(Slate, 1.4));
    p.setBrush(QColor(0xf0, 0xd2, 0x7a));
    p.drawRect(QRectF(-13, -4, 26, 8));
    for (int i = -10; i <= 10; i += 4)
        p.drawLine(QPointF(i, -4), QPointF(i, -1));
    p.restore();
}

void draw(QPainter& p, int index) {
    using G = ToolbarGlyphs;
    switch (index) {
    case G::Print:
        printer(p);
        break;
    case G::Preview:
        page(p);
        magnifier(p, QPointF(18, 18), 5.5);
        break;
    case G::Lease:
        key(p, Amber);
        break;
    case G::Find:
        magnifier(p, QPointF(13, 13), 8);
        break;
    case G::Delete:
        trash(p);
        break;
    case G::Exit:
        door(p);
        break;
    case G::Save:
        floppy(p);
        break;
    case G::Open:
        folder(p);
        break;
    case G::Help:
        helpMark(p);
        break;
    case G::Settings:
        gear(p);
        break;
    case G::Cancel10: // 作废: the record struck out
        page(p);
        p.setPen(outline(Red, 2.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(21, 21), 7, 7);
        p.drawLine(QPointF(16, 26), QPointF(26, 16));
        break;
    case G::Refresh:
        arcArrow(p, QPointF(16, 16), 10, Green);
        break;
    case G::Design:
        ruler(p);
        pencil(p, Blue);
        break;
    case G::New:
        page(p, QRectF(5, 4, 18, 24));
        badge(p, Green);
        plus(p, QPointF(23, 23), 3.8, Qt::white, 2.2);
        break;
    case G::Modify:
        page(p, QRectF(4, 4, 18, 24));
        pencil(p, Blue);
        break;
    case G::Sell:
        tag(p);
        break;
    case G::Deal:
        page(p);
        check(p, Green);
        break;
    case G::Relet:
        key(p, Amber);
        badge(p, Green, QPointF(23, 9), 6.5);
        p.setPen(outline(Qt::white, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(19.5, 5.5, 7, 7), 90 * 16, 270 * 16);
        break;
    case G::Alarm:
        bell(p);
        break;
    case G::User:
        person(p);
        break;
    case G::Backup:
        database(p);
        break;
    case G::Undo:
        undoArrow(p);
        break;
    case G::Down:
        triangle(p, false, 9, 24, Blue);
        break;
    case G::Up:
        triangle(p, true, 8, 23, Blue);
        break;
    case G::First:
        bar(p, 5, Blue);
        triangle(p, true, 11, 26, Blue);
        break;
    case G::Last:
        triangle(p, false, 6, 21, Blue);
        bar(p, 23, Blue);
        break;
    default:
        break;
    }
}

QPixmap render(int index, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    draw(p, index);
    return pm;
}

// The disabled look: the same drawing, faded to grey, so a dead button still reads as one.
QPixmap faded(const QPixmap& pm) {
    QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int grey = 150 + qGray(line[x]) / 3;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 3);
        }
    }
    return QPixmap::fromImage(img);
}

} // namespace

ToolbarGlyphs::ToolbarGlyphs() {}

QIcon ToolbarGlyphs::icon(int index) const {
    if (index < 0 || index >= Count)
        return {};
    if (icons_.isEmpty()) {
        // Drawn on first use: the data module exists before any QGuiApplication in some tests.
        for (int i = 0; i < Count; ++i) {
            QIcon ic;
            for (int size : {16, 24, 32, 48}) {
                const QPixmap pm = render(i, size);
                ic.addPixmap(pm, QIcon::Normal);
                ic.addPixmap(faded(pm), QIcon::Disabled);
            }
            icons_.append(ic);
        }
    }
    return icons_.at(index);
}

int ToolbarGlyphs::count() const {
    return Count;
}

// Draws the tool-bar pictures of the list and detail windows, the updater's pictures and the
// two programs' desktop icons as SVG files, which the programs carry in their Qt resources. Not
// part of the program build; run it when a picture changes and commit the files it writes:
//   cmake -S tools/pictures -B build-pictures && cmake --build build-pictures
//   QT_QPA_PLATFORM=offscreen build-pictures/drawsvg .
#include "../../app/shell/ToolbarGlyphs.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <cmath>
#include <functional>

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

// The updater's pictures: four row states of the file list and the wizard's side picture.
enum RowState { Working = 0, Downloaded = 1, Failed = 2, UpToDate = 3 };

const QColor Navy(0x1f, 0x3a, 0x5f);
const QColor Steel(0x3d, 0x6a, 0x9a);

void drawRowState(QPainter& p, int state, int s) {
    const qreal w = s;
    const QRectF disc(w * 0.06, w * 0.06, w * 0.88, w * 0.88);
    QPen mark(Qt::white, w * 0.13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (state) {
    case Working: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2f, 0x6f, 0xb5));
        p.drawEllipse(disc);
        // An arrow pointing down into a tray: a file on its way.
        p.setPen(mark);
        p.drawLine(QPointF(w * 0.5, w * 0.24), QPointF(w * 0.5, w * 0.62));
        p.drawPolyline(QPolygonF(
            {QPointF(w * 0.32, w * 0.46), QPointF(w * 0.5, w * 0.64), QPointF(w * 0.68, w * 0.46)}));
        p.drawLine(QPointF(w * 0.3, w * 0.76), QPointF(w * 0.7, w * 0.76));
        break;
    }
    case Downloaded:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2e, 0x8b, 0x57));
        p.drawEllipse(disc);
        p.setPen(mark);
        p.drawPolyline(QPolygonF(
            {QPointF(w * 0.27, w * 0.52), QPointF(w * 0.44, w * 0.69), QPointF(w * 0.74, w * 0.34)}));
        break;
    case Failed:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xc0, 0x39, 0x2b));
        p.drawEllipse(disc);
        p.setPen(mark);
        p.drawLine(QPointF(w * 0.33, w * 0.33), QPointF(w * 0.67, w * 0.67));
        p.drawLine(QPointF(w * 0.67, w * 0.33), QPointF(w * 0.33, w * 0.67));
        break;
    default:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8a, 0x96, 0xa3));
        p.drawEllipse(disc);
        // An equals sign: the local file is as new as the release.
        p.setPen(mark);
        p.drawLine(QPointF(w * 0.3, w * 0.4), QPointF(w * 0.7, w * 0.4));
        p.drawLine(QPointF(w * 0.3, w * 0.6), QPointF(w * 0.7, w * 0.6));
        break;
    }
}
// Text centred in a box, drawn as its outline filled (and stroked by weight, 0 for none).
void textOutline(QPainter& p, const QFont& font, const QRectF& box, const QString& text, const QColor& colour,
                 qreal weight) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF r = path.boundingRect();
    const QFontMetricsF m(font);
    path.translate(box.center().x() - r.center().x(), box.center().y() + (m.ascent() - m.descent()) / 2);
    p.save();
    p.setPen(weight > 0 ? QPen(colour, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    p.setBrush(colour);
    p.drawPath(path);
    p.restore();
}

void sidePicture(QPainter& p, const QSize& size) {
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, Steel);
    sky.setColorAt(1, Navy);
    p.fillRect(QRectF(0, 0, size.width(), size.height()), sky);

    // Faint rings behind the emblem.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1.5));
    p.setBrush(Qt::NoBrush);
    const QPointF centre(w / 2, h * 0.36);
    for (qreal r = w * 0.22; r < w * 0.9; r += w * 0.12)
        p.drawEllipse(centre, r, r);

    // Emblem: a cloud with an arrow coming down from it.
    QPainterPath cloud;
    cloud.setFillRule(Qt::WindingFill); // the puffs overlap: their union, not holes
    const qreal u = w / 10;
    cloud.addEllipse(centre + QPointF(-2.2 * u, -0.2 * u), 1.6 * u, 1.3 * u);
    cloud.addEllipse(centre + QPointF(-0.3 * u, -1.0 * u), 2.0 * u, 1.8 * u);
    cloud.addEllipse(centre + QPointF(1.9 * u, -0.1 * u), 1.5 * u, 1.3 * u);
    cloud.addRoundedRect(QRectF(centre.x() - 3.5 * u, centre.y() - 0.2 * u, 7 * u, 1.4 * u), 0.7 * u,
                         0.7 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPath(cloud.simplified());

    QPen arrow(QColor(0xf2, 0xb1, 0x34), 0.75 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(arrow);
    p.drawLine(centre + QPointF(0, -0.4 * u), centre + QPointF(0, 3.0 * u));
    p.drawPolyline(QPolygonF({centre + QPointF(-1.2 * u, 1.9 * u), centre + QPointF(0, 3.1 * u),
                              centre + QPointF(1.2 * u, 1.9 * u)}));

    // Title under the emblem, as outlines: the picture then needs no font where it is shown, and
    // the title keeps its weight (a stroke round the letters, as the painter makes a bold 楷体).
    QFont title;
    title.setFamilies(
        {QStringLiteral("AR PL UKai CN"), QStringLiteral("楷体_GB2312"), QStringLiteral("楷体")});
    title.setPixelSize(int(w / 7));
    textOutline(p, title, QRectF(0, h * 0.64, w, h * 0.12), QStringLiteral("在线升级"), Qt::white, w / 170);
    QFont small;
    small.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("宋体")});
    small.setPixelSize(int(w / 13));
    textOutline(p, small, QRectF(0, h * 0.76, w, h * 0.08), QStringLiteral("房屋中介管理系统"),
                QColor(255, 255, 255, 190), 0);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.drawLine(QPointF(w * 0.2, h * 0.75), QPointF(w * 0.8, h * 0.75));
}

// The desktop icons: the program's emblem on a rounded tile.
void tile(QPainter& p, const QColor& top, const QColor& bottom) {
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
}

void lintaraIcon(QPainter& p) {
    tile(p, QColor(0x3d, 0x6a, 0x9a), QColor(0x1d, 0x3f, 0x66));
    QPainterPath house;
    house.moveTo(32, 12);
    house.lineTo(52, 30);
    house.lineTo(46, 30);
    house.lineTo(46, 50);
    house.lineTo(18, 50);
    house.lineTo(18, 30);
    house.lineTo(12, 30);
    house.closeSubpath();
    p.setBrush(QColor(0xfb, 0xfc, 0xfd));
    p.drawPath(house);
    p.setBrush(QColor(0xf2, 0xb1, 0x34));
    p.drawRoundedRect(QRectF(28, 36, 8, 14), 1.5, 1.5);
}

void corvaneIcon(QPainter& p) {
    tile(p, QColor(0x3d, 0x6a, 0x9a), QColor(0x1f, 0x3a, 0x5f));
    QPainterPath cloud;
    cloud.setFillRule(Qt::WindingFill);
    cloud.addEllipse(QPointF(21, 28), 8, 7);
    cloud.addEllipse(QPointF(31, 23), 10, 9);
    cloud.addEllipse(QPointF(42, 28), 8, 7);
    cloud.addRoundedRect(QRectF(13, 27, 37, 8), 4, 4);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPath(cloud.simplified());
    p.setPen(QPen(QColor(0xf2, 0xb1, 0x34), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(32, 26), QPointF(32, 52));
    p.drawPolyline(QPolygonF({QPointF(25, 45), QPointF(32, 52), QPointF(39, 45)}));
}

bool write(const QString& file, const QSize& size, const std::function<void(QPainter&)>& paint) {
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QFileInfo(file).baseName());
    QPainter p;
    if (!p.begin(&svg))
        return false;
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return p.end();
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const QString toolbar = root.filePath(QStringLiteral("app/shell/pictures/toolbar"));
    const QString updater = root.filePath(QStringLiteral("updater/pictures"));
    const QString icons = root.filePath(QStringLiteral("dist/icons"));
    for (const QString& d : {toolbar, updater, icons})
        QDir().mkpath(d);
    bool ok = true;
    for (int i = 0; i < ToolbarGlyphs::Count; ++i)
        ok &= write(toolbar + QLatin1Char('/') + ToolbarGlyphs::fileName(i), QSize(32, 32),
                    [i](QPainter& p) { draw(p, i); });
    const char* rows[] = {"row-working", "row-downloaded", "row-failed", "row-uptodate"};
    for (int s = 0; s < 4; ++s)
        ok &= write(updater + QLatin1Char('/') + QLatin1String(rows[s]) + QStringLiteral(".svg"),
                    QSize(32, 32), [s](QPainter& p) { drawRowState(p, s, 32); });
    ok &= write(updater + QStringLiteral("/side.svg"), QSize(150, 236),
                [](QPainter& p) { sidePicture(p, QSize(150, 236)); });
    ok &= write(icons + QStringLiteral("/lintara.svg"), QSize(64, 64), lintaraIcon);
    ok &= write(icons + QStringLiteral("/corvane.svg"), QSize(64, 64), corvaneIcon);

    // With a second argument: a sheet comparing each tool-bar picture drawn directly (left) with
    // its SVG file rendered (right), at 24 and 48 pixels, to check that nothing was lost.
    if (argc > 2) {
        QImage sheet(ToolbarGlyphs::Count * 80, 2 * 56 + 70, QImage::Format_ARGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < ToolbarGlyphs::Count; ++i)
            for (int row = 0; row < 2; ++row) {
                const int size = row == 0 ? 24 : 48;
                p.save();
                p.translate(i * 80, row * 56);
                p.scale(size / 32.0, size / 32.0);
                draw(p, i);
                p.restore();
                QSvgRenderer svg(toolbar + QLatin1Char('/') + ToolbarGlyphs::fileName(i));
                svg.render(&p, QRectF(i * 80 + 28, row * 56, size, size));
            }
        // Below: the desktop icons at 64 and 32 pixels.
        for (const char* name : {"lintara", "corvane"}) {
            QSvgRenderer icon(icons + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".svg"));
            const int x = name[0] == 'l' ? 0 : 120;
            icon.render(&p, QRectF(x, 116, 64, 64));
            icon.render(&p, QRectF(x + 70, 132, 32, 32));
        }
        p.end();
        ok &= sheet.save(QString::fromLocal8Bit(argv[2]));
    }
    return ok ? 0 : 1;
}

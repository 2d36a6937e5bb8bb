// Draws the program's pictures into a folder (dist/image): the header strip, the tab pictures,
// the login banner, the list windows' tool-bar background and the function-page entries.
// One palette throughout: a deep slate blue, soft greys, a warm gold for the selected tab.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

const QColor PageBg(0xfa, 0xf9, 0xfb); // the column and page background
const QColor Deep(0x1d, 0x3f, 0x66);
const QColor Mid(0x2c, 0x5f, 0x8f);
const QColor Light(0x5b, 0x8d, 0xbd);

QFont kai(int px, bool bold = false) {
    QFont f;
    f.setFamilies({QStringLiteral("AR PL UKai CN"), QStringLiteral("楷体")});
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QFont plain(int px, bool bold = false) {
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QPen round(const QColor& c, qreal w) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

bool save(const QImage& img, const QString& path) {
    const bool bmp = path.endsWith(QStringLiteral(".bmp"));
    const QImage out = bmp ? img.convertToFormat(QImage::Format_RGB888) : img;
    if (!out.save(path, bmp ? "BMP" : "PNG")) {
        QTextStream(stderr) << "cannot write " << path << "\n";
        return false;
    }
    return true;
}

// A row of buildings with lit windows, drawn from a fixed seed so every run gives the same town.
void skyline(QPainter& p, qreal x0, qreal x1, qreal base, qreal maxH, const QColor& body, const QColor& lit,
             quint32 seed) {
    QRandomGenerator rng(seed);
    qreal x = x0;
    while (x < x1) {
        const qreal w = 26 + rng.bounded(34);
        const qreal h = maxH * (0.35 + rng.bounded(65) / 100.0);
        QRectF b(x, base - h, w, h + 1);
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        if (rng.bounded(4) == 0) {
            // a pitched roof: the houses among the towers
            QPainterPath roof;
            roof.moveTo(b.left() - 2, b.top());
            roof.lineTo(b.center().x(), b.top() - w * 0.35);
            roof.lineTo(b.right() + 2, b.top());
            roof.closeSubpath();
            p.drawPath(roof);
        }
        p.drawRect(b);
        p.setBrush(lit);
        for (qreal wy = b.top() + 6; wy < base - 8; wy += 9)
            for (qreal wx = b.left() + 5; wx < b.right() - 6; wx += 8)
                if (rng.bounded(3) != 0)
                    p.drawRect(QRectF(wx, wy, 3.5, 4));
        x += w + 2 + rng.bounded(6);
    }
}

QImage header(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, Deep);
    g.setColorAt(0.45, Mid);
    g.setColorAt(1, Light);
    p.fillRect(img.rect(), g);
    // soft light from above
    QLinearGradient sheen(0, 0, 0, h);
    sheen.setColorAt(0, QColor(255, 255, 255, 38));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), sheen);
    // two rows of buildings, the far one paler, from a third of the way across
    skyline(p, 520, w, h - 3, 58, QColor(255, 255, 255, 34), QColor(255, 255, 255, 30), 7);
    skyline(p, 640, w, h - 3, 44, QColor(14, 36, 62, 90), QColor(255, 226, 150, 110), 11);
    // a fine gold line along the bottom edge
    p.fillRect(QRect(0, h - 3, w, 3), QColor(0xc9, 0xa2, 0x4e));
    // the house mark
    const QRectF mark(28, 17, 54, 54);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRoundedRect(mark, 12, 12);
    QPainterPath house;
    house.moveTo(mark.left() + 10, mark.top() + 27);
    house.lineTo(mark.center().x(), mark.top() + 11);
    house.lineTo(mark.right() - 10, mark.top() + 27);
    p.setPen(round(Mid, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(house);
    p.setPen(Qt::NoPen);
    p.setBrush(Mid);
    p.drawRect(QRectF(mark.left() + 16, mark.top() + 27, 22, 16));
    p.setBrush(QColor(0xc9, 0xa2, 0x4e));
    p.drawRect(QRectF(mark.center().x() - 4, mark.top() + 33, 8, 10));
    // the program's name
    p.setPen(QColor(0, 0, 0, 70));
    p.setFont(kai(38, true));
    p.drawText(QRectF(101, 11, 500, 50), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("房屋中介管理系统"));
    p.setPen(Qt::white);
    p.drawText(QRectF(99, 9, 500, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("房屋中介管理系统"));
    p.setFont(plain(12));
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRectF(101, 58, 500, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("V E L M O R   ·   HOUSING AGENCY SYSTEM"));
    return img;
}

QImage banner(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, Deep);
    g.setColorAt(1, Light);
    p.fillRect(img.rect(), g);
    skyline(p, 150, w, h - 2, 40, QColor(255, 255, 255, 32), QColor(255, 255, 255, 28), 5);
    skyline(p, 190, w, h - 2, 30, QColor(14, 36, 62, 90), QColor(255, 226, 150, 110), 3);
    p.fillRect(QRect(0, h - 2, w, 2), QColor(0xc9, 0xa2, 0x4e));
    p.setFont(kai(24, true));
    p.setPen(QColor(0, 0, 0, 70));
    p.drawText(QRectF(17, 7, 280, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("房屋中介管理系统"));
    p.setPen(Qt::white);
    p.drawText(QRectF(16, 6, 280, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("房屋中介管理系统"));
    p.setFont(plain(10));
    p.setPen(QColor(255, 255, 255, 190));
    p.drawText(QRectF(17, 38, 280, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("用户登录  ·  USER LOGIN"));
    return img;
}

QImage tab(bool selected) {
    const int w = 135, h = 23;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(PageBg);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    QLinearGradient g(0, 0, 0, h);
    if (selected) {
        g.setColorAt(0, QColor(0xff, 0xfb, 0xf0));
        g.setColorAt(1, QColor(0xf6, 0xe2, 0xb4));
        p.setPen(QPen(QColor(0xc4, 0x9b, 0x4a), 1));
    } else {
        g.setColorAt(0, QColor(0xff, 0xff, 0xff));
        g.setColorAt(1, QColor(0xe4, 0xe9, 0xf0));
        p.setPen(QPen(QColor(0xb4, 0xc0, 0xcf), 1));
    }
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    // the marker on the left: a gold bar when selected, a small slate dot otherwise
    p.setPen(Qt::NoPen);
    if (selected) {
        p.setBrush(QColor(0xb8, 0x86, 0x2b));
        p.drawRoundedRect(QRectF(3, 4, 4, h - 8), 1.5, 1.5);
    } else {
        p.setBrush(QColor(0x8a, 0x9b, 0xb0));
        p.drawEllipse(QPointF(9, h / 2.0), 2.2, 2.2);
    }
    return img;
}

QImage toolbarBackground(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0xfb, 0xfc, 0xfe));
    g.setColorAt(0.55, QColor(0xee, 0xf2, 0xf7));
    g.setColorAt(1, QColor(0xe2, 0xe8, 0xf0));
    p.fillRect(img.rect(), g);
    p.fillRect(QRect(0, 0, w, 1), Qt::white);
    return img;
}

// ---- entry pictures: a rounded tile with a white pictogram, on a 50 x 50 grid -------------

using Glyph = std::function<void(QPainter&)>;

const QColor Ink = Qt::white;

void houseShape(QPainter& p, qreal x, qreal y, qreal s, bool filled = false) {
    QPainterPath h;
    h.moveTo(x, y + s * 0.45);
    h.lineTo(x + s / 2, y);
    h.lineTo(x + s, y + s * 0.45);
    p.setPen(round(Ink, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(h);
    QPainterPath body;
    body.moveTo(x + s * 0.15, y + s * 0.35);
    body.lineTo(x + s * 0.15, y + s);
    body.lineTo(x + s * 0.85, y + s);
    body.lineTo(x + s * 0.85, y + s * 0.35);
    p.setBrush(filled ? QBrush(Ink) : Qt::NoBrush);
    p.drawPath(body);
}

void keyShape(QPainter& p, qreal cx, qreal cy, qreal r) {
    p.setPen(round(Ink, 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(cx, cy), r, r);
    p.drawLine(QPointF(cx + r * 0.7, cy + r * 0.7), QPointF(cx + r * 2.4, cy + r * 2.4));
    p.drawLine(QPointF(cx + r * 1.75, cy + r * 1.75), QPointF(cx + r * 2.35, cy + r * 1.15));
    p.drawLine(QPointF(cx + r * 2.2, cy + r * 2.2), QPointF(cx + r * 2.8, cy + r * 1.6));
}

void lens(QPainter& p, qreal cx, qreal cy, qreal r) {
    p.setPen(round(Ink, 3.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(cx, cy), r, r);
    p.drawLine(QPointF(cx + r * 0.72, cy + r * 0.72), QPointF(cx + r * 1.6, cy + r * 1.6));
}

void personShape(QPainter& p, qreal cx, qreal top, qreal s) {
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(cx, top + s * 0.22), s * 0.2, s * 0.2);
    QPainterPath b;
    b.moveTo(cx - s * 0.42, top + s);
    b.cubicTo(cx - s * 0.42, top + s * 0.6, cx - s * 0.2, top + s * 0.48, cx, top + s * 0.48);
    b.cubicTo(cx + s * 0.2, top + s * 0.48, cx + s * 0.42, top + s * 0.6, cx + s * 0.42, top + s);
    b.closeSubpath();
    p.drawPath(b);
}

void bars(QPainter& p, qreal x, qreal base, const QList<qreal>& heights, qreal w) {
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    for (int i = 0; i < heights.size(); ++i)
        p.drawRoundedRect(QRectF(x + i * (w + 3), base - heights[i], w, heights[i]), 1, 1);
}

struct Entry {
    const char* file;
    QColor colour;
    Glyph glyph;
};

QList<Entry> entries() {
    const QColor teal(0x2b, 0x86, 0x86), blue(0x3a, 0x6f, 0xa8), amber(0xc8, 0x8a, 0x2a),
        indigo(0x5a, 0x62, 0xa6), green(0x3f, 0x8a, 0x60), slate(0x56, 0x6a, 0x80), brown(0x93, 0x6c, 0x45),
        violet(0x75, 0x5c, 0x9c), sky(0x2f, 0x86, 0xb0);
    return {
        {"lease", teal,
         [](QPainter& p) {
             houseShape(p, 7, 8, 23);
             keyShape(p, 31, 28, 4.2);
         }},
        {"alarm", amber,
         [](QPainter& p) {
             QPainterPath b;
             b.moveTo(12, 34);
             b.cubicTo(15, 30, 14, 21, 16, 17);
             b.cubicTo(19, 9, 31, 9, 34, 17);
             b.cubicTo(36, 21, 35, 30, 38, 34);
             b.closeSubpath();
             p.setPen(round(Ink, 3));
             p.setBrush(Qt::NoBrush);
             p.drawPath(b);
             p.setPen(Qt::NoPen);
             p.setBrush(Ink);
             p.drawEllipse(QPointF(25, 38), 3.5, 3.5);
             p.drawRect(QRectF(23.5, 7, 3, 4));
         }},
        {"rentdemand", teal,
         [](QPainter& p) {
             personShape(p, 17, 12, 24);
             keyShape(p, 32, 17, 4.2);
         }},
        {"sale", blue,
         [](QPainter& p) {
             houseShape(p, 8, 9, 24);
             QPainterPath t;
             t.moveTo(28, 30);
             t.lineTo(35, 23);
             t.lineTo(42, 23);
             t.lineTo(42, 30);
             t.lineTo(35, 37);
             t.closeSubpath();
             p.setPen(round(Ink, 2.6));
             p.setBrush(QColor(0x3a, 0x6f, 0xa8));
             p.drawPath(t);
             p.setBrush(Ink);
             p.drawEllipse(QPointF(38.5, 26.5), 1.2, 1.2);
         }},
        {"purchase", blue,
         [](QPainter& p) {
             houseShape(p, 8, 9, 22);
             lens(p, 32, 29, 6.5);
         }},
        {"personalstat", indigo,
         [](QPainter& p) {
             personShape(p, 16, 10, 22);
             bars(p, 28, 38, {10, 17, 24}, 4);
             p.fillRect(QRectF(9, 38, 33, 2.5), Ink);
         }},
        {"allstat", indigo,
         [](QPainter& p) {
             bars(p, 11, 38, {9, 15, 12, 22, 27}, 4.2);
             p.fillRect(QRectF(9, 38, 33, 2.5), Ink);
             p.setPen(round(Ink, 2.2));
             p.drawPolyline(QPolygonF({QPointF(10, 24), QPointF(18, 18), QPointF(26, 21), QPointF(38, 9)}));
         }},
        {"dict", green,
         [](QPainter& p) {
             p.setPen(round(Ink, 2.8));
             p.setBrush(Qt::NoBrush);
             QPainterPath l, r;
             l.moveTo(25, 15);
             l.cubicTo(20, 11, 14, 11, 9, 13);
             l.lineTo(9, 36);
             l.cubicTo(14, 34, 20, 34, 25, 38);
             r.moveTo(25, 15);
             r.cubicTo(30, 11, 36, 11, 41, 13);
             r.lineTo(41, 36);
             r.cubicTo(36, 34, 30, 34, 25, 38);
             p.drawPath(l);
             p.drawPath(r);
             p.drawLine(QPointF(25, 15), QPointF(25, 37));
             p.setPen(round(Ink, 1.8));
             for (int i = 0; i < 3; ++i) {
                 p.drawLine(QPointF(13, 19 + i * 5), QPointF(21, 19 + i * 5));
                 p.drawLine(QPointF(29, 19 + i * 5), QPointF(37, 19 + i * 5));
             }
         }},
        {"backup", slate,
         [](QPainter& p) {
             p.setPen(round(Ink, 2.8));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(9, 8, 22, 8));
             p.drawLine(QPointF(9, 12), QPointF(9, 34));
             p.drawLine(QPointF(31, 12), QPointF(31, 24));
             p.drawArc(QRectF(9, 19, 22, 8), 180 * 16, 180 * 16);
             p.drawArc(QRectF(9, 30, 22, 8), 180 * 16, 90 * 16);
             // the arrow into the safe copy
             p.drawLine(QPointF(36, 22), QPointF(36, 39));
             p.drawLine(QPointF(30.5, 33.5), QPointF(36, 39));
             p.drawLine(QPointF(41.5, 33.5), QPointF(36, 39));
         }},
        {"calc", slate,
         [](QPainter& p) {
             p.setPen(round(Ink, 2.8));
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(QRectF(13, 7, 24, 36), 3, 3);
             p.setBrush(Ink);
             p.drawRect(QRectF(17, 11, 16, 7));
             p.setPen(Qt::NoPen);
             for (int r = 0; r < 3; ++r)
                 for (int c = 0; c < 3; ++c)
                     p.drawRoundedRect(QRectF(17 + c * 6, 22 + r * 6, 4, 4), 1, 1);
         }},
        {"company", brown,
         [](QPainter& p) {
             p.setPen(round(Ink, 2.8));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(12, 9, 16, 31));
             p.drawRect(QRectF(28, 19, 10, 21));
             p.setPen(Qt::NoPen);
             p.setBrush(Ink);
             for (int r = 0; r < 4; ++r)
                 for (int c = 0; c < 2; ++c)
                     p.drawRect(QRectF(16 + c * 6, 13 + r * 6, 3, 3));
             p.drawRect(QRectF(31.5, 24, 3, 3));
             p.drawRect(QRectF(31.5, 30, 3, 3));
             p.drawRect(QRectF(8, 39, 34, 2.5));
         }},
        {"about", sky,
         [](QPainter& p) {
             p.setPen(round(Ink, 3));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(25, 25), 15, 15);
             p.setPen(Qt::NoPen);
             p.setBrush(Ink);
             p.drawEllipse(QPointF(25, 17), 2.4, 2.4);
             p.drawRoundedRect(QRectF(23, 22, 4, 12), 1.5, 1.5);
         }},
        {"users", violet,
         [](QPainter& p) {
             personShape(p, 31, 12, 22);
             p.setPen(QPen(QColor(0x75, 0x5c, 0x9c), 2));
             p.setBrush(Ink);
             p.drawEllipse(QPointF(19, 17.5), 5.5, 5.5);
             QPainterPath b;
             b.moveTo(8, 39);
             b.cubicTo(8, 29, 13, 26, 19, 26);
             b.cubicTo(25, 26, 30, 29, 30, 39);
             b.closeSubpath();
             p.drawPath(b);
         }},
        {"update", sky,
         [](QPainter& p) {
             p.setPen(round(Ink, 2.8));
             p.setBrush(Qt::NoBrush);
             QPainterPath c;
             c.moveTo(15, 33);
             c.cubicTo(7, 33, 7, 22, 14, 21);
             c.cubicTo(15, 13, 26, 10, 30, 17);
             c.cubicTo(37, 15, 42, 21, 40, 26);
             c.cubicTo(44, 28, 42, 33, 37, 33);
             p.drawPath(c);
             p.drawLine(QPointF(25, 41), QPointF(25, 24));
             p.drawLine(QPointF(19.5, 29.5), QPointF(25, 24));
             p.drawLine(QPointF(30.5, 29.5), QPointF(25, 24));
         }},
    };
}

QImage entryPicture(const Entry& e, bool pressed) {
    const int w = 67, h = 62;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal shift = pressed ? 1.0 : 0.0;
    const QRectF tile(8.5 + shift, 4.5 + shift, 50, 50);
    // a soft shadow below the tile; the pressed tile sits lower and casts less
    for (int i = 3; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 40, 70, pressed ? 10 : 16));
        p.drawRoundedRect(tile.translated(0, pressed ? 1 : 2).adjusted(-i, -i + 1, i, i), 11 + i, 11 + i);
    }
    QLinearGradient g(tile.topLeft(), tile.bottomLeft());
    const QColor base = pressed ? e.colour.darker(118) : e.colour;
    g.setColorAt(0, base.lighter(pressed ? 108 : 122));
    g.setColorAt(1, base);
    p.setBrush(g);
    p.setPen(QPen(base.darker(125), 1));
    p.drawRoundedRect(tile, 11, 11);
    // a gentle gloss on the upper half, less when pressed
    QLinearGradient gloss(tile.topLeft(), QPointF(tile.left(), tile.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, pressed ? 25 : 55));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(tile.adjusted(1, 1, -1, -tile.height() / 2), 10, 10);
    if (pressed) {
        // the gold ring of the chosen entry
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xe9, 0xc2, 0x6a), 2));
        p.drawRoundedRect(tile.adjusted(1.5, 1.5, -1.5, -1.5), 9.5, 9.5);
    }
    p.translate(tile.topLeft());
    e.glyph(p);
    return img;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("dist/image");
    QDir().mkpath(out + QStringLiteral("/entry"));
    bool ok = true;
    ok &= save(header(2560, 89), out + QStringLiteral("/main.bmp"));
    ok &= save(tab(false), out + QStringLiteral("/but1.bmp"));
    ok &= save(tab(true), out + QStringLiteral("/but2.bmp"));
    ok &= save(banner(300, 62), out + QStringLiteral("/star.bmp"));
    ok &= save(toolbarBackground(256, 96), out + QStringLiteral("/背景.bmp"));
    for (const Entry& e : entries()) {
        const QString name = QString::fromLatin1(e.file);
        ok &= save(entryPicture(e, false), out + QStringLiteral("/entry/") + name + QStringLiteral(".png"));
        ok &=
            save(entryPicture(e, true), out + QStringLiteral("/entry/") + name + QStringLiteral("_down.png"));
    }
    return ok ? 0 : 1;
}

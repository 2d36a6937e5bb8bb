#include "UpdaterPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
const QColor Navy(0x1f, 0x3a, 0x5f);
const QColor Steel(0x3d, 0x6a, 0x9a);

QPixmap blank(int side) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    return pm;
}

void drawRowState(QPainter& p, int state, int s) {
    const qreal w = s;
    const QRectF disc(w * 0.06, w * 0.06, w * 0.88, w * 0.88);
    QPen mark(Qt::white, w * 0.13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (state) {
    case UpdaterPictures::Working: {
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
    case UpdaterPictures::Downloaded:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2e, 0x8b, 0x57));
        p.drawEllipse(disc);
        p.setPen(mark);
        p.drawPolyline(QPolygonF(
            {QPointF(w * 0.27, w * 0.52), QPointF(w * 0.44, w * 0.69), QPointF(w * 0.74, w * 0.34)}));
        break;
    case UpdaterPictures::Failed:
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
} // namespace

QIcon UpdaterPictures::rowStateIcon(int state) {
    QIcon icon;
    for (int side : {16, 32}) {
        QPixmap pm = blank(side);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        drawRowState(p, state, side);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QPixmap UpdaterPictures::sidePicture(const QSize& size) {
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, Steel);
    sky.setColorAt(1, Navy);
    p.fillRect(pm.rect(), sky);

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

    // Title under the emblem.
    QFont title;
    title.setFamilies(
        {QStringLiteral("AR PL UKai CN"), QStringLiteral("楷体_GB2312"), QStringLiteral("楷体")});
    title.setPixelSize(int(w / 7));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, h * 0.64, w, h * 0.12), Qt::AlignCenter, QStringLiteral("在线升级"));
    QFont small;
    small.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("宋体")});
    small.setPixelSize(int(w / 13));
    p.setFont(small);
    p.setPen(QColor(255, 255, 255, 190));
    p.drawText(QRectF(0, h * 0.76, w, h * 0.08), Qt::AlignCenter, QStringLiteral("房屋中介管理系统"));
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.drawLine(QPointF(w * 0.2, h * 0.75), QPointF(w * 0.8, h * 0.75));
    p.end();
    return pm;
}

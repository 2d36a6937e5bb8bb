#include "SvgPicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

QPixmap SvgPicture::render(const QString& file, const QSize& size) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pm(size * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    QSvgRenderer svg(file);
    if (svg.isValid()) {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return pm;
}

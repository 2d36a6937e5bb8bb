#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// Renders an SVG picture (a file or a resource) at a given size, for the screen's pixel ratio.
class SvgPicture {
public:
    // A transparent pixmap of that size when the picture cannot be read.
    static QPixmap render(const QString& file, const QSize& size);
};

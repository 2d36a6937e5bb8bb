#include "ToolbarGlyphs.h"

#include "SvgPicture.h"

#include <QImage>
#include <QPixmap>

namespace {
// The disabled look: the same picture, faded to grey, so a dead button still reads as one.
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

// The pictures are built into the program; a static library needs its resources named.
static void initPictures() {
    Q_INIT_RESOURCE(ToolbarPictures);
}

ToolbarGlyphs::ToolbarGlyphs() {}

QIcon ToolbarGlyphs::icon(int index) const {
    if (index < 0 || index >= Count)
        return {};
    if (icons_.isEmpty()) {
        // Made on first use: the data module exists before any QGuiApplication in some tests.
        initPictures();
        for (int i = 0; i < Count; ++i) {
            const QString file = QStringLiteral(":/toolbar/") + fileName(i);
            QIcon ic;
            for (int size : {16, 24, 32, 48}) {
                const QPixmap pm = SvgPicture::render(file, QSize(size, size));
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

#include "UpdaterPictures.h"

#include "SvgPicture.h"

// The pictures are built into the program; a static library needs its resources named.
static void initPictures() {
    Q_INIT_RESOURCE(UpdaterPictures);
}

QIcon UpdaterPictures::rowStateIcon(int state) {
    initPictures();
    static const char* const names[] = {"row-working", "row-downloaded", "row-failed", "row-uptodate"};
    const QString file =
        QStringLiteral(":/updater/") + QLatin1String(names[qBound(0, state, 3)]) + QStringLiteral(".svg");
    QIcon icon;
    for (int side : {16, 32})
        icon.addPixmap(SvgPicture::render(file, QSize(side, side)));
    return icon;
}

QPixmap UpdaterPictures::sidePicture(const QSize& size) {
    initPictures();
    return SvgPicture::render(QStringLiteral(":/updater/side.svg"), size);
}

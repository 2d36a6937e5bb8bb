#include "ProgramLook.h"

#include "SvgPicture.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

namespace {
QFont make(const QStringList& families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
} // namespace

QFont ProgramLook::song(int pixelSize, bool bold) {
    return make({QStringLiteral("AR PL UMing CN"), QStringLiteral("宋体"), QStringLiteral("SimSun")},
                pixelSize, bold);
}

QFont ProgramLook::kai(int pixelSize, bool bold) {
    return make({QStringLiteral("AR PL UKai CN"), QStringLiteral("楷体_GB2312"), QStringLiteral("楷体"),
                 QStringLiteral("KaiTi")},
                pixelSize, bold);
}

QIcon ProgramLook::programIcon(const QString& svgFile) {
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128})
        icon.addPixmap(SvgPicture::render(svgFile, QSize(side, side)));
    return icon;
}

bool ProgramLook::loadQtTranslations(QCoreApplication& app) {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool any = false;
    // "qt_zh_CN" gathers the modules' own files ("qtbase_zh_CN" and the rest) where they exist.
    for (const char* name : {"qt_zh_CN", "qtbase_zh_CN"}) {
        auto* t = new QTranslator(&app);
        if (t->load(QLatin1String(name), dir)) {
            app.installTranslator(t);
            any = true;
        } else {
            delete t;
        }
    }
    return any;
}

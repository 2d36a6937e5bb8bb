#include "ShellFonts.h"

#include <QStringList>

namespace {
QFont make(const QStringList& families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
} // namespace

QFont ShellFonts::song(int pixelSize, bool bold) {
    return make({QStringLiteral("AR PL UMing CN"), QStringLiteral("宋体"), QStringLiteral("SimSun")},
                pixelSize, bold);
}

QFont ShellFonts::kai(int pixelSize, bool bold) {
    return make({QStringLiteral("AR PL UKai CN"), QStringLiteral("楷体_GB2312"), QStringLiteral("楷体"),
                 QStringLiteral("KaiTi")},
                pixelSize, bold);
}

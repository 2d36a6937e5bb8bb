#include "GuardedApplication.h"
#include "TForm_Update.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    // Qt's own buttons and dialogs speak Chinese like the rest of the window.
    QTranslator qtChinese;
    if (qtChinese.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtChinese);
    TForm_Update window;
    window.show();
    return app.exec();
}

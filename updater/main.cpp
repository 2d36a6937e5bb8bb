#include "GuardedApplication.h"
#include "ProgramEnd.h"
#include "ProgramLook.h"
#include "TForm_Update.h"

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    ProgramLook::loadQtTranslations(app);
    QApplication::setWindowIcon(ProgramLook::programIcon(QStringLiteral(":/icons/corvane.svg")));
    TForm_Update window;
    window.show();
    return ProgramEnd::exec();
}

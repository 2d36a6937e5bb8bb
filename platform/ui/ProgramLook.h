#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>

class QCoreApplication;

// The look both programs share: the two Chinese faces, asked for by family lists so another CJK
// font serves too; the background the main window and its pages share; Qt's own Chinese translations, so the
// standard buttons and dialogs (是/否, 确定, file dialogs, print preview, calendar) speak Chinese
// like the rest.
class ProgramLook {
public:
    static QFont song(int pixelSize, bool bold = false); // 宋体
    static QFont kai(int pixelSize, bool bold = false);  // 楷体_GB2312

    static QColor pageBackground() { return QColor(0xfa, 0xf9, 0xfb); } // $FBF9FA

    // The program's icon from its SVG picture (":/icons/lintara.svg"), for its windows.
    static QIcon programIcon(const QString& svgFile);

    // Installs Qt's Chinese translations into the application; false when none were found.
    static bool loadQtTranslations(QCoreApplication& app);
};

#pragma once

#include <QFont>

// The two Chinese faces the windows ask for, by family list so another CJK font serves too.
class ShellFonts {
public:
    static QFont song(int pixelSize, bool bold = false); // 宋体
    static QFont kai(int pixelSize, bool bold = false);  // 楷体_GB2312
};

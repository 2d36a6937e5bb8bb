#pragma once

#include <QIcon>
#include <QList>
#include <QString>

// The tool-bar pictures of the list and detail windows, addressed by their index as the windows
// have always done (0 打印, 2 出租, 4 删除, 5 退出, 6 保存, 10 作废, 11 刷新, 13 新增, 14 修改, 17 再租,
// 21 取消, 22 向下, 23 向上, 24 首条, 25 未条). SVG pictures in the program's resources (drawn by
// tools/pictures), so they stay crisp at every size.
class ToolbarGlyphs {
public:
    enum Glyph {
        Print = 0,
        Preview = 1,
        Lease = 2,
        Find = 3,
        Delete = 4,
        Exit = 5,
        Save = 6,
        Open = 7,
        Help = 8,
        Settings = 9,
        Cancel10 = 10,
        Refresh = 11,
        Design = 12,
        New = 13,
        Modify = 14,
        Sell = 15,
        Deal = 16,
        Relet = 17,
        Alarm = 18,
        User = 19,
        Backup = 20,
        Undo = 21,
        Down = 22,
        Up = 23,
        First = 24,
        Last = 25,
        Count = 26
    };

    static constexpr const char* Names[Count] = {
        "print",    "preview", "lease",   "find",   "delete", "exit",   "save",  "open", "help",
        "settings", "void",    "refresh", "design", "new",    "modify", "sell",  "deal", "relet",
        "alarm",    "user",    "backup",  "undo",   "down",   "up",     "first", "last"};

    ToolbarGlyphs();

    // An empty icon for an index outside the list.
    QIcon icon(int index) const;
    int count() const;
    // The picture's file name ("06-save.svg"), empty outside the list.
    static QString fileName(int index) {
        if (index < 0 || index >= Count)
            return {};
        return QStringLiteral("%1-%2.svg")
            .arg(index, 2, 10, QLatin1Char('0'))
            .arg(QLatin1String(Names[index]));
    }

private:
    mutable QList<QIcon> icons_;
};

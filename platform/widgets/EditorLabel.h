#pragma once

#include <QString>

class QLabel;
class QWidget;

// Ties a label to its editor: the label becomes the editor's buddy and the editor is named
// for assistive tools by the label's text without the colon, after the group's title where a
// window has two editors under the same label text.
class EditorLabel {
public:
    static void attach(QLabel* label, QWidget* editor, const QString& group = QString());
    // "房屋地址：" -> "房屋地址"
    static QString nameOf(const QString& labelText);
};

#pragma once

class QFrame;
class QString;
class QToolButton;
class QWidget;

// The buttons and separators of a record window's tool bar (a frame with a row layout): flat
// buttons with the caption under the glyph, never taking the focus from the editors.
class ToolBarItems {
public:
    static QToolButton* addButton(QWidget* bar, const QString& name, const QString& caption, int glyph);
    static QFrame* addSeparator(QWidget* bar);
};

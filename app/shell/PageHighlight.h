#pragma once

class PictureButton;
class QLabel;
class QObject;
class QWidget;

// The selection look of the function-page entries; it follows the mouse and opens nothing.

// Shows the entry of label and button as selected (label white on teal, button down) and every
// other entry of the page as not selected.
void HighlightPageEntry(QWidget* page, QLabel* label, PictureButton* button);

// The mouse is over control (an entry's label or picture button): highlight that entry.
void PageEntryMouseMove(QWidget* page, QObject* control);

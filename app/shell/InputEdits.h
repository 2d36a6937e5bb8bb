#pragma once

class QWidget;

// Empties every edit box of the window: plain line edits, data-aware edits and pick edits (a pick
// edit also loses its chosen item).
void ClearInputs(QWidget* window);
// Removes leading and trailing blanks from every plain line edit of the window; data-aware
// editors are left as they are.
void TrimEdits(QWidget* window);

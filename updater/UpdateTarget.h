#pragma once

#include <QString>

// Where a row of the update list may be installed: inside the program folder, not into the
// updater's own folders or settings, and not through a symbolic link that leads out of it.
class UpdateTarget {
public:
    // The row's target folder: trimmed, with the Windows separators of older lists read as "/".
    static QString folderOf(const QString& paths);
    // Empty when name in folder (relative to appDir) may be written; else the log text for it.
    static QString refusal(const QString& appDir, const QString& name, const QString& folder);
};

#pragma once

#include <QIcon>
#include <QPixmap>

// The updater's pictures, SVG files in the program's resources (drawn by tools/pictures), so the
// program needs no picture files beside it: the wizard's side picture and the four row states
// of the file list.
class UpdaterPictures {
public:
    enum RowState { Working = 0, Downloaded = 1, Failed = 2, UpToDate = 3 };

    static QPixmap sidePicture(const QSize& size);
    static QIcon rowStateIcon(int state);
};

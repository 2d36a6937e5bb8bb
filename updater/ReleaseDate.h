#pragma once

#include <QDateTime>
#include <QString>

// The release date of a file as the update list writes it. Servers write it in a few habits:
// "yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd" and the Windows "yyyy/M/d H:mm:ss", with or without leading
// zeros or seconds. Read as local time, like the file dates it is compared with.
class ReleaseDate {
public:
    // An invalid date-time when the text is none of those.
    static QDateTime parse(const QString& text);
};

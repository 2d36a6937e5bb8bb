#pragma once

#include <QDate>
#include <QString>

// Every date the program shows, stores as text or passes to a query goes through here, in the
// program's short date format. The login window fixes that format to "yyyy-MM-dd" when it is
// created; before that the running program uses the desktop's own short format.
class DateText {
public:
    static constexpr const char* Iso = "yyyy-MM-dd";

    static QString shortFormat();
    static void setShortFormat(const QString& format);

    static QString format(const QDate& date);
    // An empty or unreadable text gives an invalid date.
    static QDate parse(const QString& text);
    static QString today();
};

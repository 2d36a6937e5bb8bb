#pragma once

#include <QString>

// Blanks as the program has always trimmed them: spaces and control characters at either end
// (a full-width blank is text, not a blank).
class TextBlanks {
public:
    static QString trim(const QString& text);
};

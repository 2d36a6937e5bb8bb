#pragma once

#include <QList>
#include <QStringList>

// The multi-choice columns (周围环境, 房屋设施): a column holds the ticked items of a list joined
// by "," in list order, without blanks.
class MultiChoiceText {
public:
    // Which items a stored text ticks: each piece between commas ticks the first item equal to
    // it without regard to case; pieces are not trimmed and unknown pieces are ignored.
    static QList<bool> ticks(const QStringList& items, const QString& text);
    // The text for the ticked items, in list order ("" when none is ticked).
    static QString join(const QStringList& items, const QList<bool>& ticks);
};

#include "MultiChoiceText.h"

QList<bool> MultiChoiceText::ticks(const QStringList& items, const QString& text) {
    QList<bool> result(items.size(), false);
    for (const QString& piece : text.split(QLatin1Char(','))) {
        for (qsizetype i = 0; i < items.size(); ++i)
            if (items[i].compare(piece, Qt::CaseInsensitive) == 0) {
                result[i] = true;
                break;
            }
    }
    return result;
}

QString MultiChoiceText::join(const QStringList& items, const QList<bool>& ticks) {
    QStringList ticked;
    for (qsizetype i = 0; i < items.size(); ++i)
        if (i < ticks.size() && ticks[i])
            ticked.append(items[i]);
    return ticked.join(QLatin1Char(','));
}

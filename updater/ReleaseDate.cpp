#include "ReleaseDate.h"

#include <QStringList>

QDateTime ReleaseDate::parse(const QString& text) {
    static const QStringList dateTimes = {
        QStringLiteral("yyyy-M-d H:m:s"), QStringLiteral("yyyy-M-d H:m"),   QStringLiteral("yyyy/M/d H:m:s"),
        QStringLiteral("yyyy/M/d H:m"),   QStringLiteral("yyyy-M-dTH:m:s"),
    };
    static const QStringList dates = {QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d")};
    const QString t = text.simplified();
    for (const QString& f : dateTimes) {
        const QDateTime dt = QDateTime::fromString(t, f);
        if (dt.isValid())
            return dt;
    }
    for (const QString& f : dates) {
        const QDate d = QDate::fromString(t, f);
        if (d.isValid())
            return d.startOfDay();
    }
    return {};
}

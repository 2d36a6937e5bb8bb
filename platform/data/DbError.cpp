#include "DbError.h"

#include <QSqlError>

DbError DbError::fromSqlError(const QSqlError& error, const QString& context) {
    QString text = error.databaseText().trimmed();
    const QString driverText = error.driverText().trimmed();
    if (text.isEmpty())
        text = driverText;
    else if (!driverText.isEmpty() && !text.contains(driverText))
        text = driverText + QStringLiteral(": ") + text;
    if (text.isEmpty())
        text = QStringLiteral("unknown database error");
    if (!context.isEmpty())
        text = context + QStringLiteral(": ") + text;
    return DbError(text);
}

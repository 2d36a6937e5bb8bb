#pragma once

#include "DbError.h"

// A value that its column cannot hold (too long, not a whole number, out of range, too many
// decimals, not a date). The message names the column and is meant for the clerk.
class FieldValueError : public DbError {
public:
    FieldValueError(const QString& column, const QString& message);

    QString column() const { return m_column; }

private:
    QString m_column;
};

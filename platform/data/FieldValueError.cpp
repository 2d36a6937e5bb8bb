#include "FieldValueError.h"

FieldValueError::FieldValueError(const QString& column, const QString& message)
    : DbError(message), m_column(column) {}

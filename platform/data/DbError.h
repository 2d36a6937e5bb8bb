#pragma once

#include <QString>

#include <stdexcept>

class QSqlError;

// Every failure of the database layer reaches callers as a DbError carrying the engine's message.
class DbError : public std::runtime_error {
public:
    explicit DbError(const std::string& message) : std::runtime_error(message) {}
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()) {}
    explicit DbError(const char* message) : std::runtime_error(message) {}

    QString message() const { return QString::fromUtf8(what()); }

    // The one place a QSqlError becomes an exception: context (may be empty) plus the engine's text.
    static DbError fromSqlError(const QSqlError& error, const QString& context = QString());
};

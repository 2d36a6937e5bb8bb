#pragma once

#include <QString>
#include <stdexcept>

// A template that cannot be read, or a bill that cannot be printed. The text is the message the
// user sees; it always names the template file when one is involved.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message);
    QString message() const;
};

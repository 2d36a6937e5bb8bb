#include "ReportError.h"

ReportError::ReportError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString ReportError::message() const {
    return QString::fromUtf8(what());
}

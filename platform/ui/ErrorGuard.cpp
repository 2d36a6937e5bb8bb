#include "ErrorGuard.h"

#include "MessageBoxService.h"

#include <QCoreApplication>

void ErrorGuard::report(QWidget* parent, const QString& text) {
    QString caption = QCoreApplication::applicationName();
    if (caption.isEmpty())
        caption = QStringLiteral("错误");
    MessageBoxService::show(parent, caption, text, MsgIcon::Critical, MsgButtons::Ok);
}

void ErrorGuard::report(QWidget* parent, const std::exception& error) {
    report(parent, QString::fromUtf8(error.what()));
}

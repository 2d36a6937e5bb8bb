#include "DateText.h"

#include <QLocale>

namespace {
QString& currentFormat() {
    static QString fmt = QLocale::system().dateFormat(QLocale::ShortFormat);
    return fmt;
}
} // namespace

QString DateText::shortFormat() {
    return currentFormat();
}

void DateText::setShortFormat(const QString& format) {
    currentFormat() = format;
}

QString DateText::format(const QDate& date) {
    return date.isValid() ? date.toString(currentFormat()) : QString();
}

QDate DateText::parse(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    QDate d = QDate::fromString(t, currentFormat());
    if (!d.isValid())
        d = QDate::fromString(t, QString::fromLatin1(Iso));
    if (!d.isValid())
        d = QDate::fromString(t.left(10), QString::fromLatin1(Iso));
    return d;
}

QString DateText::today() {
    return format(QDate::currentDate());
}

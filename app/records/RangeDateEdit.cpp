#include "RangeDateEdit.h"

#include "DateText.h"

#include <QLineEdit>

RangeDateEdit::RangeDateEdit(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(DateText::shortFormat());
    setCalendarPopup(true);
    setDate(QDate::currentDate());
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 40);
}

QString RangeDateEdit::text() const {
    return DateText::format(date());
}

void RangeDateEdit::setText(const QString& text) {
    // The format may have been fixed after this editor was made.
    setDisplayFormat(DateText::shortFormat());
    const QDate d = DateText::parse(text);
    if (d.isValid())
        setDate(d);
}

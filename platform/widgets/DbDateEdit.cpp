#include "DbDateEdit.h"

#include "DateText.h"

#include <QCalendarWidget>
#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QIcon calendarIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(0xC0, 0x30, 0x30));
    p.setPen(QColor(0x70, 0x70, 0x70));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 3; x <= 12; x += 3)
            p.drawPoint(x, y);
    return QIcon(pixmap);
}

} // namespace

DbDateEdit::DbDateEdit(QWidget* parent) : DbPopupEdit(calendarIcon(), QStringLiteral("选择日期"), parent) {
    QFrame* popup = popupFrame();
    m_calendar = new QCalendarWidget(popup);
    m_calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* today = new QPushButton(QStringLiteral("今天"), popup);
    auto* clear = new QPushButton(QStringLiteral("清除"), popup);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(today);
    buttons->addWidget(clear);
    auto* layout = new QVBoxLayout(popup);
    layout->setContentsMargins(2, 2, 2, 4);
    layout->setSpacing(3);
    layout->addWidget(m_calendar);
    layout->addLayout(buttons);
    connect(m_calendar, &QCalendarWidget::clicked, this, &DbDateEdit::pick);
    connect(m_calendar, &QCalendarWidget::activated, this, &DbDateEdit::pick);
    connect(today, &QPushButton::clicked, this, [this] { pick(QDate::currentDate()); });
    connect(clear, &QPushButton::clicked, this, [this] { pick(QDate()); });
}

void DbDateEdit::setReadOnly(bool readOnly) {
    QLineEdit::setReadOnly(readOnly);
    popupAction()->setEnabled(!readOnly);
    updateLook();
}

void DbDateEdit::showCalendar() {
    if (isReadOnly() || !isEnabled())
        return;
    const QVariant value = fieldValue();
    QDate date = value.metaType().id() == QMetaType::QDate ? value.toDate() : QDate();
    if (!date.isValid())
        date = DateText::parse(text());
    m_calendar->setSelectedDate(date.isValid() ? date : QDate::currentDate());
    popupFrame()->adjustSize();
    showPopupFrame(m_calendar);
}

void DbDateEdit::pick(const QDate& date) {
    popupFrame()->hide();
    if (isReadOnly())
        return;
    if (storeValue(date.isValid() ? QVariant(date) : QVariant()))
        refresh();
    setFocus();
}

#include "DbDateEdit.h"

#include "DateText.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDate>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
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

DbDateEdit::DbDateEdit(QWidget* parent) : QLineEdit(parent), DbFieldBinding(this) {
    m_calendarAction = addAction(calendarIcon(), QLineEdit::TrailingPosition);
    m_calendarAction->setToolTip(QStringLiteral("选择日期"));
    connect(m_calendarAction, &QAction::triggered, this, &DbDateEdit::showCalendar);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameShape(QFrame::StyledPanel);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* today = new QPushButton(QStringLiteral("今天"), m_popup);
    auto* clear = new QPushButton(QStringLiteral("清除"), m_popup);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(today);
    buttons->addWidget(clear);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(2, 2, 2, 4);
    layout->setSpacing(3);
    layout->addWidget(m_calendar);
    layout->addLayout(buttons);
    connect(m_calendar, &QCalendarWidget::clicked, this, &DbDateEdit::pick);
    connect(m_calendar, &QCalendarWidget::activated, this, &DbDateEdit::pick);
    connect(today, &QPushButton::clicked, this, [this] { pick(QDate::currentDate()); });
    connect(clear, &QPushButton::clicked, this, [this] { pick(QDate()); });

    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!isShowing())
            storeText(text);
    });
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (!m_popup->isVisible())
            finishEditing(text());
    });
}

void DbDateEdit::setReadOnly(bool readOnly) {
    QLineEdit::setReadOnly(readOnly);
    m_calendarAction->setEnabled(!readOnly);
    updateLook();
}

void DbDateEdit::showValue() {
    const QString value = fieldText();
    if (text() != value) {
        setText(value);
        setCursorPosition(0);
    }
}

void DbDateEdit::showCalendar() {
    if (isReadOnly() || !isEnabled())
        return;
    const QVariant value = fieldValue();
    QDate date = value.metaType().id() == QMetaType::QDate ? value.toDate() : QDate();
    if (!date.isValid())
        date = DateText::parse(text());
    m_calendar->setSelectedDate(date.isValid() ? date : QDate::currentDate());
    m_popup->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = QGuiApplication::screenAt(at)) {
        const QRect area = screen->availableGeometry();
        if (at.y() + m_popup->height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
        at.setX(qBound(area.left(), at.x(), area.right() - m_popup->width()));
    }
    m_popup->move(at);
    m_popup->show();
    m_calendar->setFocus();
}

void DbDateEdit::pick(const QDate& date) {
    m_popup->hide();
    if (isReadOnly())
        return;
    if (storeValue(date.isValid() ? QVariant(date) : QVariant()))
        refresh();
    setFocus();
}

bool DbDateEdit::event(QEvent* event) {
    if (handleRevertKey(event))
        return true;
    return QLineEdit::event(event);
}

void DbDateEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        showCalendar();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

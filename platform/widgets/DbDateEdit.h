#pragma once

#include "DbFieldBinding.h"

#include <QLineEdit>

class QAction;
class QCalendarWidget;
class QFrame;

// A date editor bound to one column that can be empty: typed as yyyy-MM-dd or picked from a
// calendar; clearing the text empties the column.
class DbDateEdit : public QLineEdit, public DbFieldBinding {
    Q_OBJECT
public:
    explicit DbDateEdit(QWidget* parent = nullptr);

    void setReadOnly(bool readOnly) override;
    bool isReadOnly() const override { return QLineEdit::isReadOnly(); }

    void showCalendar();
    QCalendarWidget* calendar() const { return m_calendar; }
    QFrame* calendarPopup() const { return m_popup; }

protected:
    void showValue() override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pick(const QDate& date);

    QAction* m_calendarAction = nullptr;
    QFrame* m_popup = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};

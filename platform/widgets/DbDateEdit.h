#pragma once

#include "DbPopupEdit.h"

class QCalendarWidget;

// A date editor bound to one column that can be empty: typed as yyyy-MM-dd or picked from a
// calendar; clearing the text empties the column.
class DbDateEdit : public DbPopupEdit {
    Q_OBJECT
public:
    explicit DbDateEdit(QWidget* parent = nullptr);

    void setReadOnly(bool readOnly) override;

    void showCalendar();
    QCalendarWidget* calendar() const { return m_calendar; }
    QFrame* calendarPopup() const { return popupFrame(); }

protected:
    void openPopup() override { showCalendar(); }

private:
    void pick(const QDate& date);

    QCalendarWidget* m_calendar = nullptr;
};

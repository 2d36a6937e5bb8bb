#pragma once

#include <QDateEdit>

// A date of the query bar's range (not bound to any column): shown and read as the program's
// date text, picked from a calendar.
class RangeDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit RangeDateEdit(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
};

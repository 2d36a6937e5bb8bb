#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

#include "RecordFamily.h"

class BatchDataSet;

// The business rules of a family's rows on the shared data set: the presets of a new row, the state
// actions with the columns each writes or empties, which buttons a state allows, and the bill
// number of the first save. No window is needed to run them.
class RecordStateMachine {
public:
    RecordStateMachine(const RecordFamily& family, BatchDataSet& data);

    // What the detail window shows for the current row's state.
    struct Display {
        bool known = false; // false: an empty data set or a state the family does not know
        bool dealEnabled = false;
        QList<bool> actionEnabled; // one per family action, in family order
    };

    // The current row's state, trimmed.
    QString state() const;
    Display display() const;
    bool allows(const RecordFamily::StateAction& action) const;

    // Presets of the row just appended.
    void presetNewRow(const QString& userName, const QDate& today);
    // Puts the current row into edit and writes what the action writes (the state, user, today,
    // the emptied columns). Sending the batch is left to the caller.
    void apply(const RecordFamily::StateAction& action, const QString& userName, const QDate& today);
    // A row without bill number gets one from draw(); true when it did.
    bool assignBillNumber(const std::function<QString()>& draw);

private:
    void reset(const QString& column);

    const RecordFamily& m_family;
    BatchDataSet& m_data;
};

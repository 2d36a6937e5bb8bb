#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "RecordFamily.h"

class BatchDataSet;

// The business rules of a family's rows on the shared data set: the presets of a new row, the state
// actions with the columns each writes or empties, and which buttons a state allows. No window is
// needed to run them.
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
    // Puts the current row into edit and gives it the state (修改 of a closed listing).
    void setState(const QString& state);

private:
    void reset(const QString& column);

    const RecordFamily& m_family;
    BatchDataSet& m_data;
};

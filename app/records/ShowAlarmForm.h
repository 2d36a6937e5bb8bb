#pragma once

class QWidget;

// Opens the follow-up reminders: the let houses due in the last seven days, with their detail.
void ShowAlarmForm();

// The check run whenever the main window becomes active: when let houses are due for follow-up
// (today minus seven days to today), asks whether to open the reminders and opens them on Yes.
// Nothing is checked while the program ends or without an open connection.
void AlarmCheck(QWidget* parent);

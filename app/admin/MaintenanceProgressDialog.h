#pragma once

#include "DatabaseMaintenance.h"

#include <QElapsedTimer>
#include <QProgressDialog>

// The progress of a long backup, restore or compaction: a bar with the bytes or rows done. While
// it is shown the other windows take no input, but every window keeps painting and moving,
// because each report lets the event loop run.
class MaintenanceProgressDialog : public QProgressDialog {
    Q_OBJECT
public:
    MaintenanceProgressDialog(QWidget* parent, const QString& task, DatabaseMaintenance::Unit unit);

    // The callback the maintenance classes report to.
    DatabaseMaintenance::Progress progress();
    void report(qint64 done, qint64 total);

    // The text shown for an amount done of a total, e.g. "12.5 / 55.0 MB".
    static QString amountText(qint64 done, qint64 total, DatabaseMaintenance::Unit unit);

private:
    QString m_task;
    DatabaseMaintenance::Unit m_unit;
    QElapsedTimer m_sinceEvents;
};

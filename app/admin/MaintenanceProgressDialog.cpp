#include "MaintenanceProgressDialog.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
constexpr int kSteps = 1000;
constexpr qint64 kEventsEveryMs = 30;
} // namespace

MaintenanceProgressDialog::MaintenanceProgressDialog(QWidget* parent, const QString& task,
                                                     DatabaseMaintenance::Unit unit)
    : QProgressDialog(parent), m_task(task), m_unit(unit) {
    setObjectName(QStringLiteral("ProgressDialog"));
    setWindowTitle(QStringLiteral("请稍候"));
    setWindowModality(Qt::ApplicationModal);
    setCancelButton(nullptr);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(300);
    setMinimumWidth(360);
    setRange(0, kSteps);
    setValue(0);
    setLabelText(m_task);
    m_sinceEvents.start();
}

DatabaseMaintenance::Progress MaintenanceProgressDialog::progress() {
    return [this](qint64 done, qint64 total) { report(done, total); };
}

void MaintenanceProgressDialog::report(qint64 done, qint64 total) {
    if (total <= 0) {
        setRange(0, 0); // no measure: a moving bar
    } else {
        setRange(0, kSteps);
        setValue(int(std::clamp<qint64>(done * kSteps / total, 0, kSteps)));
    }
    setLabelText(m_task + u'\n' + amountText(done, total, m_unit));
    if (m_sinceEvents.elapsed() >= kEventsEveryMs) {
        m_sinceEvents.restart();
        QCoreApplication::processEvents();
    }
}

QString MaintenanceProgressDialog::amountText(qint64 done, qint64 total, DatabaseMaintenance::Unit unit) {
    if (total <= 0)
        return {};
    if (unit == DatabaseMaintenance::Unit::Rows)
        return QStringLiteral("已完成 %1 / %2 行").arg(done).arg(total);
    const double mb = 1024.0 * 1024.0;
    return QStringLiteral("已完成 %1 / %2 MB").arg(done / mb, 0, 'f', 1).arg(total / mb, 0, 'f', 1);
}

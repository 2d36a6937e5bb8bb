#pragma once

#include "Report.h"

#include <QPrintPreviewDialog>
#include <QVariantMap>

class QPrintPreviewWidget;

// The bill on screen, not modal, with the preview's own print button. It keeps its own copy of
// the layout and the record, so later prints do not change what it shows; it frees itself when
// closed.
class ReportPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    ReportPreviewDialog(const Report& report, const QVariantMap& record, QWidget* parent = nullptr);

    QPrintPreviewWidget* previewWidget() const;
    int pageCount() const;
    // The record shown.
    const QVariantMap& record() const { return m_record; }

private:
    Report m_report;
    QVariantMap m_record;
};

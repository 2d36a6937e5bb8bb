#include "ReportPreviewDialog.h"

#include "ErrorGuard.h"

#include <QGuiApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>

ReportPreviewDialog::ReportPreviewDialog(const Report& report, const QVariantMap& record, QWidget* parent)
    : QPrintPreviewDialog(parent), m_report(report), m_record(record) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);
    setWindowTitle(QStringLiteral("打印预览"));
    m_report.setUpPrinter(*printer());
    connect(this, &QPrintPreviewDialog::paintRequested,
            ErrorGuard::wrap(this, [this](QPrinter* target) { m_report.print(*target, m_record); }));
    // A whole A4 page readable at once on an ordinary screen.
    QSize size(900, 1000);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.95);
    resize(size);
}

QPrintPreviewWidget* ReportPreviewDialog::previewWidget() const {
    return findChild<QPrintPreviewWidget*>();
}

int ReportPreviewDialog::pageCount() const {
    const QPrintPreviewWidget* w = previewWidget();
    return w ? w->pageCount() : 0;
}

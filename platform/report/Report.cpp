#include "Report.h"

#include "ReportError.h"
#include "ReportRenderer.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

void Report::loadTemplate(const QString& path, const QStringList& requiredLabels) {
    m_layout = ReportTemplate::load(path, requiredLabels);
    m_path = path;
}

void Report::setLayout(const ReportTemplate& layout, const QString& path) {
    m_layout = layout;
    m_path = path;
}

void Report::setLabelCaption(const QString& name, const QString& text) {
    m_captions.insert(name, text);
}

QString Report::labelCaption(const QString& name) const {
    for (auto it = m_captions.begin(); it != m_captions.end(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    const int i = m_layout.indexOf(name);
    return i < 0 ? QString() : m_layout.items[i].text;
}

void Report::setUpPrinter(QPrinter& printer) const {
    const QSizeF size = m_layout.pageSize;
    const bool landscape = size.width() > size.height();
    const QSizeF portrait = landscape ? size.transposed() : size;
    QPageSize pageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    printer.setPageLayout(QPageLayout(pageSize, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      m_layout.margins, QPageLayout::Millimeter));
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Report"));
}

void Report::print(QPrinter& printer, const QVariantMap& record) const {
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(printer.outputFileName().isEmpty()
                              ? QStringLiteral("无法在打印机“%1”上开始打印。").arg(printer.printerName())
                              : QStringLiteral("无法写入文件“%1”。").arg(printer.outputFileName()));
    painter.setRenderHint(QPainter::Antialiasing);
    const double k = printer.resolution() / 25.4;
    const QPointF origin(m_layout.margins.left() * k, m_layout.margins.top() * k);
    ReportRenderer(m_layout, record, m_captions, QFileInfo(m_path).absolutePath()).paint(painter, k, origin);
    painter.end();
}

void Report::renderToPdf(const QString& pdfPath, const QVariantMap& record) const {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    setUpPrinter(printer);
    print(printer, record);
}

#include "BillPrinter.h"

#include "DefaultPrinter.h"
#include "ErrorGuard.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ReportDesigner.h"
#include "ReportPreviewDialog.h"

#include <QFileInfo>
#include <QPrinter>
#include <QWidget>

QString BillPrinter::leaseTemplate() {
    return QStringLiteral("/Template/出租单.Rtm");
}

QString BillPrinter::saleTemplate() {
    return QStringLiteral("/Template/出售单.Rtm");
}

QStringList BillPrinter::namedLabels() {
    return {QStringLiteral("PLbYJ"), QStringLiteral("PLBCompanyName"), QStringLiteral("PLbCompanyTel")};
}

BillPrinter::Captions BillPrinter::companyCaptions(const QString& companyName, const QString& companyTel) {
    const QStringList labels = namedLabels();
    return {{labels[1], companyName}, {labels[2], companyTel}};
}

int BillPrinter::modeFromParameter(const QString& printModal) {
    const QString mode = printModal.toUpper();
    if (mode == QLatin1String("PREVIEW"))
        return Preview;
    if (mode == QLatin1String("DESIGN"))
        return Design;
    return Print;
}

BillPrinter::BillPrinter(const QStringList& columns) : m_columns(columns) {}

BillPrinter::~BillPrinter() = default;

ReportPreviewDialog* BillPrinter::preview() const {
    return m_preview.data();
}

bool BillPrinter::print(QWidget* parent, int printMode, const QString& templatePath, const QString& percent,
                        const QString& companyName, const QString& companyTel, const QVariantMap& record) {
    return print(parent, printMode, templatePath,
                 Captions{{namedLabels().constFirst(), percent}} + companyCaptions(companyName, companyTel),
                 record);
}

bool BillPrinter::print(QWidget* parent, int printMode, const QString& templatePath, const Captions& captions,
                        const QVariantMap& record) {
    if (!QFileInfo(templatePath).isFile()) {
        MessageBoxService::refuse(parent, QStringLiteral("打印模板丢失,请与管理员联系!!!"));
        return false;
    }
    QStringList labels;
    for (const auto& c : captions)
        labels << c.first;
    return ErrorGuard::run(parent, [&] {
        // A template that cannot be read leaves the report as it was.
        m_report.loadTemplate(templatePath, labels);
        for (const auto& c : captions)
            m_report.setLabelCaption(c.first, c.second);
        run(parent, printMode, labels, record);
    });
}

void BillPrinter::run(QWidget* parent, int printMode, const QStringList& labels, const QVariantMap& record) {
    QWidget* window = parent ? parent->window() : nullptr;
    if (printMode == Preview) {
        auto* preview = new ReportPreviewDialog(m_report, record, window);
        m_preview = preview;
        preview->show();
        preview->raise();
        return;
    }
    if (printMode == Print) {
        const std::unique_ptr<QPrinter> printer = DefaultPrinter::open();
        m_report.setUpPrinter(*printer);
        m_report.print(*printer, record);
        return;
    }
    const QStringList columns = m_columns.isEmpty() ? record.keys() : m_columns;
    ReportDesigner designer(m_report.layout(), m_report.templatePath(), columns, labels, window);
    ModalSeam::exec(&designer);
}

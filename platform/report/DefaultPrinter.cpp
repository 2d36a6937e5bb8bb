#include "DefaultPrinter.h"

#include "ReportError.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {
QString& redirect() {
    static QString path;
    return path;
}
} // namespace

bool DefaultPrinter::installed() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::unique_ptr<QPrinter> DefaultPrinter::open() {
    if (!redirect().isEmpty()) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(redirect());
        return printer;
    }
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        // No default chosen: a single installed printer is the obvious one.
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (all.isEmpty())
            throw ReportError(QStringLiteral(
                "没有安装打印机,无法打印!!!\n请先安装打印机,或在系统设置中把打印方式改为预览。"));
        info = all.first();
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::NativeFormat);
    return printer;
}

void DefaultPrinter::redirectToPdf(const QString& pdfPath) {
    redirect() = pdfPath;
}

void DefaultPrinter::clearRedirect() {
    redirect().clear();
}

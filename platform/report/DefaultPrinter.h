#pragma once

#include <QString>
#include <memory>

class QPrinter;

// The system's default printer, opened without any dialog. Tests redirect printing into a PDF
// file, since the machines that run them have no printer.
class DefaultPrinter {
public:
    // Throws ReportError with a message the user understands when no printer is installed.
    static std::unique_ptr<QPrinter> open();
    static bool installed();

    static void redirectToPdf(const QString& pdfPath);
    static void clearRedirect();
};

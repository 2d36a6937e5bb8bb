#pragma once

#include "ReportTemplate.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class QPrinter;

// A loaded bill layout with the captions the program sets on its named labels; it prints one
// record. A failed load keeps the previous layout.
class Report {
public:
    void loadTemplate(const QString& path, const QStringList& requiredLabels = {});
    void setLayout(const ReportTemplate& layout, const QString& path = {});
    const ReportTemplate& layout() const { return m_layout; }
    QString templatePath() const { return m_path; }

    // Replaces the text of the label with that component name when the bill is drawn.
    void setLabelCaption(const QString& name, const QString& text);
    QString labelCaption(const QString& name) const;
    const QHash<QString, QString>& captions() const { return m_captions; }

    // Paper, margins and document name for a printer (the painter then starts at the paper's corner).
    void setUpPrinter(QPrinter& printer) const;
    // Draws the record on one page; throws ReportError when the printer cannot be started.
    void print(QPrinter& printer, const QVariantMap& record) const;
    void renderToPdf(const QString& pdfPath, const QVariantMap& record) const;

private:
    ReportTemplate m_layout;
    QString m_path;
    QHash<QString, QString> m_captions;
};

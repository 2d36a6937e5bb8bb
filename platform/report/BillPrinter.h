#pragma once

#include "Report.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QVariantMap>

class QWidget;
class ReportPreviewDialog;

// The bill of a record window: one call loads the family's template, fills the labels the program
// owns and prints, previews or opens the designer by the print mode.
//
//     m_bill.print(this, AppGlobals.PrintMode, AppGlobals.AppPath + BillPrinter::leaseTemplate(),
//                  percent, AppGlobals.CompanyName, AppGlobals.CompanyTel, record);
class BillPrinter {
public:
    enum Mode { Design = 0, Preview = 1, Print = 2 };

    static QString leaseTemplate();   // "/Template/出租单.Rtm"
    static QString saleTemplate();    // "/Template/出售单.Rtm"
    static QStringList namedLabels(); // PLbYJ, PLBCompanyName, PLbCompanyTel
    // The labels a bill's template must hold, each with the text the program puts in.
    using Captions = QList<QPair<QString, QString>>;
    // The company footer every bill and demand sheet carries: PLBCompanyName, PLbCompanyTel.
    static Captions companyCaptions(const QString& companyName, const QString& companyTel);
    // The print mode of the parameter PrintModal: "Preview" 1, "Design" 0, anything else 2.
    static int modeFromParameter(const QString& printModal);

    // columns: the family's columns, offered in the designer for fields (in table order).
    explicit BillPrinter(const QStringList& columns = {});
    ~BillPrinter();
    BillPrinter(const BillPrinter&) = delete;
    BillPrinter& operator=(const BillPrinter&) = delete;

    // Never throws: a missing template, a bad template or a missing printer is shown in a
    // message box and nothing is printed. Returns true when the bill was printed, shown or designed.
    bool print(QWidget* parent, int printMode, const QString& templatePath, const QString& percent,
               const QString& companyName, const QString& companyTel, const QVariantMap& record);
    // The same with the labels the template must hold and their texts (a demand sheet has no percent).
    bool print(QWidget* parent, int printMode, const QString& templatePath, const Captions& captions,
               const QVariantMap& record);

    const Report& report() const { return m_report; }
    // The preview the last print in mode 1 opened, while it is open.
    ReportPreviewDialog* preview() const;

private:
    void run(QWidget* parent, int printMode, const QStringList& labels, const QVariantMap& record);

    QStringList m_columns;
    Report m_report;
    QPointer<ReportPreviewDialog> m_preview;
};

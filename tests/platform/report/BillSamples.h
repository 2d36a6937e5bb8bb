#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// Records, columns and helpers shared by the report tests.
namespace BillSamples {

QVariantMap leaseRecord();
QStringList leaseColumns();
QVariantMap saleRecord();
// The shipped template of that name ("出租单.Rtm"), as it is in the source tree.
QString shippedTemplate(const QString& fileName);
// The text of a PDF as pdftotext reads it, laid out as on the page.
QString pdfText(const QString& pdfPath);
QByteArray fileBytes(const QString& path);
// Where a test keeps pictures to look at (LINTARA_LOOK_DIR), or empty.
QString lookDir();

} // namespace BillSamples

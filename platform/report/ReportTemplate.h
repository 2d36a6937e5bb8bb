#pragma once

#include "ReportItem.h"

#include <QList>
#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// A bill layout: the page and its positioned items, kept in a text file of our own (JSON, see
// TEMPLATE_FORMAT.md). Loading checks everything before the template is replaced, so a bad
// file leaves the previous layout in place, and loading never writes to the file.
class ReportTemplate {
public:
    static constexpr const char* FormatName = "Lintara report template";
    static constexpr int FormatVersion = 1;

    QSizeF pageSize{210.0, 297.0}; // mm, A4 portrait
    QMarginsF margins{6.35, 6.35, 6.35, 6.35};
    QList<ReportItem> items;

    // Throws ReportError naming the file: unreadable, not ours, truncated, of a later format
    // version, damaged, or missing one of requiredLabels.
    static ReportTemplate load(const QString& path, const QStringList& requiredLabels = {});
    static ReportTemplate fromJson(const QByteArray& data, const QString& path,
                                   const QStringList& requiredLabels = {});
    // Writes the whole file at once (a failed write leaves the old file); throws ReportError.
    void save(const QString& path) const;
    QByteArray toJson() const;

    QSizeF printableSize() const;
    int indexOf(const QString& name) const;
    // A name of the form prefix + number that no item carries yet.
    QString freeName(const QString& prefix) const;

    bool operator==(const ReportTemplate& other) const = default;
};

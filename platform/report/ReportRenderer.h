#pragma once

#include <QHash>
#include <QPointF>
#include <QString>
#include <QVariantMap>

class QPainter;
class ReportTemplate;
struct ReportItem;

// Draws one record on a bill with QPainter, on any device: printer, PDF, preview or the
// designer's page. The record is a plain map column -> value, so the report layer knows
// nothing of the data layer.
class ReportRenderer {
public:
    ReportRenderer(const ReportTemplate& layout, const QVariantMap& record,
                   const QHash<QString, QString>& captions = {}, const QString& baseDir = {});

    // Design view: fields show their column name, missing pictures a placeholder.
    void setDesignView(bool on) { m_design = on; }

    // origin is the device position of the printable area's top-left corner.
    void paint(QPainter& painter, double pixelsPerMm, QPointF origin = {}) const;
    void paintItem(QPainter& painter, const ReportItem& item, double pixelsPerMm, QPointF origin) const;

    QString textOf(const ReportItem& item) const;
    static QString formatValue(const QVariant& value, const QString& format);

private:
    const ReportTemplate& m_layout;
    QVariantMap m_record;
    QHash<QString, QString> m_captions; // keys in lower case
    QString m_baseDir;
    bool m_design = false;
};

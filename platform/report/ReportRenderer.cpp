#include "ReportRenderer.h"

#include "DateText.h"
#include "ReportTemplate.h"

#include <QDir>
#include <QImageReader>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>

namespace {
QDate dateOf(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate();
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().date();
    const QString text = value.toString().trimmed();
    QDate d = QDate::fromString(text.left(10), QLatin1String(DateText::Iso));
    return d.isValid() ? d : DateText::parse(text);
}

bool numberOf(const QVariant& value, double* number) {
    bool ok = false;
    *number = value.metaType().id() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok)
                                                          : value.toDouble(&ok);
    return ok;
}

QString plain(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().toString(QLatin1String(DateText::Iso));
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QLatin1String(DateText::Iso));
        return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("是") : QStringLiteral("否");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}
} // namespace

ReportRenderer::ReportRenderer(const ReportTemplate& layout, const QVariantMap& record,
                               const QHash<QString, QString>& captions, const QString& baseDir)
    : m_layout(layout), m_record(record), m_baseDir(baseDir) {
    for (auto it = captions.begin(); it != captions.end(); ++it)
        m_captions.insert(it.key().toLower(), it.value());
}

QString ReportRenderer::formatValue(const QVariant& value, const QString& format) {
    if (!value.isValid() || value.isNull())
        return {};
    const QString kind = format.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    const QString arg = format.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("date")) {
        const QDate d = dateOf(value);
        if (!d.isValid())
            return value.toString();
        return d.toString(arg.isEmpty() ? QLatin1String(DateText::Iso) : arg);
    }
    if (kind == QLatin1String("money") || kind == QLatin1String("number")) {
        double n = 0;
        if (!numberOf(value, &n))
            return value.toString();
        bool ok = false;
        const int decimals = qBound(0, arg.toInt(&ok), 6);
        const int places = ok ? decimals : (kind == QLatin1String("money") ? 2 : 0);
        if (kind == QLatin1String("number"))
            return QString::number(n, 'f', places);
        return QLocale(QLocale::Chinese, QLocale::China).toString(n, 'f', places);
    }
    if (kind == QLatin1String("yesno")) {
        const QString t = value.toString().trimmed().toLower();
        const bool yes = value.metaType().id() == QMetaType::Bool
                             ? value.toBool()
                             : (t == QLatin1String("1") || t == QLatin1String("true"));
        return yes ? QStringLiteral("是") : QStringLiteral("否");
    }
    return plain(value);
}

QString ReportRenderer::textOf(const ReportItem& item) const {
    if (item.kind == ReportItem::Kind::Label) {
        const auto it = m_captions.constFind(item.name.toLower());
        return it != m_captions.constEnd() ? *it : item.text;
    }
    if (m_design)
        return QLatin1Char('[') + item.column + QLatin1Char(']');
    return formatValue(m_record.value(item.column), item.format);
}

void ReportRenderer::paint(QPainter& painter, double pixelsPerMm, QPointF origin) const {
    for (const ReportItem& item : m_layout.items)
        paintItem(painter, item, pixelsPerMm, origin);
}

void ReportRenderer::paintItem(QPainter& painter, const ReportItem& item, double k, QPointF origin) const {
    const QRectF r(origin + item.rect.topLeft() * k, item.rect.size() * k);
    painter.save();
    QPen pen(Qt::black, item.penWidth * k, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    switch (item.kind) {
    case ReportItem::Kind::Label:
    case ReportItem::Kind::Field: {
        QFont font = item.font();
        // Point sizes are meant on paper; scale them to what this device shows per millimetre.
        const double deviceMm = painter.device()->logicalDpiY() / 25.4;
        font.setPointSizeF(font.pointSizeF() * k / deviceMm);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QRectF inner = r.adjusted(item.padding * k, 0, -item.padding * k, 0);
        const int flags = int(item.alignment) | (item.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
        painter.drawText(inner, flags, textOf(item));
        break;
    }
    case ReportItem::Kind::Line:
        if (item.penWidth > 0) {
            pen.setCapStyle(Qt::SquareCap);
            painter.setPen(pen);
            painter.drawLine(r.topLeft(), r.bottomRight());
        }
        break;
    case ReportItem::Kind::Box:
        painter.setPen(item.penWidth > 0 ? pen : QPen(Qt::NoPen));
        painter.setBrush(item.fill.isEmpty() ? QBrush(Qt::NoBrush) : QBrush(QColor(item.fill)));
        painter.drawRect(r);
        break;
    case ReportItem::Kind::Picture: {
        const QString path = QDir(m_baseDir).absoluteFilePath(item.file);
        QImageReader reader(path);
        const QImage image = item.file.isEmpty() ? QImage() : reader.read();
        if (!image.isNull()) {
            const QSizeF size = QSizeF(image.size()).scaled(r.size(), Qt::KeepAspectRatio);
            QRectF target(QPointF(), size);
            target.moveCenter(r.center());
            painter.drawImage(target, image);
        } else if (m_design) {
            painter.setPen(QPen(Qt::gray, 0, Qt::DashLine));
            painter.drawRect(r);
            painter.drawText(r, Qt::AlignCenter, QStringLiteral("图片"));
        }
        if (item.penWidth > 0 && !image.isNull()) {
            painter.setPen(pen);
            painter.drawRect(r);
        }
        break;
    }
    }
    painter.restore();
}

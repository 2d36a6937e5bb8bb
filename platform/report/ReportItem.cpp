#include "ReportItem.h"

#include "ReportError.h"

#include <QJsonArray>

#include <array>
#include <utility>

namespace {
constexpr std::array<std::pair<ReportItem::Kind, const char*>, 5> kindNames{{
    {ReportItem::Kind::Label, "label"},
    {ReportItem::Kind::Field, "field"},
    {ReportItem::Kind::Line, "line"},
    {ReportItem::Kind::Box, "box"},
    {ReportItem::Kind::Picture, "picture"},
}};

constexpr std::array<std::pair<Qt::AlignmentFlag, const char*>, 3> horizontalNames{{
    {Qt::AlignLeft, "left"},
    {Qt::AlignHCenter, "center"},
    {Qt::AlignRight, "right"},
}};
constexpr std::array<std::pair<Qt::AlignmentFlag, const char*>, 3> verticalNames{{
    {Qt::AlignTop, "top"},
    {Qt::AlignVCenter, "middle"},
    {Qt::AlignBottom, "bottom"},
}};

// Reads one property, refusing a value of the wrong kind instead of guessing.
class Reader {
public:
    Reader(const QJsonObject& o, const QString& where) : m_o(o), m_where(where) {}

    double number(const char* key, double fallback, bool required = false) const {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined() && !required)
            return fallback;
        if (!v.isDouble())
            fail(key, QStringLiteral("应为数字"));
        return v.toDouble();
    }
    QString text(const char* key) const {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isString())
            fail(key, QStringLiteral("应为文字"));
        return v.toString();
    }
    bool flag(const char* key) const {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined())
            return false;
        if (!v.isBool())
            fail(key, QStringLiteral("应为 true 或 false"));
        return v.toBool();
    }
    QJsonObject object(const char* key) const {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isObject())
            fail(key, QStringLiteral("应为对象"));
        return v.toObject();
    }
    [[noreturn]] void fail(const char* key, const QString& what) const {
        throw ReportError(QStringLiteral("%1的属性“%2”%3").arg(m_where, QLatin1String(key), what));
    }

private:
    QJsonObject m_o;
    QString m_where;
};

template <size_t N>
Qt::AlignmentFlag alignmentFromName(const std::array<std::pair<Qt::AlignmentFlag, const char*>, N>& names,
                                    const QString& name, const Reader& reader, const char* key) {
    for (const auto& [flag, n] : names)
        if (name == QLatin1String(n))
            return flag;
    reader.fail(key, QStringLiteral("的值“%1”无法识别").arg(name));
}

template <size_t N>
QString alignmentName(const std::array<std::pair<Qt::AlignmentFlag, const char*>, N>& names,
                      Qt::Alignment alignment) {
    for (const auto& [flag, n] : names)
        if (alignment & flag)
            return QLatin1String(n);
    return QLatin1String(names[0].second);
}

double rounded(double mm) {
    return qRound(mm * 100.0) / 100.0;
}
} // namespace

QFont ReportItem::font() const {
    QFont f;
    if (!fontFamilies.isEmpty())
        f.setFamilies(fontFamilies);
    f.setPointSizeF(fontSize > 0 ? fontSize : 10.5);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

QString ReportItem::kindName() const {
    for (const auto& [k, n] : kindNames)
        if (k == kind)
            return QLatin1String(n);
    return {};
}

bool ReportItem::kindFromName(const QString& name, Kind* kind) {
    for (const auto& [k, n] : kindNames)
        if (name == QLatin1String(n)) {
            *kind = k;
            return true;
        }
    return false;
}

QJsonObject ReportItem::toJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("type"), kindName());
    o.insert(QStringLiteral("name"), name);
    o.insert(QStringLiteral("x"), rounded(rect.x()));
    o.insert(QStringLiteral("y"), rounded(rect.y()));
    o.insert(QStringLiteral("width"), rounded(rect.width()));
    o.insert(QStringLiteral("height"), rounded(rect.height()));
    if (isText()) {
        if (kind == Kind::Label)
            o.insert(QStringLiteral("text"), text);
        else {
            o.insert(QStringLiteral("column"), column);
            o.insert(QStringLiteral("format"), format);
        }
        QJsonObject f;
        f.insert(QStringLiteral("families"), QJsonArray::fromStringList(fontFamilies));
        f.insert(QStringLiteral("size"), fontSize);
        f.insert(QStringLiteral("bold"), bold);
        f.insert(QStringLiteral("italic"), italic);
        f.insert(QStringLiteral("underline"), underline);
        o.insert(QStringLiteral("font"), f);
        o.insert(QStringLiteral("align"), alignmentName(horizontalNames, alignment));
        o.insert(QStringLiteral("valign"), alignmentName(verticalNames, alignment));
        o.insert(QStringLiteral("wrap"), wordWrap);
        o.insert(QStringLiteral("padding"), rounded(padding));
    } else {
        o.insert(QStringLiteral("pen"), rounded(penWidth));
        if (kind == Kind::Box)
            o.insert(QStringLiteral("fill"), fill);
        if (kind == Kind::Picture)
            o.insert(QStringLiteral("file"), file);
    }
    return o;
}

ReportItem ReportItem::fromJson(const QJsonObject& o, const QString& where) {
    const Reader r(o, where);
    ReportItem item;
    if (!kindFromName(r.text("type"), &item.kind))
        r.fail("type", QStringLiteral("的值“%1”无法识别").arg(r.text("type")));
    item.name = r.text("name");
    item.rect = QRectF(r.number("x", 0, true), r.number("y", 0, true), r.number("width", 0, true),
                       r.number("height", 0, true));
    if (item.rect.width() < 0 || item.rect.height() < 0)
        r.fail("width", QStringLiteral("与“height”不能为负数"));
    if (item.isText()) {
        if (item.kind == Kind::Label) {
            item.text = r.text("text");
        } else {
            item.column = r.text("column");
            item.format = r.text("format");
            if (item.column.isEmpty())
                r.fail("column", QStringLiteral("不能为空"));
        }
        const QJsonObject f = r.object("font");
        const Reader fr(f, where + QStringLiteral("的字体"));
        const QJsonValue families = f.value(QStringLiteral("families"));
        if (!families.isUndefined()) {
            if (!families.isArray())
                fr.fail("families", QStringLiteral("应为字体名称的列表"));
            for (const QJsonValue& v : families.toArray()) {
                if (!v.isString())
                    fr.fail("families", QStringLiteral("应为字体名称的列表"));
                item.fontFamilies.append(v.toString());
            }
        }
        item.fontSize = fr.number("size", 10.5);
        if (item.fontSize <= 0 || item.fontSize > 500)
            fr.fail("size", QStringLiteral("超出范围"));
        item.bold = fr.flag("bold");
        item.italic = fr.flag("italic");
        item.underline = fr.flag("underline");
        const QString h = r.text("align");
        const QString v = r.text("valign");
        item.alignment =
            alignmentFromName(horizontalNames, h.isEmpty() ? QStringLiteral("left") : h, r, "align") |
            alignmentFromName(verticalNames, v.isEmpty() ? QStringLiteral("middle") : v, r, "valign");
        item.wordWrap = r.flag("wrap");
        item.padding = r.number("padding", 0);
    } else {
        item.penWidth = r.number("pen", 0.3);
        if (item.penWidth < 0)
            r.fail("pen", QStringLiteral("不能为负数"));
        if (item.kind == Kind::Box)
            item.fill = r.text("fill");
        if (item.kind == Kind::Picture)
            item.file = r.text("file");
    }
    return item;
}

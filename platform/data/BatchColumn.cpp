#include "BatchColumn.h"

#include "DateText.h"
#include "FieldValueError.h"

#include <QDate>
#include <QDateTime>
#include <QSqlField>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool isIntegerType(int id) {
    switch (id) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isTextValue(const QVariant& v) {
    const int id = v.metaType().id();
    return id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar;
}

} // namespace

BatchColumn BatchColumn::fromField(const QSqlField& field) {
    BatchColumn c;
    c.name = field.name();
    c.type = field.metaType();
    const int id = field.metaType().id();
    if (id == QMetaType::QString || id == QMetaType::QChar) {
        c.kind = Kind::Text;
        c.maxLength = field.length() > 0 ? int(field.length()) : 0;
    } else if (isIntegerType(id)) {
        c.kind = Kind::Integer;
    } else if (id == QMetaType::Double || id == QMetaType::Float) {
        c.kind = Kind::Money;
        // Amounts travel as binary fractions, exact to four places up to 2^53 ten-thousandths; a
        // numeric(p,s) column may hold less.
        c.moneyLimit = (qint64(1) << 53) - 1;
        const int digits = field.length() > 0 ? int(field.length()) : 0;
        const int decimals = field.precision() > 0 ? int(field.precision()) : 4;
        if (digits > decimals && digits - decimals + 4 <= 15) {
            qint64 limit = 1;
            for (int i = 0; i < digits - decimals + 4; ++i)
                limit *= 10;
            c.moneyLimit = std::min(c.moneyLimit, limit - 1);
        }
    } else if (id == QMetaType::QDate || id == QMetaType::QDateTime) {
        c.kind = Kind::Date;
    } else if (id == QMetaType::Bool) {
        c.kind = Kind::Boolean;
    } else {
        c.kind = Kind::Other;
        c.binary = id == QMetaType::QByteArray;
    }
    return c;
}

void BatchColumn::refuse(const QString& what) const {
    throw FieldValueError(name, name + QStringLiteral(" ") + what);
}

QVariant BatchColumn::clearedValue() const {
    if (kind == Kind::Text)
        return QVariant(QStringLiteral(""));
    return {};
}

qsizetype BatchColumn::characterCount(const QString& text) {
    qsizetype n = 0;
    for (const QChar c : text)
        if (!c.isLowSurrogate())
            ++n;
    return n;
}

QVariant BatchColumn::normalize(const QVariant& value) const {
    switch (kind) {
    case Kind::Text: {
        if (value.isNull())
            return clearedValue();
        QString text =
            value.metaType().id() == QMetaType::QDate ? DateText::format(value.toDate()) : value.toString();
        if (maxLength > 0 && characterCount(text) > maxLength)
            refuse(QStringLiteral("最多只能填写%1个字符").arg(maxLength));
        if (text.isNull())
            text = QStringLiteral("");
        return QVariant(text);
    }
    case Kind::Integer:
        return normalizeInteger(value);
    case Kind::Money:
        return normalizeMoney(value);
    case Kind::Date:
        return normalizeDate(value);
    case Kind::Boolean:
        return normalizeBoolean(value);
    case Kind::Other:
        break;
    }
    return value;
}

QVariant BatchColumn::normalizeInteger(const QVariant& value) const {
    if (value.isNull())
        return {};
    qint64 n = 0;
    const int id = value.metaType().id();
    if (isIntegerType(id)) {
        bool ok = false;
        n = value.toLongLong(&ok);
        if (!ok)
            refuse(QStringLiteral("超出范围"));
    } else if (id == QMetaType::Bool) {
        n = value.toBool() ? 1 : 0;
    } else if (id == QMetaType::Double || id == QMetaType::Float) {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d))
            refuse(QStringLiteral("只能填写整数"));
        if (std::fabs(d) > 4e9)
            refuse(QStringLiteral("超出范围,只能填写 -2147483648 到 2147483647 之间的整数"));
        n = qint64(d);
    } else {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return {};
        bool ok = false;
        n = text.toLongLong(&ok);
        if (!ok) {
            // A long run of digits is a number too large, not a number that is not whole.
            bool digits = !text.isEmpty();
            for (qsizetype i = 0; i < text.size(); ++i)
                if (!(text[i].isDigit() || (i == 0 && (text[i] == u'-' || text[i] == u'+'))))
                    digits = false;
            refuse(digits ? QStringLiteral("超出范围,只能填写 -2147483648 到 2147483647 之间的整数")
                          : QStringLiteral("只能填写整数"));
        }
    }
    if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        refuse(QStringLiteral("超出范围,只能填写 -2147483648 到 2147483647 之间的整数"));
    return QVariant(int(n));
}

QVariant BatchColumn::normalizeMoney(const QVariant& value) const {
    if (value.isNull())
        return {};
    qint64 scaled = 0;
    const int id = value.metaType().id();
    if (isIntegerType(id)) {
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (!ok || n > std::numeric_limits<qint64>::max() / MoneyScale ||
            n < std::numeric_limits<qint64>::min() / MoneyScale)
            refuse(QStringLiteral("超出范围"));
        scaled = n * MoneyScale;
    } else if (id == QMetaType::Double || id == QMetaType::Float) {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            refuse(QStringLiteral("只能填写数字"));
        const double s = d * double(MoneyScale);
        if (std::fabs(s) >= 9.2e18)
            refuse(QStringLiteral("超出范围"));
        const double r = std::nearbyint(s);
        // A binary fraction close to four decimals is taken as that decimal value.
        if (std::fabs(s - r) > 1e-6 * std::max(1.0, std::fabs(s)))
            refuse(QStringLiteral("最多只能有四位小数"));
        scaled = qint64(r);
    } else {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return {};
        bool tooPrecise = false;
        bool overflow = false;
        if (!parseMoney(text, &scaled, &tooPrecise, &overflow))
            refuse(QStringLiteral("只能填写数字"));
        if (overflow)
            refuse(QStringLiteral("超出范围"));
        if (tooPrecise)
            refuse(QStringLiteral("最多只能有四位小数"));
    }
    if (moneyLimit > 0 && (scaled > moneyLimit || scaled < -moneyLimit))
        refuse(QStringLiteral("超出范围"));
    return QVariant(moneyDouble(scaled));
}

QVariant BatchColumn::normalizeDate(const QVariant& value) const {
    if (value.isNull())
        return {};
    QDate date;
    const int id = value.metaType().id();
    if (id == QMetaType::QDate)
        date = value.toDate();
    else if (id == QMetaType::QDateTime)
        date = value.toDateTime().date();
    else {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return {};
        date = DateText::parse(text);
    }
    if (!date.isValid())
        refuse(QStringLiteral("不是有效的日期"));
    return QVariant(date);
}

QVariant BatchColumn::normalizeBoolean(const QVariant& value) const {
    if (value.isNull())
        return {};
    const int id = value.metaType().id();
    if (id == QMetaType::Bool)
        return QVariant(value.toBool());
    if (isIntegerType(id) || id == QMetaType::Double)
        return QVariant(value.toDouble() != 0);
    if (isTextValue(value)) {
        const QString t = value.toString().trimmed().toLower();
        if (t.isEmpty())
            return {};
        if (t == u"1" || t == u"true" || t == u"是" || t == u"-1")
            return QVariant(true);
        if (t == u"0" || t == u"false" || t == u"否")
            return QVariant(false);
    }
    refuse(QStringLiteral("只能填写是或否"));
}

bool BatchColumn::parseMoney(QStringView text, qint64* scaled, bool* tooPrecise, bool* overflow) {
    *tooPrecise = false;
    *overflow = false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    // Whole part and fraction as an unsigned magnitude in ten-thousandths.
    quint64 magnitude = 0;
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    bool anyDigit = false;
    int decimals = -1;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'.') {
            if (decimals >= 0)
                return false;
            decimals = 0;
            continue;
        }
        if (c == u',' && decimals < 0)
            continue; // thousands separators as a clerk may type them
        if (!c.isDigit() || c.unicode() > 127)
            return false;
        anyDigit = true;
        const int digit = c.unicode() - u'0';
        if (decimals >= 0) {
            if (++decimals > 4) {
                if (digit != 0)
                    *tooPrecise = true;
                continue;
            }
        }
        if (magnitude > (limit - quint64(digit)) / 10)
            *overflow = true;
        else
            magnitude = magnitude * 10 + quint64(digit);
    }
    if (!anyDigit)
        return false;
    for (int d = decimals < 0 ? 0 : std::min(decimals, 4); d < 4; ++d) {
        if (magnitude > limit / 10)
            *overflow = true;
        else
            magnitude *= 10;
    }
    if (*overflow)
        return true;
    *scaled = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return true;
}

QString BatchColumn::moneyText(qint64 scaled) {
    const bool negative = scaled < 0;
    const quint64 magnitude = negative ? 0 - quint64(scaled) : quint64(scaled);
    QString text = QString::number(magnitude / MoneyScale);
    quint64 fraction = magnitude % MoneyScale;
    if (fraction != 0) {
        QString f = QString::number(fraction).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        text += u'.' + f;
    }
    return negative ? u'-' + text : text;
}

bool BatchColumn::moneyFromVariant(const QVariant& value, qint64* scaled) {
    const int id = value.metaType().id();
    if (id == QMetaType::Double || id == QMetaType::Float) {
        const double s = value.toDouble() * double(MoneyScale);
        if (!std::isfinite(s) || std::fabs(s) >= 9.2e18)
            return false;
        *scaled = qint64(std::nearbyint(s));
        return true;
    }
    if (isIntegerType(id)) {
        *scaled = value.toLongLong() * MoneyScale;
        return true;
    }
    bool tooPrecise = false;
    bool overflow = false;
    return parseMoney(value.toString().trimmed(), scaled, &tooPrecise, &overflow) && !overflow;
}

namespace {

// "yyyy-MM-dd" (what the file engine stores) read without the general date parser.
QDate quickIsoDate(const QString& text) {
    if (text.size() >= 10 && text[4] == u'-' && text[7] == u'-') {
        int parts[3] = {0, 0, 0};
        const int starts[3] = {0, 5, 8};
        const int lengths[3] = {4, 2, 2};
        for (int p = 0; p < 3; ++p)
            for (int i = 0; i < lengths[p]; ++i) {
                const char16_t ch = text[starts[p] + i].unicode();
                if (ch < u'0' || ch > u'9')
                    return DateText::parse(text);
                parts[p] = parts[p] * 10 + (ch - u'0');
            }
        const QDate date(parts[0], parts[1], parts[2]);
        if (date.isValid())
            return date;
    }
    return DateText::parse(text);
}

QDate dateOf(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate();
    case QMetaType::QDateTime:
        return value.toDateTime().date();
    default:
        return quickIsoDate(value.toString());
    }
}

} // namespace

void BatchColumn::encode(BatchRow::Builder& builder, const QVariant& v) const {
    if (v.isNull()) {
        builder.addNull();
        return;
    }
    switch (kind) {
    case Kind::Text:
        builder.addString(v.toString());
        return;
    case Kind::Integer:
        builder.addInteger(v.toLongLong());
        return;
    case Kind::Money: {
        qint64 scaled = 0;
        if (moneyFromVariant(v, &scaled))
            builder.addInteger(scaled);
        else
            builder.addNull();
        return;
    }
    case Kind::Date: {
        const QDate date = dateOf(v);
        if (date.isValid())
            builder.addInteger(date.toJulianDay());
        else
            builder.addNull();
        return;
    }
    case Kind::Boolean: {
        const int id = v.metaType().id();
        if (id == QMetaType::QString || id == QMetaType::QByteArray) {
            const QString t = v.toString().trimmed().toLower();
            builder.addInteger(!(t.isEmpty() || t == u"0" || t == u"false") ? 1 : 0);
        } else {
            builder.addInteger(v.toBool() ? 1 : 0);
        }
        return;
    }
    case Kind::Other:
        if (binary)
            builder.addBytes(v.toByteArray());
        else
            builder.addString(v.toString());
        return;
    }
}

void BatchColumn::encodeKept(BatchRow::Builder& builder, const QVariant& v) const {
    if (kind == Kind::Money && !v.isNull()) {
        builder.addInteger(qint64(std::llround(v.toDouble() * double(MoneyScale))));
        return;
    }
    encode(builder, v);
}

QVariant BatchColumn::decode(const BatchRow& row, int column) const {
    if (row.isNull(column))
        return {};
    switch (kind) {
    case Kind::Text:
        return QVariant(row.string(column));
    case Kind::Integer: {
        const qint64 n = row.integer(column);
        if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
            return QVariant(int(n));
        return QVariant(n);
    }
    case Kind::Money:
        return QVariant(moneyDouble(row.integer(column)));
    case Kind::Date:
        return QVariant(QDate::fromJulianDay(row.integer(column)));
    case Kind::Boolean:
        return QVariant(row.integer(column) != 0);
    case Kind::Other:
        if (binary)
            return QVariant(row.bytes(column));
        return QVariant(row.string(column));
    }
    return {};
}

QString BatchColumn::decodeText(const BatchRow& row, int column) const {
    if (row.isNull(column))
        return QString();
    switch (kind) {
    case Kind::Text:
        return row.string(column);
    case Kind::Integer:
        return QString::number(row.integer(column));
    case Kind::Money:
        return moneyText(row.integer(column));
    case Kind::Date:
        return DateText::format(QDate::fromJulianDay(row.integer(column)));
    case Kind::Boolean:
    case Kind::Other:
        break;
    }
    return textOf(decode(row, column));
}

QString BatchColumn::textOf(const QVariant& v) const {
    if (v.isNull())
        return QString();
    switch (kind) {
    case Kind::Money:
        return moneyText(qint64(std::llround(v.toDouble() * double(MoneyScale))));
    case Kind::Date:
        return DateText::format(v.toDate());
    case Kind::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Text:
    case Kind::Integer:
    case Kind::Other:
        break;
    }
    return v.toString();
}

#include "CommissionRule.h"

#include "BatchDataSet.h"
#include "FieldValueError.h"

#include <limits>

namespace {
QString tooLarge() {
    return QStringLiteral("金额超出范围,请检查输入!!!");
}
} // namespace

bool CommissionRule::wanted(const QString& editorText) {
    return editorText.isEmpty() || editorText == QLatin1String("0");
}

qint64 CommissionRule::wholeAmount(const QString& amountText, const QString& column) {
    const QString t = amountText.trimmed();
    if (t.isEmpty())
        return 0;
    // Exact decimal rounding on the text: binary fractions would turn some halves into near-halves.
    int i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    const int intStart = i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
        ++i;
    const QString intPart = t.mid(intStart, i - intStart);
    QString frac;
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        const int fracStart = i;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
            ++i;
        frac = t.mid(fracStart, i - fracStart);
    }
    if (i != t.size() || (intPart.isEmpty() && frac.isEmpty()))
        throw FieldValueError(column, QStringLiteral("\"%1\"不是有效的金额!!!").arg(amountText));

    qint64 whole = 0;
    for (QChar c : intPart) {
        const int digit = c.unicode() - '0';
        if (whole > (std::numeric_limits<qint64>::max() - digit) / 10)
            throw FieldValueError(column, tooLarge());
        whole = whole * 10 + digit;
    }
    const QChar first = frac.isEmpty() ? QLatin1Char('0') : frac[0];
    bool restNonZero = false;
    for (int k = 1; k < frac.size(); ++k)
        restNonZero = restNonZero || frac[k] != QLatin1Char('0');
    const bool up =
        first > QLatin1Char('5') || (first == QLatin1Char('5') && (restNonZero || whole % 2 == 1));
    if (up) {
        if (whole == std::numeric_limits<qint64>::max())
            throw FieldValueError(column, tooLarge());
        ++whole;
    }
    return negative ? -whole : whole;
}

qint64 CommissionRule::propose(qint64 amount, int percent, const QString& column) {
    const __int128 product = static_cast<__int128>(amount) * percent / 100;
    if (product > std::numeric_limits<qint64>::max() || product < std::numeric_limits<qint64>::min())
        throw FieldValueError(column, tooLarge());
    return static_cast<qint64>(product);
}

bool CommissionRule::apply(BatchDataSet& data, const QString& editorText, const QString& commissionColumn,
                           const QString& priceColumn, int percent) {
    if (!wanted(editorText))
        return false;
    const qint64 amount = wholeAmount(data.text(priceColumn), priceColumn);
    const qint64 commission = propose(amount, percent, commissionColumn);
    data.edit();
    data.setValue(commissionColumn, QVariant::fromValue<qlonglong>(commission));
    return true;
}

#pragma once

#include "BatchDataSet.h"
#include "BatchRow.h"

#include <QString>
#include <QVariant>

class QSqlField;

// One column of a batch data set: its kind and size as the driver reports them, and the rules a
// value must meet before it goes into a row.
class BatchColumn {
public:
    using Kind = BatchDataSet::ColumnKind;

    static BatchColumn fromField(const QSqlField& field);

    QString name;
    QMetaType type; // as the driver reports it (typed nulls are bound with it)
    Kind kind = Kind::Other;
    int maxLength = 0;     // text: characters, 0 = no limit
    qint64 moneyLimit = 0; // money: largest absolute value in ten-thousandths, 0 = int64
    bool binary = false;   // other: bytes rather than text

    // The value in the form the data set keeps (text: never null; integer: int; money: double;
    // date: QDate; boolean: bool). Throws FieldValueError when the column cannot hold it.
    QVariant normalize(const QVariant& value) const;
    // What clearing the column stores: empty text for text, null otherwise.
    QVariant clearedValue() const;

    // A value as the driver gives it, packed into the row being built.
    void encode(BatchRow::Builder& builder, const QVariant& driverValue) const;
    // A kept value (normalize() form) packed into the row being built.
    void encodeKept(BatchRow::Builder& builder, const QVariant& value) const;
    // The field of a packed row in the kept form, and as the text the grid shows.
    QVariant decode(const BatchRow& row, int column) const;
    QString decodeText(const BatchRow& row, int column) const;
    // A kept value as text: dates as DateText, money without trailing zeros, null as "".
    QString textOf(const QVariant& value) const;

    // Money amounts are kept exactly, in ten-thousandths.
    static constexpr qint64 MoneyScale = 10000;
    // Parses a decimal text into ten-thousandths; false when it is no number. *tooPrecise is set
    // when it has more than four decimals, *overflow when it leaves the 64-bit range.
    static bool parseMoney(QStringView text, qint64* scaled, bool* tooPrecise, bool* overflow);
    static QString moneyText(qint64 scaled); // without trailing zeros
    static double moneyDouble(qint64 scaled) { return double(scaled) / double(MoneyScale); }
    // A value read from a driver (double, integer or decimal text) in ten-thousandths.
    static bool moneyFromVariant(const QVariant& value, qint64* scaled);
    // Characters as the engines count them (code points, not UTF-16 units).
    static qsizetype characterCount(const QString& text);

private:
    [[noreturn]] void refuse(const QString& what) const;
    QVariant normalizeInteger(const QVariant& value) const;
    QVariant normalizeMoney(const QVariant& value) const;
    QVariant normalizeDate(const QVariant& value) const;
    QVariant normalizeBoolean(const QVariant& value) const;
};

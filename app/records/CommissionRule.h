#pragma once

#include <QString>
#include <QtGlobal>

class BatchDataSet;

// The commission the agency proposes for a deal: the agreed amount as a whole number (halves to
// the even neighbour, empty counts as 0) times the percent, divided by 100 toward zero. Worked out
// wide, so no amount and percent can overflow; a result the column cannot hold is refused.
class CommissionRule {
public:
    // True when the commission editor's text asks for a proposal (empty or exactly "0").
    static bool wanted(const QString& editorText);
    // The amount text (as the data set shows it) rounded to a whole number. Throws FieldValueError
    // (for column) on a text that is no amount or too large.
    static qint64 wholeAmount(const QString& amountText, const QString& column);
    // amount * percent / 100 toward zero; throws FieldValueError (for column) when it leaves 64 bits.
    static qint64 propose(qint64 amount, int percent, const QString& column);
    // Writes the proposal into the current row when editorText asks for one; true when it did.
    // A result the column cannot hold throws FieldValueError and leaves the row as it was.
    static bool apply(BatchDataSet& data, const QString& editorText, const QString& commissionColumn,
                      const QString& priceColumn, int percent);
};

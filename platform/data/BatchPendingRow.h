#pragma once

#include <QBitArray>
#include <QVariant>

// The values a row has been given but not yet written: one slot per column, with a flag for the
// columns that were set. An inserted row writes only the columns it set.
struct BatchPendingRow {
    bool inserted = false;
    QVariantList values;
    QBitArray set;

    explicit BatchPendingRow(int columns = 0, bool isInsert = false)
        : inserted(isInsert), values(columns), set(columns) {}
    bool any() const { return set.count(true) > 0; }
    bool has(int column) const { return column >= 0 && column < set.size() && set.testBit(column); }
    void put(int column, const QVariant& value) {
        values[column] = value;
        set.setBit(column);
    }
    void clear() { set.fill(false); }
};

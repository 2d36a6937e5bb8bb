#pragma once

#include "FreeQuery.h"

#include <QString>
#include <QStringList>

// Replaces items with the column's value of every row of the open query, in row order. The
// query is left open, past its last row.
void FillItemsFromQuery(QStringList& items, FreeQuery& q, const QString& column);

// The same for a pick edit or any widget that takes its items with setItems().
template <class W>
requires requires(W& w, const QStringList& l) {
    w.setItems(l);
}
void FillItemsFromQuery(W& widget, FreeQuery& q, const QString& column) {
    QStringList items;
    FillItemsFromQuery(items, q, column);
    widget.setItems(items);
}

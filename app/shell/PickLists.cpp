#include "PickLists.h"

void FillItemsFromQuery(QStringList& items, FreeQuery& q, const QString& column) {
    items.clear();
    for (q.first(); !q.eof(); q.next())
        items.append(q.text(column));
}

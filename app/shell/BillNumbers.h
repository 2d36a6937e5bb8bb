#pragma once

#include <QString>

class DatabaseConnection;
class FreeQuery;

// The next bill number of a bill type ("A" lease, "B" sale, "E" rent and purchase demands) from
// S_收件单号: eight digits with leading zeros (nine once the counter passes 99999999, after which
// it starts again at 1). A type without a counter row gives "00000000" and writes nothing.
// Reading and advancing the counter is one atomic step, so two workstations never draw the same
// number. Runs on UserDM's connection and QryFree.
QString NextBillNo(const QString& billType);
// The same on any connection and query (the query must be on that connection).
QString NextBillNo(DatabaseConnection& connection, FreeQuery& query, const QString& billType);

// A counter value as the bill number it issues.
QString BillNoText(qint64 number);

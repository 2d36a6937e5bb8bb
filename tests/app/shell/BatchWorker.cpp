// A workstation in a process of its own, sending batches of lease listings through the batch
// data set, and printing one line per batch:
//   batch_worker load <worker> <batches> <database...>
//       each batch edits two of the shared rows (楼层 + 1, 出租方备注 = "w<worker>-b<batch>") and
//       inserts a row with a freshly drawn bill number; prints
//       "ok <batch> <billno> <id> <id>" or "refused <batch> <billno> <message>"
//   batch_worker big <rows> <database...>
//       prints "sending", sends one batch inserting <rows> rows (出租方备注 = "big"), prints "sent"
// <database...> is "sqlcipher <file>" or "postgresql <host> <port> <user> <database>".
#include "BatchDataSet.h"
#include "BillNumbers.h"
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "FreeQuery.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

namespace {
const QString kShared = QStringLiteral("共用房源");

bool settingsFrom(const QStringList& a, int at, ConnectionSettings& s) {
    if (a.size() > at + 1 && a[at] == QLatin1String("sqlcipher")) {
        s.engine = SqlEngine::SqlCipher;
        s.filePath = a[at + 1];
        s.key = ConnectionSettings::localFilePassword();
        return true;
    }
    if (a.size() > at + 4 && a[at] == QLatin1String("postgresql")) {
        s.engine = SqlEngine::PostgreSql;
        s.server = a[at + 1];
        s.port = a[at + 2].toInt();
        s.user = a[at + 3];
        s.database = a[at + 4];
        return true;
    }
    return false;
}

void line(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

void openLeases(BatchDataSet& data, const QString& where) {
    data.setSql(QStringLiteral("Select * from H_出租表 where ") + where + QStringLiteral(" order by ID"));
    data.setTableName(QStringLiteral("H_出租表"));
    data.setKeyField(QStringLiteral("ID"));
}

void load(DatabaseConnection& connection, int worker, int batches) {
    FreeQuery q(connection);
    BatchDataSet data(connection);
    openLeases(data, QStringLiteral("房屋地址=:shared"));
    for (int b = 0; b < batches; ++b) {
        data.setParam(QStringLiteral("shared"), kShared);
        data.open();
        const int rows = data.recordCount();
        const int first = (worker + b) % rows;
        int second = (worker * 3 + b * 7 + 1) % rows;
        if (second == first)
            second = (first + 1) % rows;
        const QString mark = QStringLiteral("w%1-b%2").arg(worker).arg(b);
        QStringList ids;
        for (int row : {first, second}) {
            data.setCurrentRow(row);
            data.setValue(QStringLiteral("楼层"), data.value(QStringLiteral("楼层")).toInt() + 1);
            data.setValue(QStringLiteral("出租方备注"), mark);
            data.post();
            ids << data.value(QStringLiteral("ID")).toString();
        }
        const QString billNo = NextBillNo(connection, q, QStringLiteral("A"));
        data.append();
        data.setValue(QStringLiteral("收件号"), billNo);
        data.setValue(QStringLiteral("房屋地址"), QStringLiteral("新增 ") + mark);
        data.setValue(QStringLiteral("出租方备注"), mark);
        data.setValue(QStringLiteral("状态位"), QStringLiteral("未出租"));
        data.post();
        try {
            data.applyBatch();
            line(QStringLiteral("ok %1 %2 %3").arg(b).arg(billNo, ids.join(QLatin1Char(' '))));
        } catch (const std::exception& e) {
            line(QStringLiteral("refused %1 %2 %3").arg(b).arg(billNo, QString::fromUtf8(e.what())));
        }
    }
}

void big(DatabaseConnection& connection, int rows) {
    BatchDataSet data(connection);
    openLeases(data, QStringLiteral("1=0"));
    data.open();
    for (int r = 0; r < rows; ++r) {
        data.append();
        data.setValue(QStringLiteral("房屋地址"), QStringLiteral("大批量 %1").arg(r));
        data.setValue(QStringLiteral("出租方备注"), QStringLiteral("big"));
        data.setValue(QStringLiteral("楼层"), r);
        data.post();
    }
    line(QStringLiteral("sending"));
    data.applyBatch();
    line(QStringLiteral("sent"));
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    ConnectionSettings s;
    const bool isLoad = a.size() > 1 && a[1] == QLatin1String("load");
    if (a.size() < 3 || !settingsFrom(a, isLoad ? 4 : 3, s))
        return 2;
    try {
        DatabaseConnection connection(QStringLiteral("worker"));
        connection.open(s);
        if (isLoad)
            load(connection, a[2].toInt(), a[3].toInt());
        else
            big(connection, a[2].toInt());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

#include "BillNumbers.h"

#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"
#include "TUserDM.h"
#include "Transaction.h"

QString BillNoText(qint64 number) {
    QString text = QString::number(number);
    while (text.size() < 8)
        text.prepend(QLatin1Char('0'));
    return text;
}

QString NextBillNo(const QString& billType) {
    if (!UserDM)
        throw DbError(QStringLiteral("数据库没有连接"));
    return NextBillNo(UserDM->ADOConnection1, UserDM->QryFree, billType);
}

QString NextBillNo(DatabaseConnection& connection, FreeQuery& q, const QString& billType) {
    const QString param = QStringLiteral("Billtype");
    // Inside a caller's transaction the statements simply join it.
    Transaction transaction(connection);
    // Touching the row first takes its write lock (the file's write lock on the local engine), so
    // another workstation waits here until this one has advanced the counter.
    q.close();
    q.setSql(QStringLiteral(" Update S_收件单号 set BillNo=BillNo where Billtype=:Billtype"));
    q.setParam(param, billType);
    q.execute();

    q.close();
    q.setSql(QStringLiteral(" Select BillNo from S_收件单号 where Billtype=:Billtype"));
    q.setParam(param, billType);
    q.open();
    qint64 number = 0;
    if (!q.isEmpty())
        number = q.value(QStringLiteral("BillNo")).toLongLong();
    const bool hasRow = !q.isEmpty();
    q.close();

    if (hasRow) {
        q.setSql(number <= 99999999
                     ? QStringLiteral(" Update S_收件单号 set BillNo=BillNo+1 where Billtype=:Billtype")
                     : QStringLiteral(" Update S_收件单号 set BillNo=1 where Billtype=:Billtype"));
        q.setParam(param, billType);
        q.execute();
    }
    transaction.commit();
    return BillNoText(number);
}

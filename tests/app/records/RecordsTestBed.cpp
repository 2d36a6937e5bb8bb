#include "RecordsTestBed.h"

#include "DatabaseConnection.h"
#include "DateText.h"
#include "FreeQuery.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"
#include "TestSupport.h"

#include <QDir>

RecordsTestBed::RecordsTestBed(const QString& engine) : m_db(engine) {
    DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
    delete UserDM;
    UserDM = new TUserDM();
    UserDM->ADOConnection1.open(m_db.settings());
    CurrentUser = TUser();
    CurrentUser.UserFullName = QStringLiteral("张三");
    CurrentUser.UserCode = QStringLiteral("zs");
    CurrentUser.UserType = QStringLiteral("操作员");
    AppGlobals = TSetValue();
    AppGlobals.LeaseCommission = 30;
    AppGlobals.SaleCommission = 2;
    AppGlobals.PrintMode = 1;
    AppGlobals.CompanyName = QStringLiteral("安居房屋中介");
    AppGlobals.CompanyTel = QStringLiteral("0571-88886666");
    AppGlobals.AppPath = TestSupport::programDir();
}

RecordsTestBed::~RecordsTestBed() {
    delete UserDM;
    UserDM = nullptr;
}

QStringList RecordsTestBed::engines() {
    QStringList list{QStringLiteral("sqlcipher")};
    if (TestSupport::pgAvailable())
        list << QStringLiteral("postgresql");
    return list;
}

DatabaseConnection& RecordsTestBed::connection() {
    return UserDM->ADOConnection1;
}

int RecordsTestBed::insertRow(const QString& table, const QVariantMap& values) {
    ScratchDatabase::insertRow(connection(), table, values);
    FreeQuery q(connection());
    q.setSql(QStringLiteral("select max(ID) as ID from %1").arg(table));
    q.open();
    return q.value(QStringLiteral("ID")).toInt();
}

QVariant RecordsTestBed::rowValue(const QString& table, int id, const QString& column) {
    FreeQuery q(connection());
    q.setSql(QStringLiteral("select %1 as v from %2 where ID=:id").arg(column, table));
    q.setParam(QStringLiteral("id"), id);
    q.open();
    if (q.isEmpty())
        return QStringLiteral("<no row>");
    return q.value(QStringLiteral("v"));
}

int RecordsTestBed::rowCount(const QString& table) {
    FreeQuery q(connection());
    q.setSql(QStringLiteral("select count(*) as n from %1").arg(table));
    q.open();
    return q.value(QStringLiteral("n")).toInt();
}

QStringList RecordsTestBed::columnValues(const QString& table, const QString& column) {
    FreeQuery q(connection());
    q.setSql(QStringLiteral("select %1 as v from %2 order by ID").arg(column, table));
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next())
        out << q.text(QStringLiteral("v"));
    return out;
}

void RecordsTestBed::addDictValue(const QString& type, const QString& value) {
    FreeQuery q(connection());
    q.setSql(QStringLiteral("insert into S_字典 (TypeName, Value) values (:t, :v)"));
    q.setParam(QStringLiteral("t"), type);
    q.setParam(QStringLiteral("v"), value);
    q.execute();
}

qint64 RecordsTestBed::billCounter(const QString& type) {
    FreeQuery q(connection());
    q.setSql(QStringLiteral("select BillNo from S_收件单号 where Billtype=:t"));
    q.setParam(QStringLiteral("t"), type);
    q.open();
    return q.value(QStringLiteral("BillNo")).toLongLong();
}

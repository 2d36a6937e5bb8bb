#include "AdminTestBed.h"

#include "DatabaseConnection.h"
#include "FreeQuery.h"
#include "MessageBoxService.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"
#include "TestSupport.h"

#include <QTest>

AdminTestBed::AdminTestBed(const QString& engine) : ShellTestDb(engine) {
    AppGlobals.AppPath = TestSupport::programDir();
    AppGlobals.CompanyName = QStringLiteral("恒信房屋中介服务有限公司");
}

QStringList AdminTestBed::engines() {
    QStringList list{QStringLiteral("sqlcipher")};
    if (TestSupport::pgAvailable())
        list << QStringLiteral("postgresql");
    return list;
}

void AdminTestBed::addEngineRows() {
    QTest::addColumn<QString>("engine");
    for (const QString& e : engines())
        QTest::newRow(qPrintable(e)) << e;
}

int AdminTestBed::addUser(const QString& code, const QString& storedPassword, const QString& name,
                          const QString& type) {
    FreeQuery q(dm().ADOConnection1);
    q.setSql(QStringLiteral("insert into S_用户表 (用户代码,用户口令,用户姓名,类型) values (:c,:p,:n,:t)"));
    q.setParam(QStringLiteral("c"), code);
    q.setParam(QStringLiteral("p"), storedPassword);
    q.setParam(QStringLiteral("n"), name);
    q.setParam(QStringLiteral("t"), type);
    q.execute();
    q.setSql(QStringLiteral("select 编号 from S_用户表 where 用户代码=:c"));
    q.setParam(QStringLiteral("c"), code);
    q.open();
    return q.value(0).toInt();
}

void AdminTestBed::logIn(int userId) {
    FreeQuery q(dm().ADOConnection1);
    q.setSql(QStringLiteral("select 编号,用户代码,用户口令,用户姓名,类型 from S_用户表 where 编号=:id"));
    q.setParam(QStringLiteral("id"), userId);
    q.open();
    CurrentUser = TUser();
    CurrentUser.UserId = q.value(QStringLiteral("编号")).toInt();
    CurrentUser.UserCode = q.text(QStringLiteral("用户代码"));
    CurrentUser.UserPassword = q.text(QStringLiteral("用户口令"));
    CurrentUser.UserFullName = q.text(QStringLiteral("用户姓名"));
    CurrentUser.UserType = q.text(QStringLiteral("类型"));
}

QString AdminTestBed::userValue(int userId, const QString& column) {
    FreeQuery q(dm().ADOConnection1);
    q.setSql(QStringLiteral("select %1 from S_用户表 where 编号=:id").arg(column));
    q.setParam(QStringLiteral("id"), userId);
    q.open();
    return q.isEmpty() ? QStringLiteral("<none>") : q.text(column);
}

QString AdminTestBed::column(const QString& sql) {
    FreeQuery q(dm().ADOConnection1);
    q.setSql(sql);
    q.open();
    QStringList values;
    for (q.first(); !q.eof(); q.next())
        values << q.value(0).toString();
    return values.join(u'|');
}

QStringList AdminTestBed::shownTexts() {
    QStringList out;
    for (const ShownMessage& m : MessageBoxService::shown())
        out << m.text;
    return out;
}

#include "UserAccounts.h"

#include "DbError.h"
#include "LoginRules.h"
#include "TUser.h"
#include "TUserDM.h"

namespace {
FreeQuery& openUsers() {
    if (!UserDM)
        throw DbError(QStringLiteral("数据库没有连接"));
    FreeQuery& q = UserDM->QryFree;
    q.close();
    q.setSql(QStringLiteral("Select 编号,用户代码,类型 from S_用户表"));
    q.open();
    return q;
}
} // namespace

QString UserAccounts::administratorType() {
    return QStringLiteral("管理员");
}

QString UserAccounts::operatorType() {
    return QStringLiteral("操作员");
}

bool UserAccounts::isAdministrator(const QString& userType) {
    return userType == administratorType();
}

QString UserAccounts::duplicateCodeRefusal(const QString& code, int userId) {
    // Compared here, not in SQL, so every engine tells codes apart exactly as the login does.
    const QString wanted = LoginRules::trimBlanks(code);
    FreeQuery& q = openUsers();
    for (q.first(); !q.eof(); q.next()) {
        if (q.value(QStringLiteral("编号")).toInt() == userId)
            continue;
        if (LoginRules::trimBlanks(q.text(QStringLiteral("用户代码"))) == wanted)
            return QStringLiteral("登录帐号\"%1\"已被其他用户使用,请换一个!!!").arg(wanted);
    }
    return QString();
}

QString UserAccounts::deleteRefusal(int userId, const QString& userType, const TUser& current) {
    if (userId == current.UserId)
        return QStringLiteral("不能删除当前登录的用户!!!");
    if (!isAdministrator(userType))
        return QString();
    int others = 0;
    FreeQuery& q = openUsers();
    for (q.first(); !q.eof(); q.next())
        if (q.value(QStringLiteral("编号")).toInt() != userId &&
            isAdministrator(q.text(QStringLiteral("类型"))))
            ++others;
    return others == 0 ? QStringLiteral("不能删除最后一个管理员!!!") : QString();
}

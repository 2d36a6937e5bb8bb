#include "UserPasswords.h"

#include "DbError.h"
#include "PasswordHash.h"
#include "TUserDM.h"

QString StoreUserPassword(int userId, const QString& password) {
    if (!UserDM)
        throw DbError(QStringLiteral("数据库没有连接"));
    const QString stored = PasswordHash::hash(password);
    FreeQuery& q = UserDM->QryFree;
    q.close();
    q.setSql(QStringLiteral("UpDate  S_用户表  Set 用户口令=:PassWd Where 编号=:UserID"));
    q.setParam(QStringLiteral("PassWd"), stored);
    q.setParam(QStringLiteral("UserID"), userId);
    q.execute();
    return stored;
}

#include "LoginRules.h"

#include "PasswordHash.h"
#include "TSetValue.h"
#include "TextBlanks.h"

QString LoginRules::maintenanceCode() {
    return QStringLiteral("甄维序2047");
}

TUser LoginRules::maintenanceUser() {
    TUser u;
    u.UserId = 9999;
    u.UserCode = maintenanceCode();
    u.UserFullName = QStringLiteral("甄维序");
    u.UserType = QStringLiteral("管理员");
    return u;
}

bool LoginRules::isMaintenanceCode(const QString& typed) {
    // A login without a password is a back door unless this workstation was set up to allow it.
    return AppGlobals.MaintenanceLogin && typed == maintenanceCode();
}

bool LoginRules::isMaintenanceUser(const TUser& user) {
    return user.UserId == 9999 && user.UserCode == maintenanceCode();
}

QString LoginRules::trimBlanks(const QString& text) {
    return TextBlanks::trim(text);
}

bool LoginRules::passwordMatches(const QString& stored, const QString& typedTrimmed) {
    if (PasswordHash::isHash(stored))
        return PasswordHash::verify(stored, typedTrimmed);
    return trimBlanks(stored) == typedTrimmed;
}

QString LoginRules::unlockRefusal(const TUser& current, const QString& typedCode,
                                  const QString& typedPassword) {
    const QString noUser = QStringLiteral("没有该用户!!!");
    if (isMaintenanceCode(typedCode))
        return isMaintenanceUser(current) ? QString() : noUser;
    // The maintenance user has no users-table row, so any other code is unknown to it.
    if (isMaintenanceUser(current) || trimBlanks(typedCode) != current.UserCode)
        return noUser;
    if (!passwordMatches(current.UserPassword, trimBlanks(typedPassword)))
        return QStringLiteral("错误的密码!!!");
    return QString();
}

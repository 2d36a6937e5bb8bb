#pragma once

#include <QString>

struct TUser;

// The rules of the users table that the user windows ask before they write: who is an
// administrator, which login codes are taken, which rows may go.
class UserAccounts {
public:
    static QString administratorType(); // "管理员"
    static QString operatorType();      // "操作员"
    // Any type other than exactly "管理员" is an operator.
    static bool isAdministrator(const QString& userType);

    // The refusal for a login code another row (not userId; 0 for a new row) already has, or empty.
    // Codes are compared as the login compares them.
    static QString duplicateCodeRefusal(const QString& code, int userId);
    // The refusal for deleting the row userId with type userType by the current user, or empty:
    // nobody deletes their own row, and the last administrator stays.
    static QString deleteRefusal(int userId, const QString& userType, const TUser& current);
};

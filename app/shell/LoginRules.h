#pragma once

#include "TUser.h"

#include <QString>

// How typed login values are matched, shared by the login and the lock window.
class LoginRules {
public:
    // The built-in maintenance login: logs in without a users-table row and without a password.
    static QString maintenanceCode();
    static TUser maintenanceUser();
    // Only the exact text is the maintenance code; with a blank around it, it is an ordinary code.
    // It is no code at all on a workstation whose MyConnect.ini does not allow it.
    static bool isMaintenanceCode(const QString& typed);
    static bool isMaintenanceUser(const TUser& user);

    // Leading and trailing blanks and control characters removed (a full-width blank stays).
    static QString trimBlanks(const QString& text);
    // The typed password (already trimmed) against the stored one: a hash is verified; a password
    // an older program stored as typed is trimmed and compared exactly.
    static bool passwordMatches(const QString& stored, const QString& typedTrimmed);

    // The lock window's check: the logged-in user's code and password, compared as the login
    // compares them. Empty when the user may return; otherwise the login's refusal text.
    static QString unlockRefusal(const TUser& current, const QString& typedCode,
                                 const QString& typedPassword);
};

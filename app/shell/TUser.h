#pragma once

#include <QString>

#include <cstdint>

// The logged-in user; filled by the login and kept until the program ends.
struct TUser {
    int32_t UserId = 0; // 编号; 9999 for the maintenance login
    QString UserFullName;
    QString UserCode;
    QString UserPassword; // as stored in S_用户表
    QString UserType;     // "管理员" for administrators
};

extern TUser CurrentUser;

#pragma once

#include "SqlEngine.h"

#include <QString>

// What it takes to open the one database connection.
struct ConnectionSettings {
    SqlEngine engine = SqlEngine::SqlCipher;
    QString filePath; // SqlCipher: the database file
    QString key;      // SqlCipher: the file's password
    QString server;   // servers: host name
    int port = 0;     // servers: 0 = the engine's usual port
    QString database;
    QString user;
    QString password;
    int timeoutSeconds = 5;
    // SqlServer only: the ODBC driver to use; empty = "FreeTDS".
    QString odbcDriver;

    // The password of the local database file "House.HDB".
    static QString localFilePassword() { return QStringLiteral("Kestr7081pine%^)"); }
};

#pragma once

#include <QString>

// The values of MyConnect.ini, read and written in this one place (the data module and the
// settings dialog both use it).
struct MyConnectIni {
    // [Connect]
    int connectOption = 1; // 1 = the local database file, anything else = a server
    // The built-in maintenance login works only where this workstation turns it on.
    bool maintenanceLogin = false;
    // [LocalDB]
    QString dbNames;
    // [DataBase]
    QString serverName;
    QString dataBaseName;
    QString userName = QStringLiteral("sa");
    QString password;
    QString driver = QStringLiteral("SQLServer"); // or "PostgreSQL"
    int port = 0;

    // False when the file is there but could not be read as text: every value is then its default.
    bool readable = true;

    bool fileMode() const { return connectOption == 1; }

    static QString pathIn(const QString& programFolder);
    static MyConnectIni read(const QString& path);

    // Writes DBnames (file mode) or the four server values (server mode), leaving every other
    // line as it is. A file that could not be read is never rewritten: it is renamed to a dated
    // copy beside it ("MyConnect.ini.20261211-145012") and a fresh file takes its place.
    // Returns the copy's path, empty when there was none. Throws std::runtime_error when the file
    // cannot be written and std::invalid_argument for a value that would not read back as given.
    QString writeLocal(const QString& path) const;
    QString writeServer(const QString& path) const;

    // True when the value can be written so that it reads back exactly (no line breaks or other
    // control characters).
    static bool writable(const QString& value);
};

#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The updater's own "vexa.ini" beside its program: the product's update list name, the program
// to start after an update, and the update servers in file order.
class UpdateSettings {
public:
    explicit UpdateSettings(const QString& path);

    QString subSys() const { return m_subSys; }
    QString exe() const { return m_exe; }
    // The publisher's public key; when set, only a list signed with its secret key is used.
    QString publicKey() const { return m_publicKey; }
    // Server name and base URL, in file order.
    const QList<QPair<QString, QString>>& servers() const { return m_servers; }

    // Reads the file again: a name that is not there gives "http://".
    QString serverUrl(const QString& name) const;

private:
    QString m_path;
    QString m_subSys;
    QString m_exe;
    QString m_publicKey;
    QList<QPair<QString, QString>> m_servers;
};

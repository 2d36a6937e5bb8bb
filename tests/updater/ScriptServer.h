#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A python3 server of the tests (odd_http_server.py or python's own http.server) on a port it
// picks itself and announces; killed when the object goes.
class ScriptServer {
public:
    ScriptServer() = default;
    ~ScriptServer();
    ScriptServer(const ScriptServer&) = delete;
    ScriptServer& operator=(const ScriptServer&) = delete;

    // odd_http_server.py with the given arguments.
    bool startOdd(const QStringList& args);
    // python3 -m http.server serving root (it ignores Range).
    bool startPlain(const QString& root);
    void stop();

    quint16 port() const { return m_port; }
    QString baseUrl() const;

    static QString scriptDir();
    static quint16 freePort();

private:
    QProcess m_process;
    quint16 m_port = 0;
};

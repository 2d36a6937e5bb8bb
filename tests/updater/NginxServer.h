#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// nginx on 127.0.0.1 for one test: its own config, pid file, logs and temp folders in a
// temporary prefix, a free port, stopped when the object goes.
class NginxServer {
public:
    NginxServer() = default;
    ~NginxServer();
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    // Serves root; false (with errorText()) when nginx does not come up.
    bool start(const QString& root);
    // Serve HTTPS with this certificate and key (call before start()).
    void useTls(const QString& certificate, const QString& key);
    void stop();

    quint16 port() const { return m_port; }
    QString baseUrl() const;
    QString errorText() const { return m_error; }

private:
    QTemporaryDir m_prefix;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
    QString m_certificate;
    QString m_key;
};

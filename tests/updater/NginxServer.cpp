#include "NginxServer.h"

#include "ScriptServer.h"

#include <QDir>
#include <QFile>
#include <QTcpSocket>

#include <unistd.h>

NginxServer::~NginxServer() {
    stop();
}

QString NginxServer::baseUrl() const {
    return (m_certificate.isEmpty() ? QStringLiteral("http://127.0.0.1:%1/")
                                    : QStringLiteral("https://127.0.0.1:%1/"))
        .arg(m_port);
}

void NginxServer::useTls(const QString& certificate, const QString& key) {
    m_certificate = certificate;
    m_key = key;
}

bool NginxServer::start(const QString& root) {
    const QString dir = m_prefix.path();
    QDir(dir).mkpath(QStringLiteral("temp"));
    m_port = ScriptServer::freePort();
    QString conf;
    // As root nginx would hand its workers to "nobody", who may not read the test's files.
    if (geteuid() == 0)
        conf += QStringLiteral("user root;\n");
    conf += QStringLiteral("worker_processes 1;\n"
                           "pid %1/nginx.pid;\n"
                           "error_log %1/error.log;\n"
                           "events { worker_connections 64; }\n"
                           "http {\n"
                           "  access_log off;\n"
                           "  sendfile on;\n"
                           "  default_type application/octet-stream;\n"
                           "  types { text/html htm html; }\n"
                           "  client_body_temp_path %1/temp/body;\n"
                           "  proxy_temp_path %1/temp/proxy;\n"
                           "  fastcgi_temp_path %1/temp/fastcgi;\n"
                           "  uwsgi_temp_path %1/temp/uwsgi;\n"
                           "  scgi_temp_path %1/temp/scgi;\n"
                           "  server {\n"
                           "    listen 127.0.0.1:%2%4;\n"
                           "    root %3;\n"
                           "%5"
                           "  }\n"
                           "}\n")
                .arg(dir)
                .arg(m_port)
                .arg(root)
                .arg(m_certificate.isEmpty() ? QString() : QStringLiteral(" ssl"))
                .arg(m_certificate.isEmpty()
                         ? QString()
                         : QStringLiteral("    ssl_certificate %1;\n    ssl_certificate_key %2;\n")
                               .arg(m_certificate, m_key));
    QFile file(dir + QStringLiteral("/nginx.conf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(conf.toUtf8()) < 0)
        return false;
    file.close();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral("nginx"),
                    {QStringLiteral("-p"), dir, QStringLiteral("-c"), file.fileName(), QStringLiteral("-e"),
                     dir + QStringLiteral("/error.log"), QStringLiteral("-g"),
                     QStringLiteral("daemon off;")});
    if (!m_process.waitForStarted(5000)) {
        m_error = m_process.errorString();
        return false;
    }
    // Up when it accepts a connection; give up after a bounded number of tries.
    for (int i = 0; i < 100; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
        if (probe.waitForConnected(100))
            return true;
        if (m_process.state() == QProcess::NotRunning)
            break;
        m_process.waitForFinished(50);
    }
    QFile log(dir + QStringLiteral("/error.log"));
    log.open(QIODevice::ReadOnly);
    m_error = QString::fromUtf8(m_process.readAll() + log.readAll());
    stop();
    return false;
}

void NginxServer::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

#include "ScriptServer.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

ScriptServer::~ScriptServer() {
    stop();
}

QString ScriptServer::scriptDir() {
    return QStringLiteral(CORVANE_TEST_SCRIPTS);
}

QString ScriptServer::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_port);
}

quint16 ScriptServer::freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool ScriptServer::startOdd(const QStringList& args) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("python3"),
                    QStringList{QStringLiteral("-u"), scriptDir() + QStringLiteral("/odd_http_server.py")} +
                        args);
    if (!m_process.waitForStarted(5000))
        return false;
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(10000))
            return false;
    m_port = quint16(m_process.readLine().trimmed().toUInt());
    return m_port != 0;
}

bool ScriptServer::startPlain(const QString& root) {
    m_port = freePort();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral("python3"),
                    {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"),
                     QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--directory"),
                     root, QString::number(m_port)});
    if (!m_process.waitForStarted(5000))
        return false;
    for (int i = 0; i < 100; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
        if (probe.waitForConnected(100))
            return true;
        if (m_process.state() == QProcess::NotRunning)
            return false;
        m_process.waitForFinished(50);
    }
    return false;
}

void ScriptServer::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

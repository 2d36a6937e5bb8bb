#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QTcpSocket;

// Fetches one file with our own small HTTP/1.1 client on a blocking socket: a HEAD for the full
// length, then a ranged GET from the local file's size on, appended to it. The partial file stays
// on disk after any failure, so the next call goes on where this one stopped.
class ResumableDownload : public QObject {
    Q_OBJECT
public:
    explicit ResumableDownload(QObject* parent = nullptr);

    // True when the file is complete or was skipped by a length rule; false when it failed, was
    // interrupted or the server does not resume.
    bool DownloadFile(const QString& url, const QString& localFile);

    // The interrupt button: the body loop ends after the block in hand.
    void requestCancel() { m_cancelRequested = true; }
    bool cancelRequested() const { return m_cancelRequested; }

    // Waits in milliseconds. A header line (whole line) and each body receive give up after their
    // wait, so a silent server ends the download instead of hanging the window.
    void setConnectTimeout(int ms) { m_connectTimeout = ms; }
    void setHeaderTimeout(int ms) { m_headerTimeout = ms; }
    void setBodyTimeout(int ms) { m_bodyTimeout = ms; }
    int headerTimeout() const { return m_headerTimeout; }

    // Runs after each body block, once its progress has been shown (the window handles its
    // pending messages there, which is how the interrupt button gets through).
    void setEventPump(std::function<void()> pump) { m_pump = std::move(pump); }

    const QString& remoteHost() const { return m_remoteHost; }
    const QString& remotePath() const { return m_remotePath; }
    bool rangeAccepted() const { return m_rangeAccepted; }
    qint64 resumeOffset() const { return m_resumeOffset; }

    // URL pieces: "http://" (any case) is dropped; the host part is all before the first "/"
    // (with its ":port" when given, as the Host header wants it), the path all after it.
    static QString UrlHost(const QString& url);
    static QString UrlPath(const QString& url);
    static QString UrlHostName(const QString& url);
    // 80 without a port; 0 when the port text is not a valid port.
    static quint16 UrlPort(const QString& url);

    // One header line, terminator included; empty when the terminator did not arrive within the
    // wait or the connection closed first.
    static QByteArray ReadHeaderLine(QTcpSocket& socket, int waitMs, const QByteArray& terminator);

    static QByteArray headRequest(const QString& path, const QString& host);
    static QByteArray rangedGetRequest(const QString& path, const QString& host, qint64 offset);

    // "共 1,234 字节，已下载 567 字节"; zero shows as nothing, as the old "#,##" pattern did.
    static QString progressText(qint64 announced, qint64 received);
    static QString groupedNumber(qint64 value);

signals:
    void logLine(const QString& text);
    void progress(qint64 announced, qint64 received);

private:
    struct Headers {
        qint64 contentLength = -1;
        bool contentRange = false;
    };
    void connectSocket(QTcpSocket& socket, const QString& url) const;
    void sendRequest(QTcpSocket& socket, const QByteArray& request) const;
    Headers readHeaders(QTcpSocket& socket) const;
    bool waitForData(QTcpSocket& socket) const;

    QString m_remoteHost;
    QString m_remotePath;
    bool m_rangeAccepted = false;
    bool m_cancelRequested = false;
    qint64 m_resumeOffset = 0;

    int m_connectTimeout = 30000;
    int m_headerTimeout = 60000;
    int m_bodyTimeout = 60000;
    std::function<void()> m_pump;
};

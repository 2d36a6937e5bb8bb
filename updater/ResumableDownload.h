#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QTcpSocket;
class QDeadlineTimer;

// What the update list says of one file; empty values are not checked.
struct ReleaseFile {
    QString datetime;
    qint64 size = -1;
    QByteArray sha256; // hex
};

// Fetches one file with our own small HTTP/1.1 client on a blocking socket (TLS for "https://"):
// a HEAD for the full length, then a ranged GET from the local copy's size on, appended to it.
// The partial copy stays on disk after a failure, and the next call goes on where this one
// stopped, but only while it still belongs to the same release; an answer that does not continue
// the copy exactly starts it again from zero. A complete copy is checked against the list row.
class ResumableDownload : public QObject {
    Q_OBJECT
public:
    explicit ResumableDownload(QObject* parent = nullptr);
    ~ResumableDownload() override;

    // True only when the local copy is the whole file and matches the row's size and hash.
    bool DownloadFile(const QString& url, const QString& localFile, const ReleaseFile& release = {});

    // The interrupt button: the download ends at the next wait or block, whatever its stage.
    void requestCancel() { m_cancelRequested = true; }
    bool cancelRequested() const { return m_cancelRequested; }

    // Waits in milliseconds: connecting (TLS handshake included), a whole header block, and each
    // body receive. A server that goes silent or drips its headers fails after its wait.
    void setConnectTimeout(int ms) { m_connectTimeout = ms; }
    void setHeaderTimeout(int ms) { m_headerTimeout = ms; }
    void setBodyTimeout(int ms) { m_bodyTimeout = ms; }

    // Runs while waiting and after each body block (the window handles its pending messages
    // there, which is how the interrupt button gets through).
    void setEventPump(std::function<void()> pump) { m_pump = std::move(pump); }

    const QString& remoteHost() const { return m_remoteHost; }
    const QString& remotePath() const { return m_remotePath; }
    bool rangeAccepted() const { return m_rangeAccepted; }
    qint64 resumeOffset() const { return m_resumeOffset; }

    // URL pieces: "http://" or "https://" (any case) is dropped; the host part is all before the
    // first "/" (with its ":port" when given, as the Host header wants it), the path all after it.
    static QString UrlHost(const QString& url);
    static QString UrlPath(const QString& url);
    static QString UrlHostName(const QString& url);
    static bool UrlIsHttps(const QString& url);
    // 80 (443 for https) without a port; 0 when the port text is not a valid port.
    static quint16 UrlPort(const QString& url);

    static QByteArray headRequest(const QString& path, const QString& host);
    static QByteArray rangedGetRequest(const QString& path, const QString& host, qint64 offset);

    // "共 1,234 字节，已下载 567 字节"; zero shows as nothing, as the old "#,##" pattern did.
    static QString progressText(qint64 announced, qint64 received);
    static QString groupedNumber(qint64 value);

    // The body moves in blocks of this size, each written at once and shown as progress.
    static constexpr qint64 BlockSize = 64 * 1024;
    // Limits on what a server may send before the body.
    static constexpr int MaxHeaderLine = 8192;
    static constexpr int MaxHeaderLines = 100;

signals:
    void logLine(const QString& text);
    void progress(qint64 announced, qint64 received);

private:
    struct Response;
    std::unique_ptr<QTcpSocket> connectSocket(const QString& url);
    void sendRequest(QTcpSocket& socket, const QByteArray& request);
    Response readResponse(QTcpSocket& socket);
    QByteArray readLine(QTcpSocket& socket, const QDeadlineTimer& deadline);
    bool waitReadable(QTcpSocket& socket, const QDeadlineTimer& deadline);
    void pump();

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

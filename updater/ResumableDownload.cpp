#include "ResumableDownload.h"

#include "FileDigest.h"
#include "ResumeRecord.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSslSocket>
#include <QStorageInfo>
#include <QTcpSocket>

#include <stdexcept>

namespace {
const QByteArray CrLf = "\r\n";
const QByteArray UserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.0.3705)";
// Waits are cut into slices so the window stays alive and an interrupt is seen at once.
constexpr int WaitSlice = 100;

// The server could not be reached or stopped answering: the classic connection-failure line.
struct ConnectionFailure : std::runtime_error {
    explicit ConnectionFailure(const QString& why = {}) : std::runtime_error("connection"), reason(why) {}
    QString reason;
};
// The server answered, but not with this file: logged with its reason.
struct Refusal : std::runtime_error {
    explicit Refusal(const QString& why) : std::runtime_error("refused"), reason(why) {}
    QString reason;
};
struct Cancelled {};

QString stripScheme(const QString& url) {
    QString s = url.trimmed();
    if (s.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        s.remove(0, 7);
    else if (s.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        s.remove(0, 8);
    return s;
}

// File names may hold blanks or Chinese; they go on the request line percent-encoded so the
// line stays one line and the server sees the name it stores. "%" is kept: an address typed
// already encoded is sent as it is.
QByteArray requestTarget(const QString& path) {
    static const QByteArray unsafe = " \"<>\\^`{|}";
    QByteArray out;
    for (const char ch : path.toUtf8()) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7f || unsafe.contains(ch)) {
            out += '%';
            out += QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        } else {
            out += ch;
        }
    }
    return out;
}

// A decimal length and nothing else; -1 otherwise.
qint64 decimal(const QByteArray& text) {
    if (text.isEmpty() || text.size() > 18)
        return -1;
    for (const char c : text)
        if (c < '0' || c > '9')
            return -1;
    return text.toLongLong();
}
} // namespace

// What the client takes from an answer's head.
struct ResumableDownload::Response {
    int status = 0;
    qint64 contentLength = -1;
    bool contentRange = false;
    qint64 rangeFirst = -1; // -1 for "bytes */total"
    qint64 rangeLast = -1;
    qint64 rangeTotal = -1;
    bool chunked = false;
    QString validator; // ETag, else Last-Modified
    QString lastModified;
};

ResumableDownload::ResumableDownload(QObject* parent) : QObject(parent) {}

ResumableDownload::~ResumableDownload() = default;

QString ResumableDownload::UrlHost(const QString& url) {
    const QString s = stripScheme(url);
    const int slash = s.indexOf(QLatin1Char('/'));
    return slash < 0 ? s : s.left(slash);
}

QString ResumableDownload::UrlPath(const QString& url) {
    const QString s = stripScheme(url);
    const int slash = s.indexOf(QLatin1Char('/'));
    return slash < 0 ? s : s.mid(slash + 1);
}

QString ResumableDownload::UrlHostName(const QString& url) {
    const QString host = UrlHost(url);
    if (host.startsWith(QLatin1Char('['))) {
        const int close = host.indexOf(QLatin1Char(']'));
        return close < 0 ? host.mid(1) : host.mid(1, close - 1);
    }
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    return colon < 0 ? host : host.left(colon);
}

bool ResumableDownload::UrlIsHttps(const QString& url) {
    return url.trimmed().startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

quint16 ResumableDownload::UrlPort(const QString& url) {
    const QString host = UrlHost(url);
    const int close = host.startsWith(QLatin1Char('[')) ? host.indexOf(QLatin1Char(']')) : -1;
    const int colon = host.indexOf(QLatin1Char(':'), close < 0 ? 0 : close);
    if (colon < 0)
        return UrlIsHttps(url) ? 443 : 80;
    bool ok = false;
    const uint port = host.mid(colon + 1).toUInt(&ok);
    return ok && port > 0 && port <= 65535 ? quint16(port) : 0;
}

QByteArray ResumableDownload::headRequest(const QString& path, const QString& host) {
    return "HEAD /" + requestTarget(path) + " HTTP/1.1" + CrLf + "Pragma: no-cache" + CrLf +
           "Cache-Control: no-cache" + CrLf + "User-Agent: " + UserAgent + CrLf + "Host: " + host.toUtf8() +
           CrLf + CrLf;
}

QByteArray ResumableDownload::rangedGetRequest(const QString& path, const QString& host, qint64 offset) {
    return "GET /" + requestTarget(path) + " HTTP/1.1" + CrLf +
           "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*" + CrLf +
           "User-Agent: " + UserAgent + CrLf + "RANGE: bytes=" + QByteArray::number(offset) + "-" + CrLf +
           "Host: " + host.toUtf8() + CrLf + CrLf;
}

QString ResumableDownload::groupedNumber(qint64 value) {
    if (value == 0)
        return {};
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return c.toString(value);
}

QString ResumableDownload::progressText(qint64 announced, qint64 received) {
    return QStringLiteral("共 ") + groupedNumber(announced) + QStringLiteral(" 字节，已下载 ") +
           groupedNumber(received) + QStringLiteral(" 字节");
}

void ResumableDownload::pump() {
    if (m_pump)
        m_pump();
    if (m_cancelRequested)
        throw Cancelled{};
}

std::unique_ptr<QTcpSocket> ResumableDownload::connectSocket(const QString& url) {
    const quint16 port = UrlPort(url);
    const QString host = UrlHostName(url);
    if (port == 0 || host.isEmpty())
        throw ConnectionFailure(QStringLiteral("地址无效"));
    const QDeadlineTimer deadline(m_connectTimeout);
    if (!UrlIsHttps(url)) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(host, port);
        while (!socket->waitForConnected(WaitSlice)) {
            if (socket->state() == QAbstractSocket::UnconnectedState)
                throw ConnectionFailure(socket->errorString());
            if (deadline.hasExpired())
                throw ConnectionFailure(QStringLiteral("连接超时"));
            pump();
        }
        return socket;
    }
    // Certificates are checked against the system's store; any error ends the handshake.
    auto tls = std::make_unique<QSslSocket>();
    tls->connectToHostEncrypted(host, port);
    while (!tls->waitForEncrypted(WaitSlice)) {
        if (tls->state() == QAbstractSocket::UnconnectedState) {
            QStringList why;
            for (const QSslError& e : tls->sslHandshakeErrors())
                why << e.errorString();
            throw ConnectionFailure(why.isEmpty() ? tls->errorString() : why.join(QStringLiteral("; ")));
        }
        if (deadline.hasExpired())
            throw ConnectionFailure(QStringLiteral("连接超时"));
        pump();
    }
    return tls;
}

void ResumableDownload::sendRequest(QTcpSocket& socket, const QByteArray& request) {
    if (socket.write(request) != request.size())
        throw ConnectionFailure(socket.errorString());
    const QDeadlineTimer deadline(m_headerTimeout);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(WaitSlice) && socket.state() != QAbstractSocket::ConnectedState)
            throw ConnectionFailure(socket.errorString());
        if (deadline.hasExpired())
            throw ConnectionFailure(QStringLiteral("发送超时"));
        pump();
    }
}

bool ResumableDownload::waitReadable(QTcpSocket& socket, const QDeadlineTimer& deadline) {
    while (socket.bytesAvailable() == 0) {
        if (socket.state() != QAbstractSocket::ConnectedState || deadline.hasExpired())
            return false;
        if (!socket.waitForReadyRead(int(qBound(qint64(0), deadline.remainingTime(), qint64(WaitSlice)))))
            pump();
    }
    return true;
}

QByteArray ResumableDownload::readLine(QTcpSocket& socket, const QDeadlineTimer& deadline) {
    QByteArray line;
    while (!line.endsWith(CrLf)) {
        if (line.size() >= MaxHeaderLine)
            throw Refusal(QStringLiteral("服务器应答头过长，取消下载"));
        if (!waitReadable(socket, deadline))
            throw ConnectionFailure(deadline.hasExpired() ? QStringLiteral("服务器应答超时")
                                                          : QStringLiteral("服务器中途断开连接"));
        // Whole lines where the data is there, one byte at a time otherwise; never past the limit.
        const qint64 room = MaxHeaderLine - line.size();
        const QByteArray got = socket.canReadLine() ? socket.readLine(room + 1) : socket.read(1);
        line += got;
    }
    return line;
}

ResumableDownload::Response ResumableDownload::readResponse(QTcpSocket& socket) {
    // The whole header block has one wait, so a server dripping lines cannot hold the window.
    const QDeadlineTimer deadline(m_headerTimeout);
    Response r;
    const QByteArray status = readLine(socket, deadline);
    const QList<QByteArray> parts = status.trimmed().split(' ');
    if (parts.size() < 2 || !parts[0].startsWith("HTTP/1.") || decimal(parts[1]) < 100 ||
        decimal(parts[1]) > 999)
        throw Refusal(QStringLiteral("服务器应答不是HTTP，取消下载"));
    r.status = int(decimal(parts[1]));
    for (int lines = 0;; ++lines) {
        if (lines >= MaxHeaderLines)
            throw Refusal(QStringLiteral("服务器应答头过多，取消下载"));
        const QByteArray line = readLine(socket, deadline);
        if (line == CrLf)
            break;
        const int colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            r.contentLength = decimal(value);
            if (r.contentLength < 0)
                throw Refusal(QStringLiteral("服务器标识长度不是数字，取消下载"));
        } else if (name == "content-range") {
            r.contentRange = true;
            // "bytes first-last/total" or "bytes */total"; anything else cannot be checked.
            const int slash = value.indexOf('/');
            if (value.startsWith("bytes ") && slash > 0) {
                r.rangeTotal = decimal(value.mid(slash + 1));
                const QByteArray span = value.mid(6, slash - 6).trimmed();
                const int dash = span.indexOf('-');
                if (dash > 0) {
                    r.rangeFirst = decimal(span.left(dash));
                    r.rangeLast = decimal(span.mid(dash + 1));
                }
            }
        } else if (name == "transfer-encoding") {
            r.chunked = value.toLower() != "identity";
        } else if (name == "etag") {
            r.validator = QString::fromLatin1(value);
        } else if (name == "last-modified") {
            r.lastModified = QString::fromLatin1(value);
        }
    }
    if (r.validator.isEmpty())
        r.validator = r.lastModified;
    return r;
}

bool ResumableDownload::DownloadFile(const QString& url, const QString& localFile,
                                     const ReleaseFile& release) {
    m_rangeAccepted = false;
    m_cancelRequested = false;
    m_remotePath = UrlPath(url);
    m_remoteHost = UrlHost(url);
    QFile file(localFile);
    // Bytes that may belong to another release or were placed wrongly go, record and all.
    const auto restart = [&] {
        file.resize(0);
        file.seek(0);
        ResumeRecord::remove(localFile);
        m_resumeOffset = 0;
    };
    bool result = false;
    try {
        // Opening read-write creates a missing file and keeps an existing one as it is.
        if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
            throw Refusal(QStringLiteral("本地文件无法写入，取消下载"));
        m_resumeOffset = file.size();

        std::unique_ptr<QTcpSocket> socket = connectSocket(url);
        sendRequest(*socket, headRequest(m_remotePath, m_remoteHost));
        const Response head = readResponse(*socket);
        socket.reset();
        if (head.status >= 300 && head.status < 400)
            throw Refusal(QStringLiteral("服务器要求转向其他地址，不予跟随，取消下载"));
        if (head.status != 200)
            throw Refusal(QStringLiteral("服务器应答 %1，取消下载").arg(head.status));
        qint64 total = head.contentLength;
        if (total == 0)
            throw Refusal(QStringLiteral("服务器标识长度为0，取消下载"));
        const auto checkTotal = [&] {
            if (release.size >= 0 && total != release.size) {
                restart();
                throw Refusal(QStringLiteral("服务器文件长度与升级信息不符，取消下载"));
            }
            const QStorageInfo disk(QFileInfo(localFile).absolutePath());
            if (disk.isValid() && disk.bytesAvailable() >= 0 &&
                total - m_resumeOffset > disk.bytesAvailable())
                throw Refusal(QStringLiteral("磁盘空间不足，取消下载"));
        };

        // Continue only a copy of this very release; anything else starts from zero.
        const ResumeRecord now{release.datetime.simplified(), total, head.validator};
        if (m_resumeOffset > 0 &&
            (ResumeRecord::read(localFile) != now || (total > 0 && m_resumeOffset > total)))
            restart();
        if (total > 0)
            checkTotal();
        if (!ResumeRecord::write(localFile, now))
            throw Refusal(QStringLiteral("本地文件无法写入，取消下载"));
        if (!file.seek(m_resumeOffset))
            throw Refusal(QStringLiteral("本地文件无法写入，取消下载"));

        socket = connectSocket(url);
        sendRequest(*socket, rangedGetRequest(m_remotePath, m_remoteHost, m_resumeOffset));
        const Response ranged = readResponse(*socket);
        m_rangeAccepted = ranged.contentRange;
        if (ranged.status >= 300 && ranged.status < 400)
            throw Refusal(QStringLiteral("服务器要求转向其他地址，不予跟随，取消下载"));
        const bool hashing = !release.sha256.isEmpty();
        FileDigest digest;
        const bool alreadyWhole = ranged.status == 416 && m_resumeOffset > 0 &&
                                  ranged.rangeTotal == m_resumeOffset &&
                                  (total < 0 || total == m_resumeOffset);
        if (!alreadyWhole) {
            if (total < 0 && ranged.rangeTotal > 0) {
                // Without a length of its own the HEAD answer leaves it to the ranged one.
                total = ranged.rangeTotal;
                checkTotal();
            }
            // The answer must carry exactly the bytes from the copy's end to the file's end.
            const bool continues =
                ranged.status == 206 && !ranged.chunked && total > 0 && ranged.rangeFirst == m_resumeOffset &&
                ranged.rangeTotal == total && ranged.rangeLast == total - 1 &&
                (ranged.contentLength < 0 || ranged.contentLength == total - m_resumeOffset);
            if (!continues) {
                restart();
                throw Refusal(QStringLiteral("服务器应答与本地文件不衔接，下次从头下载"));
            }
            const qint64 announced = total - m_resumeOffset;
            qint64 received = 0;
            // The hash grows with the copy, so checking it costs no second reading of the file.
            if (hashing && !digest.addFile(localFile, m_resumeOffset))
                throw Refusal(QStringLiteral("本地文件无法读取，取消下载"));
            QByteArray block(BlockSize, Qt::Uninitialized);
            char* buffer = block.data();
            while (received < announced) {
                if (socket->bytesAvailable() == 0 && !waitReadable(*socket, QDeadlineTimer(m_bodyTimeout)))
                    throw ConnectionFailure(QStringLiteral("服务器中途断开连接"));
                const qint64 n = socket->read(buffer, qMin(BlockSize, announced - received));
                if (n < 0)
                    throw ConnectionFailure(socket->errorString());
                if (n > 0 && file.write(buffer, n) != n)
                    throw Refusal(QStringLiteral("本地文件无法写入，取消下载"));
                if (hashing)
                    digest.add(buffer, n);
                received += n;
                emit progress(announced, received);
                pump();
            }
        }
        emit logLine(localFile + QStringLiteral("文件下载完成"));
        // A copy that was already whole is hashed from the disk.
        const QByteArray got = !hashing       ? QByteArray()
                               : alreadyWhole ? FileDigest::sha256Hex(localFile)
                                              : digest.hex();
        if (hashing && got.compare(release.sha256.trimmed(), Qt::CaseInsensitive) != 0) {
            restart();
            throw Refusal(QStringLiteral("文件校验不符，已删除下载的副本"));
        }
        result = true;
    } catch (const ConnectionFailure& f) {
        if (!f.reason.isEmpty())
            emit logLine(m_remotePath + QStringLiteral("：") + f.reason);
        emit logLine(m_remotePath + QStringLiteral("服务器连接失败，取消下载"));
    } catch (const Refusal& r) {
        emit logLine(m_remotePath + r.reason);
    } catch (const Cancelled&) {
        // The button logs the interrupt itself.
    }
    file.close();
    return result;
}

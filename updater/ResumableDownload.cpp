#include "ResumableDownload.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocale>
#include <QTcpSocket>

#include <stdexcept>

namespace {
const QByteArray CrLf = "\r\n";
const QByteArray UserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.0.3705)";
constexpr qint64 BlockSize = 4096;

// Anything that ends the download as a failed connection.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

QString stripScheme(const QString& url) {
    QString s = url.trimmed();
    if (s.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        s.remove(0, 7);
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

bool startsWithNoCase(const QByteArray& line, const char* prefix) {
    const QByteArray p(prefix);
    return line.size() >= p.size() && qstrnicmp(line.constData(), p.constData(), p.size()) == 0;
}
} // namespace

ResumableDownload::ResumableDownload(QObject* parent) : QObject(parent) {}

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

quint16 ResumableDownload::UrlPort(const QString& url) {
    const QString host = UrlHost(url);
    const int close = host.startsWith(QLatin1Char('[')) ? host.indexOf(QLatin1Char(']')) : -1;
    const int colon = host.indexOf(QLatin1Char(':'), close < 0 ? 0 : close);
    if (colon < 0)
        return 80;
    bool ok = false;
    const uint port = host.mid(colon + 1).toUInt(&ok);
    return ok && port > 0 && port <= 65535 ? quint16(port) : 0;
}

QByteArray ResumableDownload::ReadHeaderLine(QTcpSocket& socket, int waitMs, const QByteArray& terminator) {
    QByteArray line;
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (socket.bytesAvailable() == 0) {
            if (socket.state() != QAbstractSocket::ConnectedState)
                return {};
            if (!socket.waitForReadyRead(int(qMax<qint64>(deadline.remainingTime(), 0))) &&
                socket.bytesAvailable() == 0)
                return {};
        }
        char ch = 0;
        if (!socket.getChar(&ch))
            return {};
        line += ch;
        if (line.endsWith(terminator))
            return line;
        if (deadline.hasExpired())
            return {};
    }
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

void ResumableDownload::connectSocket(QTcpSocket& socket, const QString& url) const {
    socket.abort();
    const quint16 port = UrlPort(url);
    const QString host = UrlHostName(url);
    if (port == 0 || host.isEmpty())
        throw Failure("bad address");
    socket.connectToHost(host, port);
    if (!socket.waitForConnected(m_connectTimeout))
        throw Failure("no connection");
}

void ResumableDownload::sendRequest(QTcpSocket& socket, const QByteArray& request) const {
    if (socket.write(request) != request.size())
        throw Failure("cannot send");
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(m_headerTimeout))
            throw Failure("cannot send");
}

ResumableDownload::Headers ResumableDownload::readHeaders(QTcpSocket& socket) const {
    Headers h;
    while (!m_cancelRequested) {
        const QByteArray line = ReadHeaderLine(socket, m_headerTimeout, CrLf);
        // A line that never ended: the server closed or went silent inside the header block.
        if (line.isEmpty())
            throw Failure("header block cut off");
        if (line == CrLf)
            break;
        if (startsWithNoCase(line, "Content-Length: ")) {
            bool ok = false;
            const qint64 v = line.mid(16).trimmed().toLongLong(&ok);
            if (!ok || v < 0)
                throw Failure("bad length");
            h.contentLength = v;
        } else if (startsWithNoCase(line, "Content-Range:")) {
            h.contentRange = true;
        }
    }
    return h;
}

bool ResumableDownload::waitForData(QTcpSocket& socket) const {
    if (socket.bytesAvailable() > 0)
        return true;
    if (socket.state() != QAbstractSocket::ConnectedState)
        return false;
    return socket.waitForReadyRead(m_bodyTimeout) || socket.bytesAvailable() > 0;
}

bool ResumableDownload::DownloadFile(const QString& url, const QString& localFile) {
    m_rangeAccepted = false;
    m_cancelRequested = false;
    m_remotePath = UrlPath(url);
    m_remoteHost = UrlHost(url);
    bool result = false;
    QFile file(localFile);
    QTcpSocket socket;
    try {
        // Opening read-write creates a missing file and keeps an existing one as it is.
        if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
            throw Failure("cannot open the local file");
        m_resumeOffset = file.size();
        if (!file.seek(m_resumeOffset))
            throw Failure("cannot position the local file");

        connectSocket(socket, url);
        sendRequest(socket, headRequest(m_remotePath, m_remoteHost));
        const Headers head = readHeaders(socket);

        connectSocket(socket, url);
        sendRequest(socket, rangedGetRequest(m_remotePath, m_remoteHost, m_resumeOffset));
        const Headers ranged = readHeaders(socket);
        m_rangeAccepted = ranged.contentRange;

        // Without a length of its own the ranged answer carries the rest of the file.
        qint64 total = head.contentLength;
        qint64 announced = ranged.contentLength;
        if (total < 0 && announced >= 0)
            total = m_resumeOffset + announced;
        if (m_rangeAccepted && total < 0)
            throw Failure("no length"); // no way to tell when the file is complete
        if (announced < 0)
            announced = total - m_resumeOffset;

        qint64 received = 0;
        qint64 localSize = m_resumeOffset;
        char buffer[BlockSize];
        while (!m_cancelRequested && m_rangeAccepted) {
            if (localSize >= total) {
                emit logLine(localFile + QStringLiteral("文件下载完成"));
                result = true;
                break;
            }
            if (announced <= received) {
                emit logLine(m_remotePath + QStringLiteral("实际收到文件长度大于服务器标识长度，跳过下载"));
                result = true;
                break;
            }
            // An answer carrying exactly the rest of the file is a normal resume from half way,
            // not a file already as long as the server's.
            if (announced == m_resumeOffset && m_resumeOffset + announced != total) {
                emit logLine(m_remotePath + QStringLiteral("当前长度大于服务器标识长度，跳过下载"));
                result = true;
                break;
            }
            // A server that closes or goes silent before the end fails this attempt; what
            // arrived stays for the next resume.
            if (!waitForData(socket))
                throw Failure("body cut off");
            const qint64 n = socket.read(buffer, BlockSize);
            if (n < 0)
                throw Failure("receive failed");
            if (n > 0 && file.write(buffer, n) != n)
                throw Failure("cannot write the local file");
            received += n;
            localSize += n;
            emit progress(announced, received);
            if (m_pump)
                m_pump();
        }
    } catch (const Failure&) {
        result = false;
        emit logLine(m_remotePath + QStringLiteral("服务器连接失败，取消下载"));
    }
    file.close();
    socket.abort();
    return result;
}

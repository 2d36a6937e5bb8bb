#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// The plain GET of the update list (and its signature), waited on before the call returns. The
// wait handles window messages, so the interrupt button and closing the window get through; it
// is bounded in time and size, and a redirect is a failure rather than followed.
class UpdateListFetcher {
public:
    // A failed fetch; cancelled is set when the user interrupted it.
    struct Failure : std::exception {
        Failure(const QString& why, bool byUser) : reason(why), cancelled(byUser) {}
        const char* what() const noexcept override { return "update list fetch failed"; }
        QString reason;
        bool cancelled;
    };

    UpdateListFetcher();
    ~UpdateListFetcher();

    // The body of the URL, at most maxBytes long; throws Failure on any failure, an HTTP error
    // status, a redirect, an over-long or endless body included.
    QByteArray get(const QString& url, qint64 maxBytes = MaxListBytes);
    // Stores text, followed by one line break, replacing an earlier copy only when the new one is
    // complete. The folder is made when it is missing. Throws Failure.
    static void save(const QByteArray& text, const QString& path);
    void fetchTo(const QString& url, const QString& path) { save(get(url), path); }

    // True from a successful request until disconnect(): the kept-alive connection to the server.
    bool connected() const { return m_connected; }
    void disconnect();
    // Ends the request in hand; get() then throws a cancelled Failure.
    void cancel();
    bool busy() const { return m_reply != nullptr; }

    // Wait for the next data, and for the whole answer.
    void setTimeout(int ms) { m_timeout = ms; }
    void setTotalTimeout(int ms) { m_totalTimeout = ms; }

    static constexpr qint64 MaxListBytes = 1 << 20;

private:
    std::unique_ptr<QNetworkAccessManager> m_manager;
    QNetworkReply* m_reply = nullptr;
    bool m_connected = false;
    bool m_cancelled = false;
    int m_timeout = 30000;
    int m_totalTimeout = 120000;
};

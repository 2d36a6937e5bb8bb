#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QNetworkAccessManager;

// The plain GET of the update list, waited on before the call returns. The window takes no
// clicks meanwhile, as the list is small and the step cannot be half done.
class UpdateListFetcher {
public:
    UpdateListFetcher();
    ~UpdateListFetcher();

    // The body of the URL; throws std::runtime_error on any failure, an HTTP error status included.
    QByteArray get(const QString& url);
    // Fetches the list and stores it, followed by one line break, replacing an earlier copy only
    // when the new one is complete. The folder is made when it is missing.
    void fetchTo(const QString& url, const QString& path);

    // True from a successful request until disconnect(): the kept-alive connection to the server.
    bool connected() const { return m_connected; }
    void disconnect();

    void setTimeout(int ms) { m_timeout = ms; }

private:
    std::unique_ptr<QNetworkAccessManager> m_manager;
    bool m_connected = false;
    int m_timeout = 30000;
};

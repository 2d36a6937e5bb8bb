#include "UpdateListFetcher.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QUrl>

#include <stdexcept>

UpdateListFetcher::UpdateListFetcher() : m_manager(std::make_unique<QNetworkAccessManager>()) {
    m_manager->setProxy(QNetworkProxy::NoProxy);
}

UpdateListFetcher::~UpdateListFetcher() = default;

QByteArray UpdateListFetcher::get(const QString& url) {
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Accept", "text/html, */*");
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/html"));
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
    request.setTransferTimeout(m_timeout);

    std::unique_ptr<QNetworkReply> reply(m_manager->get(request));
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // The wait can end early when the program is asked to quit meanwhile.
    if (!reply->isFinished()) {
        reply->abort();
        throw std::runtime_error("request not finished");
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError)
        throw std::runtime_error(reply->errorString().toStdString());
    if (status >= 400)
        throw std::runtime_error("HTTP status " + std::to_string(status));
    m_connected = true;
    return reply->readAll();
}

void UpdateListFetcher::fetchTo(const QString& url, const QString& path) {
    const QByteArray body = get(url);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(body + "\n") != body.size() + 1 || !file.commit())
        throw std::runtime_error(("cannot write " + path).toStdString());
}

void UpdateListFetcher::disconnect() {
    m_manager->clearConnectionCache();
    m_connected = false;
}

#include "UpdateListFetcher.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

UpdateListFetcher::UpdateListFetcher() : m_manager(std::make_unique<QNetworkAccessManager>()) {
    m_manager->setProxy(QNetworkProxy::NoProxy);
}

UpdateListFetcher::~UpdateListFetcher() = default;

QByteArray UpdateListFetcher::get(const QString& url, qint64 maxBytes) {
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Accept", "text/html, */*");
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/html"));
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
    request.setTransferTimeout(m_timeout);
    // A server that sends us elsewhere is not the one the user chose.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);

    m_cancelled = false;
    std::unique_ptr<QNetworkReply> reply(m_manager->get(request));
    m_reply = reply.get();
    QString tooMuch;
    QEventLoop loop;
    QTimer whole;
    whole.setSingleShot(true);
    QObject::connect(&whole, &QTimer::timeout, &loop, [&] {
        tooMuch = QStringLiteral("服务器应答超时");
        reply->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
        if (received > maxBytes && tooMuch.isEmpty()) {
            tooMuch = QStringLiteral("升级信息过大");
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        whole.start(m_totalTimeout);
        loop.exec();
    }
    m_reply = nullptr;
    // The wait can end early when the program is asked to quit meanwhile.
    if (!reply->isFinished())
        reply->abort();
    if (m_cancelled)
        throw Failure(QStringLiteral("已中断"), true);
    if (!tooMuch.isEmpty())
        throw Failure(tooMuch, false);
    if (reply->error() != QNetworkReply::NoError)
        throw Failure(reply->errorString(), false);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 200)
        throw Failure(QStringLiteral("服务器应答 %1").arg(status), false);
    m_connected = true;
    const QByteArray body = reply->readAll();
    if (body.size() > maxBytes)
        throw Failure(QStringLiteral("升级信息过大"), false);
    return body;
}

void UpdateListFetcher::save(const QByteArray& text, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text + "\n") != text.size() + 1 || !file.commit())
        throw Failure(QStringLiteral("无法写入 ") + path, false);
}

void UpdateListFetcher::cancel() {
    if (!m_reply)
        return;
    m_cancelled = true;
    m_reply->abort();
}

void UpdateListFetcher::disconnect() {
    cancel();
    m_manager->clearConnectionCache();
    m_connected = false;
}

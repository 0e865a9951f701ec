#include "output/HttpFetch.h"

#include <QEventLoop>
#include <QIODevice>
#include <QNetworkReply>
#include <QNetworkRequest>

HttpFetch::HttpFetch(int idleTimeoutMs) : m_idleTimeoutMs(idleTimeoutMs) {}

HttpReply HttpFetch::head(const QUrl &url)
{
    return run(url, true, nullptr, {});
}

HttpReply HttpFetch::get(const QUrl &url, QIODevice &out, const std::function<bool(qint64, qint64)> &block)
{
    return run(url, false, &out, block);
}

namespace
{
void readHeaders(QNetworkReply *reply, HttpReply &r)
{
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    r.contentLength = length.isValid() ? length.toLongLong() : -1;
    r.lastModified = reply->header(QNetworkRequest::LastModifiedHeader).toDateTime();
    r.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
}
} // namespace

HttpReply HttpFetch::run(const QUrl &url, bool headOnly, QIODevice *out,
                         const std::function<bool(qint64, qint64)> &block)
{
    HttpReply r;
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        r.error = QStringLiteral("'%1' is not an http or https address.").arg(url.toString());
        return r;
    }
    QNetworkRequest request(url);
    request.setRawHeader("Accept", "text/html, */*");
    request.setRawHeader("User-Agent", "Quorvane");
    // The body as stored, so that its length can be checked against the content length.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    request.setTransferTimeout(m_idleTimeoutMs);

    QNetworkReply *reply = headOnly ? m_manager.head(request) : m_manager.get(request);
    QEventLoop loop;
    bool writeFailed = false;
    auto drain = [&] {
        if (!out || r.cancelled || writeFailed)
            return;
        if (r.received == 0 && r.status == 0)
            readHeaders(reply, r);
        while (reply->bytesAvailable() > 0) {
            const QByteArray chunk = reply->read(BlockSize);
            if (out->write(chunk) != chunk.size()) {
                writeFailed = true;
                r.error =
                    QStringLiteral("The downloaded file could not be written: %1").arg(out->errorString());
                reply->abort();
                return;
            }
            r.received += chunk.size();
            if (block && !block(r.received, r.contentLength)) {
                r.cancelled = true;
                reply->abort();
                return;
            }
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(); // user input too: a window's Cancel button must reach the run
    drain();
    readHeaders(reply, r);
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    reply->deleteLater();

    if (r.cancelled) {
        r.error = QStringLiteral("Cancelled.");
        return r;
    }
    if (writeFailed)
        return r;
    if (error != QNetworkReply::NoError) {
        r.error = error == QNetworkReply::OperationCanceledError
                      ? QStringLiteral("No data came for %1 seconds.").arg(m_idleTimeoutMs / 1000.0)
                      : errorText;
        return r;
    }
    if (r.status < 200 || r.status > 299) {
        r.error = QStringLiteral("The server answered %1.").arg(r.status);
        return r;
    }
    if (!headOnly && r.contentLength >= 0 && r.received != r.contentLength) {
        r.error = QStringLiteral("Only %1 of %2 bytes came.").arg(r.received).arg(r.contentLength);
        return r;
    }
    r.ok = true;
    return r;
}

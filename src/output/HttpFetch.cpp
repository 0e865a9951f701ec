#include "output/HttpFetch.h"

#include "output/ServerText.h"

#include <QEventLoop>
#include <QIODevice>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <chrono>
#include <limits>

HttpFetch::HttpFetch(int idleTimeoutMs) : m_idleTimeoutMs(idleTimeoutMs) {}

HttpReply HttpFetch::head(const QUrl &url, const FetchBudget &budget)
{
    return run(url, true, nullptr, budget, {});
}

HttpReply HttpFetch::get(const QUrl &url, QIODevice &out, const FetchBudget &budget,
                         const std::function<bool(qint64, qint64)> &block)
{
    return run(url, false, &out, budget, block);
}

namespace
{
// What Qt Network may hold of a body that has come but is not yet read: a fast server cannot fill the
// memory while a block is being written.
constexpr qint64 ReadBufferSize = 256 * 1024;

void readHeaders(QNetworkReply *reply, HttpReply &r)
{
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    r.contentLength = length.isValid() ? length.toLongLong() : -1;
    r.lastModified = reply->header(QNetworkRequest::LastModifiedHeader).toDateTime();
    r.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
}
} // namespace

HttpReply HttpFetch::run(const QUrl &url, bool headOnly, QIODevice *out, const FetchBudget &budget,
                         const std::function<bool(qint64, qint64)> &block)
{
    HttpReply r;
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        r.error = QStringLiteral("'%1' is not an http or https address.").arg(url.toString());
        return r;
    }
    if (budget.deadline.hasExpired()) {
        r.error = DownloadLimits::deadlineText(budget.limit);
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
    reply->setReadBufferSize(ReadBufferSize);
    QEventLoop loop;
    QString stopped; // why this side ended the transfer
    auto stop = [&](const QString &why) {
        stopped = why;
        reply->abort();
    };
    auto refuseByLength = [&] {
        readHeaders(reply, r);
        if (!headOnly && r.contentLength > budget.limit.maxBytes)
            stop(DownloadLimits::tooLargeText(budget.limit));
    };
    auto drain = [&] {
        if (!out || r.cancelled || !stopped.isEmpty())
            return;
        if (r.received == 0 && r.status == 0)
            readHeaders(reply, r);
        while (reply->bytesAvailable() > 0) {
            const QByteArray chunk = reply->read(BlockSize);
            // A body without a length, or longer than it said, stops at the limit.
            if (r.received + chunk.size() > budget.limit.maxBytes) {
                stop(DownloadLimits::tooLargeText(budget.limit));
                return;
            }
            if (out->write(chunk) != chunk.size()) {
                stop(QStringLiteral("The downloaded file could not be written: %1").arg(out->errorString()));
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
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop,
                     [&] { stop(DownloadLimits::deadlineText(budget.limit)); });
    if (!budget.deadline.isForever())
        deadline.start(std::chrono::milliseconds(
            std::min<qint64>(budget.deadline.remainingTime(), std::numeric_limits<int>::max())));
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, refuseByLength);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(); // user input too: a window's Cancel button must reach the run
    deadline.stop();
    drain();
    readHeaders(reply, r);
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    reply->deleteLater();

    if (r.cancelled) {
        r.error = QStringLiteral("Cancelled.");
        return r;
    }
    if (!stopped.isEmpty()) {
        r.error = stopped;
        return r;
    }
    if (error != QNetworkReply::NoError) {
        // Qt's text quotes the server's reason phrase as it came.
        r.error = error == QNetworkReply::OperationCanceledError
                      ? QStringLiteral("No data came for %1 seconds.").arg(m_idleTimeoutMs / 1000.0)
                      : ServerText::escaped(errorText);
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

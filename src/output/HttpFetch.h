#pragma once
// A small blocking HTTP client on Qt Network for the downloads: HEAD for the headers, GET written block
// by block into a device.  It runs a local event loop, so it works in the desktop program and in the
// command-line companion alike.  Redirects are followed (never from HTTPS to HTTP), a request that
// receives nothing for the idle timeout fails, and each file keeps to its budget: a body larger than
// its limit is refused (by its Content-Length before any of it is read, else as soon as it grows past
// it) and the transfer stops; the requests for one file end by one deadline.

#include "output/DownloadLimits.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>
#include <functional>

class QIODevice;

struct HttpReply {
    bool ok = false;
    int status = 0;            // HTTP status of the last response, 0 when none came
    qint64 contentLength = -1; // -1 when the server sent none
    QDateTime lastModified;    // invalid when the server sent none
    QString contentType;
    qint64 received = 0; // body bytes written (GET)
    bool cancelled = false;
    QString error; // why it failed, for the user; what the server said in it is escaped
};

// What one file may take: a body of at most limit.maxBytes, and every request for it (HEAD, then GET)
// ended by one deadline that runs from when the budget is made.
struct FetchBudget {
    explicit FetchBudget(DownloadLimits::Kind kind)
        : limit(DownloadLimits::limit(kind)), deadline(limit.deadlineMs)
    {
    }
    DownloadLimits::Limit limit;
    QDeadlineTimer deadline;
};

class HttpFetch
{
public:
    static constexpr qint64 BlockSize = 1024;

    explicit HttpFetch(int idleTimeoutMs = DownloadLimits::IdleTimeoutMs);

    HttpReply head(const QUrl &url, const FetchBudget &budget);
    // Writes the body to out in blocks of BlockSize bytes.  block(received, contentLength) is told after
    // every block and returns false to cancel.  A body shorter than its content length fails.
    HttpReply get(const QUrl &url, QIODevice &out, const FetchBudget &budget,
                  const std::function<bool(qint64, qint64)> &block = {});

private:
    HttpReply run(const QUrl &url, bool headOnly, QIODevice *out, const FetchBudget &budget,
                  const std::function<bool(qint64, qint64)> &block);
    QNetworkAccessManager m_manager;
    int m_idleTimeoutMs;
};

#pragma once
// A small blocking HTTP client on Qt Network for the downloads: HEAD for the headers, GET written block
// by block into a device.  It runs a local event loop, so it works in the desktop program and in the
// command-line companion alike.  Redirects are followed (never from HTTPS to HTTP), and a request that
// receives nothing for the idle timeout fails.

#include <QDateTime>
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
    QString error; // why it failed, for the user
};

class HttpFetch
{
public:
    static constexpr int DefaultIdleTimeoutMs = 30000;
    static constexpr qint64 BlockSize = 1024;

    explicit HttpFetch(int idleTimeoutMs = DefaultIdleTimeoutMs);

    HttpReply head(const QUrl &url);
    // Writes the body to out in blocks of BlockSize bytes.  block(received, contentLength) is told after
    // every block and returns false to cancel.  A body shorter than its content length fails.
    HttpReply get(const QUrl &url, QIODevice &out, const std::function<bool(qint64, qint64)> &block = {});

private:
    HttpReply run(const QUrl &url, bool headOnly, QIODevice *out,
                  const std::function<bool(qint64, qint64)> &block);
    QNetworkAccessManager m_manager;
    int m_idleTimeoutMs;
};

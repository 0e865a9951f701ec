#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the download tests, running in a thread of its own so that
// it answers both a blocking client in the test and a command-line companion started as a process.
// Each path has a body and a fault to act out on request, among them the hostile ones: a body far too
// large (made up as it is sent, so the server holds none of it), a body without a length, and a server
// that trickles one byte at a time with pauses shorter than any idle timeout.

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QUrl>

class TestHttpServer
{
public:
    enum class Fault {
        None,
        NotFound,       // 404 with a small page
        ServerError,    // 500
        ShortBody,      // a content length larger than the body, then the connection closes
        DropMidBody,    // half the body, then the connection is reset
        SlowBody,       // the body in small pieces with pauses, complete in the end
        Stall,          // half the body, then silence for longer than a short client timeout
        Redirect,       // 302 to redirectTo
        NoLastModified, // the body without a Last-Modified header
        HtmlPage,       // 200 with an HTML error page instead of the body
        NoLength,       // the body without a Content-Length, ended by closing the connection
        Huge,           // size bytes made up as they are sent, with their Content-Length
        HugeNoLength,   // the same without a Content-Length
        Trickle,        // the headers at once, then the body one byte every pauseMs
        TrickleAll,     // the whole answer, status line and headers too, one byte every pauseMs
    };
    struct Route {
        // Dated yesterday unless told; an invalid date sends no Last-Modified header.
        Route(QByteArray body_ = {}, QDateTime lastModified_ = QDateTime::currentDateTimeUtc().addDays(-1),
              Fault fault_ = Fault::None, QString redirectTo_ = {})
            : body(std::move(body_)), lastModified(std::move(lastModified_)), fault(fault_),
              redirectTo(std::move(redirectTo_))
        {
        }
        QByteArray body;
        QDateTime lastModified;
        Fault fault;
        QString redirectTo; // a path on this server
        qint64 size = 0;    // of a Huge body
        int pauseMs = 2000; // between the bytes of a trickle
    };

    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer &) = delete;
    TestHttpServer &operator=(const TestHttpServer &) = delete;

    void setRoute(const QString &path, const Route &route);
    QUrl baseUrl() const; // http://127.0.0.1:PORT/
    // How many GET requests reached path.
    int gets(const QString &path) const;
    // How many body bytes the GET requests of path handed to their connections.
    qint64 sent(const QString &path) const;

private:
    friend class TestHttpWorker;
    struct Shared {
        mutable QMutex mutex;
        QHash<QString, Route> routes;
        QHash<QString, int> gets;
        QHash<QString, qint64> sent;
    };
    Shared m_shared;
    QThread m_thread;
    quint16 m_port = 0;
};

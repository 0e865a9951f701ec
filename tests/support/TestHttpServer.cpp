#include "support/TestHttpServer.h"

#include <QLocale>
#include <QMutexLocker>
#include <QPointer>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace
{
QByteArray httpDate(const QDateTime &t)
{
    return QLocale::c().toString(t.toUTC(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'")).toLatin1();
}

QByteArray statusLine(int status)
{
    switch (status) {
    case 200:
        return "HTTP/1.1 200 OK\r\n";
    case 302:
        return "HTTP/1.1 302 Found\r\n";
    case 404:
        return "HTTP/1.1 404 Not Found\r\n";
    default:
        return "HTTP/1.1 500 Internal Server Error\r\n";
    }
}
} // namespace

class TestHttpWorker : public QObject
{
public:
    TestHttpWorker(TestHttpServer::Shared &shared) : m_shared(shared) {}

    quint16 listen()
    {
        m_server = new QTcpServer(this);
        m_server->listen(QHostAddress::LocalHost, 0);
        QObject::connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server->nextPendingConnection())
                serve(s);
        });
        return m_server->serverPort();
    }

private:
    void serve(QTcpSocket *socket)
    {
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (!buffer->contains("\r\n\r\n"))
                return;
            const QList<QByteArray> request = buffer->left(buffer->indexOf("\r\n")).split(' ');
            buffer->clear();
            if (request.size() < 2) {
                socket->disconnectFromHost();
                return;
            }
            respond(socket, request[0], QUrl::fromPercentEncoding(request[1]));
        });
    }

    void respond(QTcpSocket *socket, const QByteArray &method, const QString &path)
    {
        const bool head = method == "HEAD";
        TestHttpServer::Route route;
        bool known = false;
        {
            QMutexLocker lock(&m_shared.mutex);
            known = m_shared.routes.contains(path);
            route = m_shared.routes.value(path);
            if (!head)
                ++m_shared.gets[path];
        }
        using Fault = TestHttpServer::Fault;
        if (!known)
            route.fault = Fault::NotFound;
        int status = 200;
        QByteArray body = route.body;
        QByteArray headers;
        qint64 length = body.size();
        switch (route.fault) {
        case Fault::NotFound:
            status = 404;
            body = "<html><body>Not found</body></html>";
            length = body.size();
            break;
        case Fault::ServerError:
            status = 500;
            body = "<html><body>Internal error</body></html>";
            length = body.size();
            break;
        case Fault::Redirect:
            status = 302;
            headers += "Location: " + route.redirectTo.toUtf8() + "\r\n";
            body.clear();
            length = 0;
            break;
        case Fault::HtmlPage:
            body = "<!DOCTYPE html><html><body>Sorry, the page is being updated.</body></html>";
            length = body.size();
            headers += "Content-Type: text/html\r\n";
            break;
        case Fault::ShortBody:
            length = body.size() + 4096;
            break;
        case Fault::Huge:
        case Fault::HugeNoLength:
            length = route.size;
            break;
        default:
            break;
        }
        if (route.fault != Fault::NoLastModified && status == 200 && route.lastModified.isValid())
            headers += "Last-Modified: " + httpDate(route.lastModified) + "\r\n";
        if (route.fault != Fault::NoLength && route.fault != Fault::HugeNoLength)
            headers += "Content-Length: " + QByteArray::number(length) + "\r\n";
        const QByteArray top = statusLine(status) + headers + "Connection: close\r\n\r\n";
        if (route.fault == Fault::TrickleAll) {
            trickle(socket, path, top, head ? QByteArray() : body, route.pauseMs);
            return;
        }
        socket->write(top);
        if (head) {
            socket->disconnectFromHost();
            return;
        }
        switch (route.fault) {
        case Fault::DropMidBody:
            socket->write(body.left(body.size() / 2));
            socket->flush();
            socket->abort();
            return;
        case Fault::SlowBody:
        case Fault::Stall:
            sendSlowly(socket, body, route.fault == Fault::Stall);
            return;
        case Fault::Trickle:
            trickle(socket, path, QByteArray(), body, route.pauseMs);
            return;
        case Fault::Huge:
        case Fault::HugeNoLength:
            sendMadeUp(socket, path, route.size);
            return;
        default:
            countSent(path, body.size());
            socket->write(body);
            socket->disconnectFromHost();
        }
    }

    void countSent(const QString &path, qint64 bytes)
    {
        QMutexLocker lock(&m_shared.mutex);
        m_shared.sent[path] += bytes;
    }

    // Eight pieces 100 ms apart; a stall sends half and then waits 3 s before it hangs up.
    void sendSlowly(QTcpSocket *socket, const QByteArray &body, bool stall)
    {
        const qsizetype piece = std::max<qsizetype>(1, (body.size() + 7) / 8);
        auto sent = std::make_shared<qsizetype>(0);
        auto timer = new QTimer(socket);
        timer->setInterval(100);
        QObject::connect(timer, &QTimer::timeout, socket, [socket, body, piece, sent, stall, timer] {
            if (stall && *sent >= body.size() / 2) {
                timer->stop();
                QTimer::singleShot(3000, socket, [socket] { socket->abort(); });
                return;
            }
            socket->write(body.mid(*sent, piece));
            *sent += piece;
            if (*sent >= body.size()) {
                timer->stop();
                socket->disconnectFromHost();
            }
        });
        timer->start();
    }

    // top (the status line and headers, when they are to trickle too) and body one byte every pauseMs:
    // never silent for as long as an idle timeout, done only after bytes times pauseMs.
    void trickle(QTcpSocket *socket, const QString &path, const QByteArray &top, const QByteArray &body,
                 int pauseMs)
    {
        auto next = std::make_shared<qsizetype>(0);
        auto timer = new QTimer(socket);
        timer->setInterval(pauseMs);
        const QByteArray all = top + body;
        QObject::connect(timer, &QTimer::timeout, socket, [this, socket, path, all, top, next, timer] {
            if (*next >= all.size() || socket->state() != QAbstractSocket::ConnectedState) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            if (*next >= top.size())
                countSent(path, 1);
            socket->write(all.mid((*next)++, 1));
        });
        timer->start();
    }

    // size bytes made up piece by piece as the connection takes them, so that a huge body costs the
    // server nothing; stops when the client hangs up.
    void sendMadeUp(QTcpSocket *socket, const QString &path, qint64 size)
    {
        static constexpr qint64 Piece = 64 * 1024;
        auto left = std::make_shared<qint64>(size);
        auto pump = [this, socket, path, left] {
            while (*left > 0 && socket->state() == QAbstractSocket::ConnectedState &&
                   socket->bytesToWrite() < 4 * Piece) {
                const qint64 n = std::min(*left, Piece);
                socket->write(QByteArray(n, 'x'));
                *left -= n;
                countSent(path, n);
                if (*left == 0)
                    socket->disconnectFromHost();
            }
        };
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, pump);
        pump();
    }

    TestHttpServer::Shared &m_shared;
    QTcpServer *m_server = nullptr;
};

TestHttpServer::TestHttpServer()
{
    auto *worker = new TestHttpWorker(m_shared);
    worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, worker, &QObject::deleteLater);
    m_thread.start();
    QSemaphore ready;
    QMetaObject::invokeMethod(worker, [this, worker, &ready] {
        m_port = worker->listen();
        ready.release();
    });
    ready.acquire();
}

TestHttpServer::~TestHttpServer()
{
    m_thread.quit();
    m_thread.wait();
}

void TestHttpServer::setRoute(const QString &path, const Route &route)
{
    QMutexLocker lock(&m_shared.mutex);
    m_shared.routes.insert(path, route);
}

QUrl TestHttpServer::baseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port));
}

int TestHttpServer::gets(const QString &path) const
{
    QMutexLocker lock(&m_shared.mutex);
    return m_shared.gets.value(path);
}

qint64 TestHttpServer::sent(const QString &path) const
{
    QMutexLocker lock(&m_shared.mutex);
    return m_shared.sent.value(path);
}

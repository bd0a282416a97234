#pragma once

#include <QElapsedTimer>
#include <QMap>
#include <QMutex>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <functional>

// One request as the scripted server saw it.
struct FaultRequest
{
    int index = 0; // order of arrival, from 0
    QByteArray method;
    QByteArray target;                    // path and query as sent
    QMap<QByteArray, QByteArray> headers; // names in lower case
    qint64 rangeStart = -1;               // from "Range: bytes=a-b"; -1 without one
    qint64 rangeEnd = -1;                 // -1 for an open end
    qint64 receivedMs = 0;                // since the server started

    QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }

    // False without a request line.
    bool parse(const QByteArray &head)
    {
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ') << QByteArray();
        method = first[0];
        target = first[1];
        for (const QByteArray &line : lines.mid(1)) {
            const int colon = line.indexOf(':');
            if (colon > 0)
                headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        const auto range = QRegularExpression("^bytes=(\\d+)-(\\d*)$").match(QString::fromLatin1(header("range")));
        if (range.hasMatch()) {
            rangeStart = range.captured(1).toLongLong();
            rangeEnd = range.captured(2).isEmpty() ? -1 : range.captured(2).toLongLong();
        }
        return !target.isEmpty();
    }
};

// What the server does with one request: an answer and, optionally, a fault.
struct FaultReply
{
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    bool sendContentLength = true;   // false: no length, the connection closes after the body
    int delayMs = 0;                 // before anything is sent
    int chunkBytes = 0;              // > 0: the body goes out in pieces of this size ...
    int chunkIntervalMs = 0;         // ... this far apart (a slow drip)
    qint64 cutAfterBodyBytes = -1;   // >= 0: close the connection after this many body bytes
    qint64 stallAfterBodyBytes = -1; // >= 0: stop sending after this many, keep the connection open

    FaultReply &header(const QByteArray &name, const QByteArray &value)
    {
        headers.append({name, value});
        return *this;
    }

    static FaultReply text(int status, const QByteArray &body = QByteArray()) { return FaultReply{status, {}, body}; }

    // A file as nginx serves it: 200, or 206/416 for a Range request when
    // honourRange is set. HEAD gets the headers only.
    static FaultReply resource(const QByteArray &content, const FaultRequest &request, bool honourRange = true)
    {
        const QByteArray size = QByteArray::number(content.size());
        FaultReply reply = text(200, content).header("Accept-Ranges", "bytes");
        if (!honourRange || request.rangeStart < 0)
            return reply;
        if (request.rangeStart >= content.size())
            return text(416).header("Content-Range", "bytes */" + size);
        const qint64 end =
            request.rangeEnd < 0 ? content.size() - 1 : qMin<qint64>(request.rangeEnd, content.size() - 1);
        reply.status = 206;
        reply.body = content.mid(int(request.rangeStart), int(end - request.rangeStart + 1));
        return reply.header("Content-Range", "bytes " + QByteArray::number(request.rangeStart) + '-' +
                                                 QByteArray::number(end) + '/' + size);
    }
};

// One client connection: plays the scripted reply of each request in turn.
class FaultConnection : public QObject
{
public:
    using Answer = std::function<FaultReply(FaultRequest &)>;

    FaultConnection(QTcpSocket *socket, Answer answer)
        : QObject(socket)
        , m_socket(socket)
        , m_answer(std::move(answer))
    {
        connect(socket, &QTcpSocket::readyRead, this, [this] { readRequest(); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    void readRequest()
    {
        m_buffer += m_socket->readAll();
        const int end = m_buffer.indexOf("\r\n\r\n");
        FaultRequest request;
        const int length = end + 4 + (request.parse(m_buffer.left(end)) ? request.header("content-length").toInt() : 0);
        if (m_busy || end < 0 || m_buffer.size() < length)
            return;
        m_buffer.remove(0, length);
        if (request.target.isEmpty())
            return m_socket->abort();
        m_busy = true;
        m_reply = m_answer(request);
        m_closes = !m_reply.sendContentLength || m_reply.cutAfterBodyBytes >= 0 || m_reply.stallAfterBodyBytes >= 0;
        m_limit = m_reply.body.size();
        for (const qint64 fault : {m_reply.cutAfterBodyBytes, m_reply.stallAfterBodyBytes})
            m_limit = fault >= 0 ? qMin(m_limit, fault) : m_limit;
        if (request.method == "HEAD" || m_reply.status == 304 || m_reply.status == 204)
            m_limit = -1;
        QTimer::singleShot(m_reply.delayMs, this, [this] { sendHead(); });
    }

    void sendHead()
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(m_reply.status) + (m_reply.status < 300 ? " OK" : " Fault");
        for (const auto &header : qAsConst(m_reply.headers))
            head += "\r\n" + header.first + ": " + header.second;
        if (m_reply.sendContentLength)
            head += "\r\nContent-Length: " + QByteArray::number(m_reply.body.size());
        m_socket->write(head + (m_closes ? "\r\nConnection: close\r\n\r\n" : "\r\nConnection: keep-alive\r\n\r\n"));
        m_sent = 0;
        sendBody();
    }

    void sendBody()
    {
        const qint64 count = qMin<qint64>(m_reply.chunkBytes > 0 ? m_reply.chunkBytes : m_limit, m_limit - m_sent);
        if (count > 0)
            m_sent += m_socket->write(m_reply.body.constData() + m_sent, count);
        if (m_sent < m_limit)
            return QTimer::singleShot(m_reply.chunkIntervalMs, this, [this] { sendBody(); });
        // Stalled: nothing more until the client gives up.
        if (m_limit >= 0 && m_sent == m_reply.stallAfterBodyBytes && m_reply.cutAfterBodyBytes < 0)
            return;
        if (m_closes)
            return m_socket->disconnectFromHost();
        m_busy = false;
        if (!m_buffer.isEmpty())
            readRequest();
    }

    QTcpSocket *m_socket;
    Answer m_answer;
    QByteArray m_buffer;
    FaultReply m_reply;
    bool m_busy = false;
    bool m_closes = false;
    qint64 m_limit = 0; // body bytes to send; -1 for none
    qint64 m_sent = 0;
};

// An HTTP/1.1 server on 127.0.0.1 (port chosen by the system) answering as a
// test scripts, on a thread of its own so that a test may block meanwhile.
class FaultServer
{
public:
    using Handler = std::function<FaultReply(const FaultRequest &)>;

    FaultServer()
    {
        m_context->moveToThread(&m_thread);
        m_thread.start();
        m_clock.start();
    }
    // Sockets and listener are the context's children: deleted on their thread.
    ~FaultServer()
    {
        onItsThread([this] { delete m_context; });
        m_thread.quit();
        m_thread.wait();
    }

    bool listen()
    {
        onItsThread([this] { listenHere(); });
        return m_port != 0;
    }
    QUrl url(const QString &path) const { return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path)); }
    // Closes port and connections (the listener's children), as an outage does, for forMs.
    void refuseConnections(int forMs)
    {
        onItsThread([this, forMs] {
            qDeleteAll(m_context->findChildren<QTcpServer *>());
            QTimer::singleShot(forMs, m_context, [this] { listenHere(); });
        });
    }

    // The handler answers on the server's thread.
    void setHandler(Handler handler)
    {
        QMutexLocker locker(&m_mutex);
        m_handler = std::move(handler);
    }
    QList<FaultRequest> requests() const
    {
        QMutexLocker locker(&m_mutex);
        return m_requests;
    }
    int requestCount() const { return requests().size(); }
    bool waitForRequests(int count, int timeoutMs = 10000) const
    {
        return QTest::qWaitFor([this, count] { return requestCount() >= count; }, timeoutMs);
    }

private:
    void onItsThread(const std::function<void()> &work)
    {
        QMetaObject::invokeMethod(m_context, work, Qt::BlockingQueuedConnection);
    }

    // Port 0 the first time: the system chooses.
    void listenHere()
    {
        auto *server = new QTcpServer(m_context);
        if (!server->listen(QHostAddress::LocalHost, m_port))
            return;
        m_port = server->serverPort();
        QObject::connect(server, &QTcpServer::newConnection, m_context, [this, server] {
            while (QTcpSocket *socket = server->nextPendingConnection())
                new FaultConnection(socket, [this](FaultRequest &request) { return replyFor(request); });
        });
    }

    FaultReply replyFor(FaultRequest &request)
    {
        Handler handler;
        {
            QMutexLocker locker(&m_mutex);
            request.index = m_requests.size();
            request.receivedMs = m_clock.elapsed();
            m_requests.append(request);
            handler = m_handler;
        }
        // Outside the lock: a handler may look at requests() itself.
        return handler ? handler(request) : FaultReply::text(404, "no scripted reply");
    }

    QThread m_thread;
    QObject *m_context = new QObject; // lives on m_thread, parent of the listener
    quint16 m_port = 0;
    QElapsedTimer m_clock;
    mutable QMutex m_mutex;
    Handler m_handler;
    QList<FaultRequest> m_requests;
};

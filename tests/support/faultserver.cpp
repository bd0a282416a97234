#include "support/faultserver.h"

#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QTimer>

namespace {

QByteArray reasonPhrase(int status)
{
    return status == 200 ? "OK" : status == 206 ? "Partial Content" : status == 404 ? "Not Found" : "Status";
}

// "bytes=a-b" or "bytes=a-"; anything else counts as no range.
void parseRange(FaultRequest &request)
{
    const QByteArray value = request.header("range").trimmed();
    if (!value.startsWith("bytes="))
        return;
    const QList<QByteArray> bounds = value.mid(6).split('-');
    if (bounds.size() != 2 || bounds[0].isEmpty())
        return;
    bool ok = false;
    const qint64 start = bounds[0].toLongLong(&ok);
    if (!ok)
        return;
    request.rangeStart = start;
    request.rangeEnd = bounds[1].isEmpty() ? -1 : bounds[1].toLongLong();
}

bool parseHead(const QByteArray &head, FaultRequest &request)
{
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    if (first.size() < 2)
        return false;
    request.method = first[0];
    request.target = first[1];
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    parseRange(request);
    return true;
}

} // namespace

FaultReply FaultReply::text(int status, const QByteArray &body)
{
    FaultReply reply;
    reply.status = status;
    reply.body = body;
    return reply;
}

FaultReply FaultReply::redirect(int status, const QByteArray &location)
{
    FaultReply reply = text(status);
    reply.header("Location", location);
    return reply;
}

FaultReply FaultReply::resource(const QByteArray &content, const FaultRequest &request, bool honourRange)
{
    const qint64 size = content.size();
    FaultReply reply;
    reply.header("Accept-Ranges", "bytes");
    if (!honourRange || !request.hasRange()) {
        reply.body = content;
        return reply;
    }
    if (request.rangeStart >= size) {
        reply.status = 416;
        reply.header("Content-Range", "bytes */" + QByteArray::number(size));
        return reply;
    }
    const qint64 end = (request.rangeEnd < 0 || request.rangeEnd >= size) ? size - 1 : request.rangeEnd;
    reply.status = 206;
    reply.body = content.mid(request.rangeStart, end - request.rangeStart + 1);
    reply.header("Content-Range", "bytes " + QByteArray::number(request.rangeStart) + '-' + QByteArray::number(end) +
                                      '/' + QByteArray::number(size));
    return reply;
}

// One client connection: reads requests one after another and plays the
// scripted reply of each, faults included.
class FaultConnection : public QObject
{
public:
    FaultConnection(FaultServer *server, QTcpSocket *socket)
        : QObject(socket)
        , m_server(server)
        , m_socket(socket)
    {
        connect(socket, &QTcpSocket::readyRead, this, [this] { readRequests(); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    void readRequests()
    {
        m_buffer += m_socket->readAll();
        if (m_busy)
            return;
        const int end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        FaultRequest request;
        const bool parsed = parseHead(m_buffer.left(end), request);
        const qint64 bodyLength = request.header("content-length").toLongLong();
        if (m_buffer.size() < end + 4 + bodyLength)
            return;
        m_buffer.remove(0, end + 4 + int(bodyLength));
        if (!parsed) {
            m_socket->abort();
            return;
        }
        m_busy = true;
        m_reply = m_server->replyFor(request);
        m_headOnly = request.method == "HEAD";
        QTimer::singleShot(m_reply.delayMs, this, [this] { sendHead(); });
    }

    bool closesAfterReply() const
    {
        return !m_reply.sendContentLength || m_reply.cutAfterBodyBytes >= 0 || m_reply.stallAfterBodyBytes >= 0;
    }

    void sendHead()
    {
        QByteArray head =
            "HTTP/1.1 " + QByteArray::number(m_reply.status) + ' ' + reasonPhrase(m_reply.status) + "\r\n";
        for (const auto &header : qAsConst(m_reply.headers))
            head += header.first + ": " + header.second + "\r\n";
        if (m_reply.sendContentLength)
            head += "Content-Length: " + QByteArray::number(m_reply.body.size()) + "\r\n";
        head += closesAfterReply() ? "Connection: close\r\n" : "Connection: keep-alive\r\n";
        head += "\r\n";
        m_socket->write(head);
        m_sent = 0;
        if (m_headOnly || m_reply.status == 304 || m_reply.status == 204)
            finishReply();
        else
            sendBody();
    }

    qint64 bodyLimit() const
    {
        qint64 limit = m_reply.body.size();
        if (m_reply.cutAfterBodyBytes >= 0)
            limit = qMin(limit, m_reply.cutAfterBodyBytes);
        if (m_reply.stallAfterBodyBytes >= 0)
            limit = qMin(limit, m_reply.stallAfterBodyBytes);
        return limit;
    }

    void sendBody()
    {
        const qint64 limit = bodyLimit();
        const qint64 piece = m_reply.chunkBytes > 0 ? m_reply.chunkBytes : limit;
        const qint64 count = qMin(piece, limit - m_sent);
        if (count > 0) {
            m_socket->write(m_reply.body.constData() + m_sent, count);
            m_sent += count;
        }
        if (m_sent < limit) {
            QTimer::singleShot(m_reply.chunkIntervalMs, this, [this] { sendBody(); });
            return;
        }
        if (m_reply.stallAfterBodyBytes >= 0 && m_sent == m_reply.stallAfterBodyBytes && m_reply.cutAfterBodyBytes < 0)
            return; // stalled: say nothing more until the client gives up
        finishReply();
    }

    void finishReply()
    {
        if (closesAfterReply()) {
            m_socket->disconnectFromHost();
            return;
        }
        m_busy = false;
        if (!m_buffer.isEmpty())
            readRequests();
    }

    FaultServer *m_server;
    QTcpSocket *m_socket;
    QByteArray m_buffer;
    FaultReply m_reply;
    bool m_busy = false;
    bool m_headOnly = false;
    qint64 m_sent = 0;
};

FaultServer::FaultServer(QObject *parent)
    : QObject(parent)
    , m_thread(new QThread)
    , m_context(new QObject)
{
    m_context->moveToThread(m_thread);
    m_thread->start();
    m_clock.start();
}

FaultServer::~FaultServer()
{
    // Sockets and the listener are children of the context: delete them on
    // their own thread before it stops.
    QMetaObject::invokeMethod(
        m_context, [this] { delete m_context; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

bool FaultServer::listen()
{
    QMetaObject::invokeMethod(
        m_context, [this] { listenHere(); }, Qt::BlockingQueuedConnection);
    return m_port != 0;
}

// On the server's thread. The port is the system's choice the first time.
void FaultServer::listenHere()
{
    auto *server = new QTcpServer(m_context);
    if (!server->listen(QHostAddress::LocalHost, m_port))
        return;
    m_port = server->serverPort();
    connect(server, &QTcpServer::newConnection, m_context, [this, server] {
        while (QTcpSocket *socket = server->nextPendingConnection())
            new FaultConnection(this, socket);
    });
}

void FaultServer::refuseConnections(int forMs)
{
    QMetaObject::invokeMethod(
        m_context,
        [this, forMs] {
            // The connections are the listener's children and go with it.
            qDeleteAll(m_context->findChildren<QTcpServer *>());
            QTimer::singleShot(forMs, m_context, [this] { listenHere(); });
        },
        Qt::BlockingQueuedConnection);
}

QUrl FaultServer::url(const QString &pathAndQuery) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(pathAndQuery));
}

void FaultServer::enqueue(const FaultReply &reply)
{
    QMutexLocker locker(&m_mutex);
    m_queue.enqueue(reply);
}

void FaultServer::setHandler(Handler handler)
{
    QMutexLocker locker(&m_mutex);
    m_handler = std::move(handler);
}

QList<FaultRequest> FaultServer::requests() const
{
    QMutexLocker locker(&m_mutex);
    return m_requests;
}

int FaultServer::requestCount() const
{
    QMutexLocker locker(&m_mutex);
    return m_requests.size();
}

bool FaultServer::waitForRequests(int count, int timeoutMs) const
{
    return QTest::qWaitFor([this, count] { return requestCount() >= count; }, timeoutMs);
}

FaultReply FaultServer::replyFor(FaultRequest &request)
{
    Handler handler;
    {
        QMutexLocker locker(&m_mutex);
        request.index = m_requests.size();
        request.receivedMs = m_clock.elapsed();
        m_requests.append(request);
        if (!m_queue.isEmpty())
            return m_queue.dequeue();
        handler = m_handler;
    }
    // Outside the lock: a handler may look at requests() itself.
    return handler ? handler(request) : FaultReply::text(404, "no scripted reply");
}

#include "support/faultserver.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

namespace {

bool parseHead(const QByteArray &head, FaultRequest &request)
{
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ') << QByteArray();
    request.method = first[0];
    request.target = first[1];
    for (const QByteArray &line : lines.mid(1)) {
        const int colon = line.indexOf(':');
        if (colon > 0)
            request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
    const auto range = QRegularExpression("^bytes=(\\d+)-(\\d*)$").match(QString::fromLatin1(request.header("range")));
    if (range.hasMatch()) {
        request.rangeStart = range.captured(1).toLongLong();
        request.rangeEnd = range.captured(2).isEmpty() ? -1 : range.captured(2).toLongLong();
    }
    return !request.target.isEmpty();
}

// One client connection: plays the scripted reply of each request in turn.
class FaultConnection : public QObject
{
public:
    FaultConnection(FaultServer *server, QTcpSocket *socket)
        : QObject(socket)
        , m_server(server)
        , m_socket(socket)
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
        const int length =
            end + 4 + (parseHead(m_buffer.left(end), request) ? request.header("content-length").toInt() : 0);
        if (m_busy || end < 0 || m_buffer.size() < length)
            return;
        m_buffer.remove(0, length);
        if (request.target.isEmpty())
            return m_socket->abort();
        m_busy = true;
        m_reply = m_server->replyFor(request);
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

    FaultServer *m_server;
    QTcpSocket *m_socket;
    QByteArray m_buffer;
    FaultReply m_reply;
    bool m_busy = false;
    bool m_closes = false;
    qint64 m_limit = 0; // body bytes to send; -1 for none
    qint64 m_sent = 0;
};

} // namespace

FaultReply FaultReply::text(int status, const QByteArray &body)
{
    return FaultReply{status, {}, body};
}

FaultReply FaultReply::resource(const QByteArray &content, const FaultRequest &request, bool honourRange)
{
    const QByteArray size = QByteArray::number(content.size());
    FaultReply reply = text(200, content).header("Accept-Ranges", "bytes");
    if (!honourRange || request.rangeStart < 0)
        return reply;
    if (request.rangeStart >= content.size())
        return text(416).header("Content-Range", "bytes */" + size);
    const qint64 end = request.rangeEnd < 0 ? content.size() - 1 : qMin<qint64>(request.rangeEnd, content.size() - 1);
    reply.status = 206;
    reply.body = content.mid(int(request.rangeStart), int(end - request.rangeStart + 1));
    return reply.header("Content-Range",
                        "bytes " + QByteArray::number(request.rangeStart) + '-' + QByteArray::number(end) + '/' + size);
}

FaultServer::FaultServer()
    : m_context(new QObject)
{
    m_context->moveToThread(&m_thread);
    m_thread.start();
    m_clock.start();
}

// Sockets and listener are the context's children: deleted on their thread.
FaultServer::~FaultServer()
{
    QMetaObject::invokeMethod(
        m_context, [this] { delete m_context; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool FaultServer::listen()
{
    QMetaObject::invokeMethod(
        m_context, [this] { listenHere(); }, Qt::BlockingQueuedConnection);
    return m_port != 0;
}

// On the server's thread. Port 0 the first time: the system chooses.
void FaultServer::listenHere()
{
    auto *server = new QTcpServer(m_context);
    if (!server->listen(QHostAddress::LocalHost, m_port))
        return;
    m_port = server->serverPort();
    QObject::connect(server, &QTcpServer::newConnection, m_context, [this, server] {
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
        handler = m_handler;
    }
    // Outside the lock: a handler may look at requests() itself.
    return handler ? handler(request) : FaultReply::text(404, "no scripted reply");
}

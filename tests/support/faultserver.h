#pragma once

#include <QElapsedTimer>
#include <QMap>
#include <QMutex>
#include <QThread>
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

    static FaultReply text(int status, const QByteArray &body = QByteArray());
    // A file as nginx serves it: 200, or 206/416 for a Range request when
    // honourRange is set. HEAD gets the headers only.
    static FaultReply resource(const QByteArray &content, const FaultRequest &request, bool honourRange = true);
};

// An HTTP/1.1 server on 127.0.0.1 (port chosen by the system) answering as a
// test scripts, on a thread of its own so that a test may block meanwhile.
class FaultServer
{
public:
    using Handler = std::function<FaultReply(const FaultRequest &)>;

    FaultServer();
    ~FaultServer();

    bool listen();
    QUrl url(const QString &pathAndQuery) const;
    // Closes port and connections, as an outage does, for forMs.
    void refuseConnections(int forMs);

    // The handler answers on the server's thread.
    void setHandler(Handler handler);
    FaultReply replyFor(FaultRequest &request);

    QList<FaultRequest> requests() const;
    int requestCount() const { return requests().size(); }
    bool waitForRequests(int count, int timeoutMs = 10000) const;

private:
    void listenHere();

    QThread m_thread;
    QObject *m_context; // lives on m_thread, parent of the listener
    quint16 m_port = 0;
    QElapsedTimer m_clock;
    mutable QMutex m_mutex;
    Handler m_handler;
    QList<FaultRequest> m_requests;
};

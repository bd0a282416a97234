#include "net/httprequestapi.h"
#include "support/faultserver.h"

#include <QTcpServer>
#include <QtTest>

namespace {

struct Outcome
{
    bool flag = false;
    QByteArray body;
    QString errorText;
    int status = -1;
};

// Collects every call of a callback, in order.
struct Recorder
{
    QList<Outcome> calls;

    RequestCallback callback()
    {
        return [this](bool flag, const QByteArray &body, const QString &errorText, int status) {
            calls.append({flag, body, errorText, status});
        };
    }
    bool waitFor(int count, int timeoutMs = 10000)
    {
        return QTest::qWaitFor([&] { return calls.size() >= count; }, timeoutMs);
    }
};

} // namespace

Q_DECLARE_METATYPE(FaultReply)

class TestHttpRequestAPI : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void successPassesBodyAndStatus();
    void failuresGiveEmptyBodyAndErrorText_data();
    void failuresGiveEmptyBodyAndErrorText();
    void connectionRefusedGivesStatusZero();
    void timeoutThenLateReplyCallsTwice();
    void timeoutCoversTheWholeRequest();
    void secondGetTakesBothReplies();
    void retryFromInsideTheCallback();
    void rawHeadersStayForLaterRequests();
    void destructionWithRequestInFlightCallsNothing();

private:
    FaultServer m_server;
};

void TestHttpRequestAPI::initTestCase()
{
    QVERIFY(m_server.listen());
}

void TestHttpRequestAPI::init()
{
    m_server.setHandler(nullptr);
}

void TestHttpRequestAPI::successPassesBodyAndStatus()
{
    m_server.enqueue(FaultReply::text(200, "{\"data\":1}"));
    HttpRequestAPI client;
    Recorder recorder;
    QTest::ignoreMessage(QtDebugMsg, "BaseAPI...serviceRequestFinished...statusCode: 200");
    client.get(m_server.url("/ok").toString(), recorder.callback());
    QVERIFY(recorder.waitFor(1));
    QCOMPARE(recorder.calls.size(), 1);
    const Outcome outcome = recorder.calls.first();
    QVERIFY(outcome.flag);
    QCOMPARE(outcome.body, QByteArray("{\"data\":1}"));
    QVERIFY(outcome.errorText.isEmpty());
    QVERIFY(!outcome.errorText.isNull());
    QCOMPARE(outcome.status, 200);
}

void TestHttpRequestAPI::failuresGiveEmptyBodyAndErrorText_data()
{
    QTest::addColumn<FaultReply>("reply");
    QTest::addColumn<int>("status");
    QTest::newRow("404 with a body") << FaultReply::text(404, "not here") << 404;
    QTest::newRow("500") << FaultReply::text(500, "broken") << 500;
    FaultReply cut = FaultReply::text(200, QByteArray(50000, 'x'));
    cut.cutAfterBodyBytes = 100;
    QTest::newRow("cut after the headers") << cut << 200;
}

void TestHttpRequestAPI::failuresGiveEmptyBodyAndErrorText()
{
    QFETCH(FaultReply, reply);
    QFETCH(int, status);
    m_server.enqueue(reply);
    HttpRequestAPI client;
    Recorder recorder;
    client.get(m_server.url("/fail").toString(), recorder.callback());
    QVERIFY(recorder.waitFor(1));
    const Outcome outcome = recorder.calls.first();
    QVERIFY(outcome.flag);
    QVERIFY(outcome.body.isEmpty());
    QVERIFY(!outcome.errorText.isEmpty());
    QCOMPARE(outcome.status, status);
}

void TestHttpRequestAPI::connectionRefusedGivesStatusZero()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 closedPort = probe.serverPort();
    probe.close();
    HttpRequestAPI client;
    Recorder recorder;
    client.get(QStringLiteral("http://127.0.0.1:%1/x").arg(closedPort), recorder.callback());
    QVERIFY(recorder.waitFor(1));
    QVERIFY(recorder.calls.first().flag);
    QVERIFY(!recorder.calls.first().errorText.isEmpty());
    QCOMPARE(recorder.calls.first().status, 0);
}

void TestHttpRequestAPI::timeoutThenLateReplyCallsTwice()
{
    FaultReply late = FaultReply::text(200, "late answer");
    late.delayMs = 1000;
    m_server.enqueue(late);
    HttpRequestAPI client;
    client.setTimeoutIntervalForTest(200);
    Recorder recorder;
    client.get(m_server.url("/late").toString(), recorder.callback());
    QVERIFY(recorder.waitFor(1));
    QCOMPARE(recorder.calls.first().body, QByteArray());
    QCOMPARE(recorder.calls.first().errorText, QStringLiteral("HTTP_REQUEST_TIMEOUT"));
    QCOMPARE(recorder.calls.first().status, 638);
    QVERIFY(recorder.calls.first().flag);
    // Not aborted: the answer still arrives.
    QVERIFY(recorder.waitFor(2));
    QCOMPARE(recorder.calls.at(1).body, QByteArray("late answer"));
    QCOMPARE(recorder.calls.at(1).status, 200);
    QTest::qWait(300);
    QCOMPARE(recorder.calls.size(), 2);
}

void TestHttpRequestAPI::timeoutCoversTheWholeRequest()
{
    // Bytes keep coming, yet the limit counts from the start of the request.
    FaultReply drip = FaultReply::text(200, QByteArray(8, 'd'));
    drip.chunkBytes = 1;
    drip.chunkIntervalMs = 100;
    m_server.enqueue(drip);
    HttpRequestAPI client;
    client.setTimeoutIntervalForTest(350);
    Recorder recorder;
    client.get(m_server.url("/drip").toString(), recorder.callback());
    QVERIFY(recorder.waitFor(2));
    QCOMPARE(recorder.calls.at(0).status, 638);
    QCOMPARE(recorder.calls.at(1).body, QByteArray(8, 'd'));
}

void TestHttpRequestAPI::secondGetTakesBothReplies()
{
    FaultReply first = FaultReply::text(200, "first");
    first.delayMs = 300;
    FaultReply second = FaultReply::text(200, "second");
    second.delayMs = 600;
    m_server.enqueue(first);
    m_server.enqueue(second);
    HttpRequestAPI client;
    client.setTimeoutIntervalForTest(450);
    Recorder dropped;
    Recorder current;
    const int before = m_server.requestCount();
    client.get(m_server.url("/one").toString(), dropped.callback());
    QVERIFY(m_server.waitForRequests(before + 1));
    client.get(m_server.url("/two").toString(), current.callback());
    QVERIFY(current.waitFor(2));
    QTest::qWait(400);
    QCOMPARE(dropped.calls.size(), 0);
    // The first reply stopped the timer, so no time-out came between them.
    QCOMPARE(current.calls.size(), 2);
    QCOMPARE(current.calls.at(0).body, QByteArray("first"));
    QCOMPARE(current.calls.at(1).body, QByteArray("second"));
}

void TestHttpRequestAPI::retryFromInsideTheCallback()
{
    m_server.enqueue(FaultReply::text(503, "busy"));
    m_server.enqueue(FaultReply::text(200, "ready"));
    HttpRequestAPI client;
    Recorder retried;
    int failures = 0;
    const QString url = m_server.url("/retry").toString();
    client.get(url, [&](bool, const QByteArray &, const QString &, int status) {
        ++failures;
        QCOMPARE(status, 503);
        client.get(url, retried.callback());
    });
    QVERIFY(retried.waitFor(1));
    QCOMPARE(failures, 1);
    QCOMPARE(retried.calls.first().body, QByteArray("ready"));
}

void TestHttpRequestAPI::rawHeadersStayForLaterRequests()
{
    m_server.setHandler([](const FaultRequest &) { return FaultReply::text(200, "ok"); });
    HttpRequestAPI client;
    Recorder recorder;
    const int before = m_server.requestCount();
    client.setRawHeader("content-type", "application/json");
    client.get(m_server.url("/h1").toString(), recorder.callback());
    QVERIFY(recorder.waitFor(1));
    client.get(m_server.url("/h2").toString(), recorder.callback());
    QVERIFY(recorder.waitFor(2));
    const QList<FaultRequest> requests = m_server.requests().mid(before);
    QCOMPARE(requests.size(), 2);
    for (const FaultRequest &request : requests) {
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.header("content-type"), QByteArray("application/json"));
    }
}

void TestHttpRequestAPI::destructionWithRequestInFlightCallsNothing()
{
    FaultReply late = FaultReply::text(200, "too late");
    late.delayMs = 400;
    m_server.enqueue(late);
    Recorder recorder;
    {
        const int before = m_server.requestCount();
        auto *client = new HttpRequestAPI;
        client->setTimeoutIntervalForTest(100);
        client->get(m_server.url("/gone").toString(), recorder.callback());
        QVERIFY(m_server.waitForRequests(before + 1));
        QTest::qWait(20);
        delete client;
    }
    QTest::qWait(700);
    QCOMPARE(recorder.calls.size(), 0);
}

QTEST_GUILESS_MAIN(TestHttpRequestAPI)
#include "tst_httprequestapi.moc"

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
    bool waitFor(int count)
    {
        return QTest::qWaitFor([&] { return calls.size() >= count; }, 10000);
    }
};

} // namespace

Q_DECLARE_METATYPE(FaultReply)

class TestHttpRequestAPI : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.listen()); }
    void init() { m_server.setHandler(nullptr); }
    void answerReachesTheCallback_data();
    void answerReachesTheCallback();
    void timeOutThenTheLateAnswer_data();
    void timeOutThenTheLateAnswer();
    void retryFromInsideTheCallback();
    void destructionWithRequestInFlightCallsNothing();

private:
    FaultServer m_server;
};

void TestHttpRequestAPI::answerReachesTheCallback_data()
{
    QTest::addColumn<FaultReply>("reply"); // status -1: nobody listens
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body"); // only a success carries one
    QTest::newRow("200") << FaultReply::text(200, "{\"data\":1}") << 200 << QByteArray("{\"data\":1}");
    QTest::newRow("404 with a body") << FaultReply::text(404, "not here") << 404 << QByteArray();
    QTest::newRow("500") << FaultReply::text(500, "broken") << 500 << QByteArray();
    FaultReply cut = FaultReply::text(200, QByteArray(50000, 'x'));
    cut.cutAfterBodyBytes = 100;
    QTest::newRow("cut after the headers") << cut << 200 << QByteArray();
    QTest::newRow("connection refused") << FaultReply::text(-1) << 0 << QByteArray();
}

void TestHttpRequestAPI::answerReachesTheCallback()
{
    QFETCH(FaultReply, reply);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QString url = m_server.url("/x").toString();
    if (reply.status < 0) {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        url = QStringLiteral("http://127.0.0.1:%1/x").arg(probe.serverPort());
    } else {
        m_server.enqueue(reply);
    }
    HttpRequestAPI client;
    client.setRawHeader("content-type", "application/json");
    Recorder recorder;
    client.get(url, recorder.callback());
    QVERIFY(recorder.waitFor(1));
    QTest::qWait(50);
    QCOMPARE(recorder.calls.size(), 1);
    const Outcome outcome = recorder.calls.first();
    QVERIFY(outcome.flag);
    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.body, body);
    QCOMPARE(outcome.errorText.isEmpty(), !body.isEmpty());
    if (status > 0)
        QCOMPARE(m_server.requests().last().header("content-type"), QByteArray("application/json"));
}

void TestHttpRequestAPI::timeOutThenTheLateAnswer_data()
{
    QTest::addColumn<FaultReply>("reply");
    FaultReply late = FaultReply::text(200, "late answer");
    late.delayMs = 800;
    QTest::newRow("silent") << late;
    // Bytes keep coming, yet the limit counts from the start of the request.
    FaultReply drip = FaultReply::text(200, "late answer");
    drip.chunkBytes = 1;
    drip.chunkIntervalMs = 60;
    QTest::newRow("dripping") << drip;
}

void TestHttpRequestAPI::timeOutThenTheLateAnswer()
{
    QFETCH(FaultReply, reply);
    m_server.enqueue(reply);
    HttpRequestAPI client;
    client.setTimeoutIntervalForTest(300);
    Recorder recorder;
    client.get(m_server.url("/late").toString(), recorder.callback());
    QVERIFY(recorder.waitFor(2));
    QCOMPARE(recorder.calls.at(0).body, QByteArray());
    QCOMPARE(recorder.calls.at(0).errorText, QStringLiteral("HTTP_REQUEST_TIMEOUT"));
    QCOMPARE(recorder.calls.at(0).status, 638);
    // Not aborted: the answer still arrives, once.
    QCOMPARE(recorder.calls.at(1).body, QByteArray("late answer"));
    QCOMPARE(recorder.calls.at(1).status, 200);
    QTest::qWait(300);
    QCOMPARE(recorder.calls.size(), 2);
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

void TestHttpRequestAPI::destructionWithRequestInFlightCallsNothing()
{
    FaultReply late = FaultReply::text(200, "too late");
    late.delayMs = 400;
    m_server.enqueue(late);
    Recorder recorder;
    const int before = m_server.requestCount();
    auto *client = new HttpRequestAPI;
    client->setTimeoutIntervalForTest(100);
    client->get(m_server.url("/gone").toString(), recorder.callback());
    QVERIFY(m_server.waitForRequests(before + 1));
    delete client;
    QTest::qWait(700);
    QCOMPARE(recorder.calls.size(), 0);
}

QTEST_GUILESS_MAIN(TestHttpRequestAPI)
#include "tst_httprequestapi.moc"

#include "net/httprequestapi.h"
#include "support/faultserver.h"

#include <QTcpServer>
#include <QtTest>

#include <memory>

namespace {

// Every call of a callback, in order, as "flag status body error".
struct Recorder
{
    QStringList calls;
    RequestCallback callback()
    {
        return [this](bool flag, const QByteArray &body, const QString &errorText, int status) {
            calls << QStringLiteral("%1 %2 %3 %4").arg(flag).arg(status).arg(QString(body), errorText).trimmed();
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

    void answerReachesTheCallback_data()
    {
        QTest::addColumn<FaultReply>("reply");  // status -1: nobody listens
        QTest::addColumn<QStringList>("calls"); // a failure carries no body but some error text (*)
        QTest::newRow("200") << FaultReply::text(200, "{\"data\":1}") << QStringList{"1 200 {\"data\":1}"};
        QTest::newRow("404 with a body") << FaultReply::text(404, "not here") << QStringList{"1 404  *"};
        QTest::newRow("500") << FaultReply::text(500, "broken") << QStringList{"1 500  *"};
        FaultReply cut = FaultReply::text(200, QByteArray(50000, 'x'));
        cut.cutAfterBodyBytes = 100;
        QTest::newRow("cut after the headers") << cut << QStringList{"1 200  *"};
        QTest::newRow("connection refused") << FaultReply::text(-1) << QStringList{"1 0  *"};
        // Past the time limit the caller hears of it; the answer still follows, once.
        const QStringList lateCalls{"1 638  HTTP_REQUEST_TIMEOUT", "1 200 late answer"};
        FaultReply late = FaultReply::text(200, "late answer");
        late.delayMs = 800;
        QTest::newRow("silent past the limit") << late << lateCalls;
        // Bytes keep coming, yet the limit counts from the start of the request.
        late.delayMs = 0;
        late.chunkBytes = 1;
        late.chunkIntervalMs = 60;
        QTest::newRow("dripping past the limit") << late << lateCalls;
    }

    void answerReachesTheCallback()
    {
        QFETCH(FaultReply, reply);
        QFETCH(QStringList, calls);
        QString url = m_server.url("/x").toString();
        if (reply.status < 0) {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            url = QStringLiteral("http://127.0.0.1:%1/x").arg(probe.serverPort());
        } else {
            m_server.setHandler([reply](const FaultRequest &) { return reply; });
        }
        HttpRequestAPI client;
        client.setTimeoutIntervalForTest(300);
        client.setRawHeader("content-type", "application/json");
        Recorder recorder;
        client.get(url, recorder.callback());
        QVERIFY(recorder.waitFor(calls.size()));
        // No call more: a second one would come by the end of the time-out.
        QTest::qWait(300);
        QCOMPARE(recorder.calls.size(), calls.size());
        for (int i = 0; i < calls.size(); ++i) {
            const QString &seen = recorder.calls.at(i);
            const QString &call = calls.at(i);
            QVERIFY2(call.endsWith('*') ? seen.startsWith(call.chopped(1)) && seen.size() > call.size() : seen == call,
                     qPrintable(seen));
        }
        if (reply.status > 0)
            QCOMPARE(m_server.requests().last().header("content-type"), QByteArray("application/json"));
    }

    void retryFromInsideTheCallback()
    {
        auto answered = std::make_shared<int>(0); // on the server's thread only
        m_server.setHandler([answered](const FaultRequest &) {
            return ++*answered == 1 ? FaultReply::text(503, "busy") : FaultReply::text(200, "ready");
        });
        HttpRequestAPI client;
        Recorder recorder;
        const QString url = m_server.url("/retry").toString();
        const auto owners = std::make_shared<int>();
        client.get(url, [&, owners](bool, const QByteArray &, const QString &, int status) {
            recorder.calls << QString::number(status);
            client.get(url, recorder.callback());
            // This callback is still running, so something must still own it.
            recorder.calls << QStringLiteral("owners %1").arg(owners.use_count());
        });
        QVERIFY(recorder.waitFor(3));
        QCOMPARE(recorder.calls, QStringList({"503", "owners 2", "1 200 ready"}));
    }

private:
    FaultServer m_server;
};

QTEST_GUILESS_MAIN(TestHttpRequestAPI)
#include "tst_httprequestapi.moc"

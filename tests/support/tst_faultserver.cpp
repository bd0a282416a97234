#include "support/faultserver.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QtTest>

// The scripted server is what the network tests trust to produce faults;
// these cases make sure it produces the ones they rely on.
class TestFaultServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void servesRangesLikeNginx_data();
    void servesRangesLikeNginx();
    void headGivesLengthWithoutBody();
    void cutConnectionEndsTheBodyEarly();
    void delayHoldsTheAnswer();
    void queueAnswersBeforeTheHandler();

private:
    QNetworkReply *get(const QUrl &url, const QByteArray &range = QByteArray());
    QNetworkAccessManager m_network;
    FaultServer m_server;
};

void TestFaultServer::initTestCase()
{
    QVERIFY(m_server.listen());
}

QNetworkReply *TestFaultServer::get(const QUrl &url, const QByteArray &range)
{
    QNetworkRequest request(url);
    if (!range.isEmpty())
        request.setRawHeader("Range", range);
    QNetworkReply *reply = m_network.get(request);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(10000);
    return reply;
}

void TestFaultServer::servesRangesLikeNginx_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("contentRange");
    QTest::newRow("whole") << QByteArray() << 200 << QByteArray("0123456789") << QByteArray();
    QTest::newRow("middle") << QByteArray("bytes=2-4") << 206 << QByteArray("234") << QByteArray("bytes 2-4/10");
    QTest::newRow("open end") << QByteArray("bytes=7-") << 206 << QByteArray("789") << QByteArray("bytes 7-9/10");
    QTest::newRow("past the end") << QByteArray("bytes=10-20") << 416 << QByteArray() << QByteArray("bytes */10");
}

void TestFaultServer::servesRangesLikeNginx()
{
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, contentRange);
    m_server.setHandler([](const FaultRequest &request) { return FaultReply::resource("0123456789", request); });
    QScopedPointer<QNetworkReply> reply(get(m_server.url("/file"), range));
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
    QCOMPARE(reply->readAll(), body);
    QCOMPARE(reply->rawHeader("Content-Range"), contentRange);
}

void TestFaultServer::headGivesLengthWithoutBody()
{
    m_server.setHandler([](const FaultRequest &request) { return FaultReply::resource("0123456789", request); });
    QScopedPointer<QNetworkReply> reply(m_network.head(QNetworkRequest(m_server.url("/file"))));
    QSignalSpy finished(reply.data(), &QNetworkReply::finished);
    QVERIFY(finished.wait(10000));
    QCOMPARE(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(), 10);
    QCOMPARE(reply->error(), QNetworkReply::NoError);
}

void TestFaultServer::cutConnectionEndsTheBodyEarly()
{
    FaultReply cut = FaultReply::text(200, QByteArray(100000, 'x'));
    cut.cutAfterBodyBytes = 1000;
    m_server.enqueue(cut);
    QScopedPointer<QNetworkReply> reply(get(m_server.url("/cut")));
    QVERIFY(reply->error() != QNetworkReply::NoError);
    QVERIFY(reply->readAll().size() <= 1000);
}

void TestFaultServer::delayHoldsTheAnswer()
{
    FaultReply late = FaultReply::text(200, "late");
    late.delayMs = 300;
    m_server.enqueue(late);
    QElapsedTimer clock;
    clock.start();
    QScopedPointer<QNetworkReply> reply(get(m_server.url("/late")));
    QVERIFY(clock.elapsed() >= 250);
    QCOMPARE(reply->readAll(), QByteArray("late"));
}

void TestFaultServer::queueAnswersBeforeTheHandler()
{
    m_server.setHandler([](const FaultRequest &) { return FaultReply::text(200, "handler"); });
    m_server.enqueue(FaultReply::text(404, "queued"));
    const int before = m_server.requestCount();
    QScopedPointer<QNetworkReply> first(get(m_server.url("/a?x=1")));
    QScopedPointer<QNetworkReply> second(get(m_server.url("/b")));
    QCOMPARE(first->readAll(), QByteArray("queued"));
    QCOMPARE(second->readAll(), QByteArray("handler"));
    QCOMPARE(m_server.requests().at(before).target, QByteArray("/a?x=1"));
    QCOMPARE(m_server.requestCount(), before + 2);
}

QTEST_GUILESS_MAIN(TestFaultServer)
#include "tst_faultserver.moc"

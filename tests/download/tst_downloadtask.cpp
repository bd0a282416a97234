#include "download/downloadtask.h"
#include "download/packagefixture.h"
#include "support/faultserver.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

// One segment task on its own, with a receiver that writes nothing but keeps
// the books as the downloader does.
class TestDownloadTask : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void chunksArriveAtTheirPositions();
    void statusOtherThanPartialStops_data();
    void statusOtherThanPartialStops();
    void finishedTaskIsNotStartedAgain();

private:
    std::unique_ptr<FaultServer> m_server;
    std::unique_ptr<downloadtask> m_task;
};

void TestDownloadTask::init()
{
    m_server = std::make_unique<FaultServer>();
    QVERIFY(m_server->listen());
    m_task = std::make_unique<downloadtask>();
}

void TestDownloadTask::cleanup()
{
    m_task.reset();
    m_server.reset();
}

void TestDownloadTask::chunksArriveAtTheirPositions()
{
    const QByteArray content = PackageFixture::content(200000);
    m_server->setHandler([content](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        reply.chunkBytes = 20000;
        reply.chunkIntervalMs = 5;
        return reply;
    });
    QByteArray assembled(content.size(), '\0');
    qint64 expectedPosition = 5000;
    bool inOrder = true;
    connect(m_task.get(), &downloadtask::readyRead, this, [&](const QByteArray &chunk, qint64 position, int taskId) {
        inOrder = inOrder && position == expectedPosition && taskId == 3;
        assembled.replace(int(position), chunk.size(), chunk);
        expectedPosition += chunk.size();
        m_task->addSize(chunk.size());
    });
    m_task->setUrl(m_server->url(QStringLiteral("/game.7z")), 0, content.size(), 5000, 3);
    m_task->setFileSize(content.size());
    m_task->start();
    QVERIFY(QTest::qWaitFor([this] { return m_task->isFinished(); }, 10000));
    QVERIFY(inOrder);
    QCOMPARE(m_server->requests().first().header("Range"), QByteArray("bytes=5000-200000"));
    QCOMPARE(assembled.mid(5000), content.mid(5000));
}

void TestDownloadTask::statusOtherThanPartialStops_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("404") << 404 << QStringLiteral("Not Found");
    QTest::newRow("302") << 302 << QString();
}

void TestDownloadTask::statusOtherThanPartialStops()
{
    QFETCH(int, status);
    QFETCH(QString, message);
    m_server->setHandler([status](const FaultRequest &) {
        return FaultReply::text(status, "not the package").header("Location", "/elsewhere.7z");
    });
    QSignalSpy failed(m_task.get(), &downloadtask::httpStatusCodeError);
    m_task->setUrl(m_server->url(QStringLiteral("/game.7z")), 0, 1000, 0, 0);
    m_task->start();
    QVERIFY(failed.wait(10000));
    QCOMPARE(failed.first().at(0).toInt(), status);
    QCOMPARE(failed.first().at(1).toString(), message);
    QVERIFY(m_task->isStopped());
    QTest::qWait(100);
    QCOMPARE(m_server->requestCount(), 1);
}

void TestDownloadTask::finishedTaskIsNotStartedAgain()
{
    const QByteArray content = PackageFixture::content(1000);
    m_server->setHandler([content](const FaultRequest &request) { return FaultReply::resource(content, request); });
    connect(m_task.get(), &downloadtask::readyRead, this,
            [this](const QByteArray &chunk, qint64, int) { m_task->addSize(chunk.size()); });
    m_task->setUrl(m_server->url(QStringLiteral("/game.7z")), 0, content.size(), 0, 0);
    m_task->start();
    QVERIFY(QTest::qWaitFor([this] { return m_task->isFinished(); }, 10000));
    m_task->start();
    QTest::qWait(100);
    QCOMPARE(m_server->requestCount(), 1);
}

QTEST_GUILESS_MAIN(TestDownloadTask)
#include "tst_downloadtask.moc"

#include "common/errordefine.h"
#include "download/downloadmanager.h"
#include "download/downloadtask.h"
#include "download/packagefixture.h"
#include "support/faultserver.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

// The downloader against the scripted server, in this process: the answers
// nginx gives, and the ones it will not give on demand.
class TestDownloadManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void downloadsAndChecksDigest_data();
    void downloadsAndChecksDigest();
    void asksForBytesAsStored();
    void headRedirectRenamesEverything();
    void headFailureIsReported_data();
    void headFailureIsReported();
    void startBeforeSizeIsKnownStartsLater();
    void pauseAndResumeUseOneTask();
    void getAnsweredWithStatusFails_data();
    void getAnsweredWithStatusFails();
    void cutConnectionResumesAtPosition();
    void bodyEndingEarlyIsFetchedAgain();
    void stalledBodyRetriesThenFails();
    void wholeBodyForRangeStartsAgainFromZero();
    void misplacedPartialBodyIsNotWritten_data();
    void misplacedPartialBodyIsNotWritten();
    void longerBodyStopsAtPackageEnd();
    void repeatedWriteFailuresLeaveTheFileSound();
    void resumeRecordIsTrustedWithinTheSize_data();
    void resumeRecordIsTrustedWithinTheSize();
    void digestMismatchCleansUp();
    void existingFinalFileIsReplaced();
    void digestsFollowingEachOtherBothReport();
    void deletedWhileDigestRuns();
    void unrenamableFileKeepsItsRecord();
    void unsafeTargetIsRefused_data();
    void unsafeTargetIsRefused();

private:
    struct Outcome
    {
        bool verified = false;
        QString signal;
        int code = 0;
        QString text;
    };

    void serveContent(const QByteArray &content);
    void start(const QString &path, const QString &md5 = QString());
    Outcome waitForOutcome(int timeoutMs = 20000);
    void preparePartial(const QString &name, const QByteArray &prefix, qint64 total, qint64 recorded);
    qint64 recordedSize(const QString &name);
    QList<FaultRequest> gets() const;
    QByteArray finalBytes(const QString &name) const;

    std::unique_ptr<FaultServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<downloadmanager> m_manager;
    std::unique_ptr<QSignalSpy> m_verified;
    std::unique_ptr<QSignalSpy> m_downloadError;
    std::unique_ptr<QSignalSpy> m_httpError;
};

void TestDownloadManager::initTestCase()
{
    // The test's store lives under XDG_CONFIG_HOME, which CTest points into
    // the build tree.
    QCoreApplication::setOrganizationName(QStringLiteral("Tavoro"));
    QCoreApplication::setApplicationName(QStringLiteral("Aurelith Launcher download test"));
    ErrorDefine::registerMetaType();
}

void TestDownloadManager::init()
{
    QSettings().clear();
    QSettings().sync();
    m_server = std::make_unique<FaultServer>();
    QVERIFY(m_server->listen());
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_manager = std::make_unique<downloadmanager>();
    // Long enough that a busy machine causes no retries the tests would count.
    m_manager->setInactivityTimeout(3000);
    m_verified = std::make_unique<QSignalSpy>(m_manager.get(), &downloadmanager::md5CheckFinish);
    m_downloadError = std::make_unique<QSignalSpy>(m_manager.get(), &downloadmanager::downloadError);
    m_httpError = std::make_unique<QSignalSpy>(m_manager.get(), &downloadmanager::httpError);
}

void TestDownloadManager::cleanup()
{
    m_verified.reset();
    m_downloadError.reset();
    m_httpError.reset();
    m_manager.reset();
    m_server.reset();
    m_dir.reset();
}

void TestDownloadManager::serveContent(const QByteArray &content)
{
    m_server->setHandler([content](const FaultRequest &request) { return FaultReply::resource(content, request); });
}

void TestDownloadManager::start(const QString &path, const QString &md5)
{
    m_manager->setUrl(m_server->url(path));
    m_manager->setFilePath(m_dir->path());
    m_manager->setFileMD5(md5);
    m_manager->startDownload();
}

TestDownloadManager::Outcome TestDownloadManager::waitForOutcome(int timeoutMs)
{
    const bool ended = QTest::qWaitFor(
        [this] { return !m_verified->isEmpty() || !m_downloadError->isEmpty() || !m_httpError->isEmpty(); }, timeoutMs);
    Outcome outcome;
    if (!ended)
        outcome.text = QStringLiteral("neither verified nor failed in time");
    outcome.verified = !m_verified->isEmpty();
    QSignalSpy *error = !m_downloadError->isEmpty() ? m_downloadError.get()
                        : !m_httpError->isEmpty()   ? m_httpError.get()
                                                    : nullptr;
    if (error) {
        outcome.signal = error == m_downloadError.get() ? QStringLiteral("downloadError") : QStringLiteral("httpError");
        outcome.code = int(error->first().at(0).value<ErrorDefine::ErrorCode>());
        outcome.text = error->first().at(1).toString();
    }
    return outcome;
}

// A temporary file and resume record as an earlier, interrupted run leaves them.
void TestDownloadManager::preparePartial(const QString &name, const QByteArray &prefix, qint64 total, qint64 recorded)
{
    QFile file(m_dir->filePath(name + QStringLiteral("_tmp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(prefix);
    QVERIFY(file.resize(total));
    file.close();
    QSettings settings;
    settings.setValue(name + QStringLiteral("/0"), recorded);
    settings.sync();
}

qint64 TestDownloadManager::recordedSize(const QString &name)
{
    QSettings settings;
    return settings.value(name + QStringLiteral("/0"), -1).toLongLong();
}

QList<FaultRequest> TestDownloadManager::gets() const
{
    QList<FaultRequest> result;
    for (const FaultRequest &request : m_server->requests()) {
        if (request.method == "GET")
            result.append(request);
    }
    return result;
}

QByteArray TestDownloadManager::finalBytes(const QString &name) const
{
    QFile file(m_dir->filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestDownloadManager::downloadsAndChecksDigest_data()
{
    QTest::addColumn<bool>("upperCase");
    QTest::addColumn<bool>("withDigest");
    QTest::newRow("lower-case digest") << false << true;
    QTest::newRow("upper-case digest") << true << true;
    QTest::newRow("no digest") << false << false;
}

void TestDownloadManager::downloadsAndChecksDigest()
{
    QFETCH(bool, upperCase);
    QFETCH(bool, withDigest);
    const QByteArray content = PackageFixture::content(300000);
    serveContent(content);
    QString md5 = withDigest ? PackageFixture::md5(content) : QString();
    if (upperCase)
        md5 = md5.toUpper();
    QSignalSpy finished(m_manager.get(), &downloadmanager::downloadFinished);
    start(QStringLiteral("/packages/game.7z"), md5);
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finalBytes(QStringLiteral("game.7z")), content);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("game.7z_tmp"))));
    QCOMPARE(recordedSize(QStringLiteral("game.7z")), qint64(-1));
    const QList<FaultRequest> requests = m_server->requests();
    QCOMPARE(requests.first().method, QByteArray("HEAD"));
    QCOMPARE(gets().size(), 1);
    QCOMPARE(gets().first().header("Range"), QByteArray("bytes=0-300000"));
}

void TestDownloadManager::asksForBytesAsStored()
{
    const QByteArray content = PackageFixture::content(100000);
    // A server that compresses whenever the client lets it: offsets into a
    // compressed body are no file offsets.
    m_server->setHandler([content](const FaultRequest &request) {
        if (request.header("Accept-Encoding") != "identity")
            return FaultReply::text(200, qCompress(content)).header("Content-Encoding", "gzip");
        return FaultReply::resource(content, request);
    });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    for (const FaultRequest &request : m_server->requests())
        QCOMPARE(request.header("Accept-Encoding"), QByteArray("identity"));
}

void TestDownloadManager::headRedirectRenamesEverything()
{
    const QByteArray content = PackageFixture::content(400000);
    m_server->setHandler([content](const FaultRequest &request) {
        if (request.target == "/old/first.7z")
            return FaultReply::redirect(302, "../new/second.7z");
        FaultReply reply = FaultReply::resource(content, request);
        reply.chunkBytes = 16384;
        reply.chunkIntervalMs = 10;
        return reply;
    });
    QSignalSpy progress(m_manager.get(), &downloadmanager::downloadReplyProgress);
    start(QStringLiteral("/old/first.7z"), PackageFixture::md5(content));
    QVERIFY(QTest::qWaitFor([this] { return m_manager->getDownloadedSize() > 0; }, 10000));
    m_manager->stopDownlaod();
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("second.7z_tmp"))));
    QCOMPARE(recordedSize(QStringLiteral("second.7z")), m_manager->getDownloadedSize());
    QCOMPARE(recordedSize(QStringLiteral("first.7z")), qint64(-1));
    m_manager->startDownload();
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(finalBytes(QStringLiteral("second.7z")), content);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("second.7z")});
    const QList<FaultRequest> requests = m_server->requests();
    QCOMPARE(requests.at(1).method, QByteArray("HEAD"));
    QCOMPARE(requests.at(1).target, QByteArray("/new/second.7z"));
    for (const FaultRequest &get : gets())
        QCOMPARE(get.target, QByteArray("/new/second.7z"));
}

void TestDownloadManager::headFailureIsReported_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::newRow("304") << QStringLiteral("/not-modified.7z") << 304;
    QTest::newRow("404") << QStringLiteral("/missing.7z") << 404;
    QTest::newRow("no Content-Length") << QStringLiteral("/unsized.7z") << 200;
    QTest::newRow("endless redirects") << QStringLiteral("/loop/0.7z") << 302;
    QTest::newRow("redirect to ftp") << QStringLiteral("/elsewhere.7z") << 302;
    QTest::newRow("no answer") << QStringLiteral("/silent.7z") << 0;
}

void TestDownloadManager::headFailureIsReported()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    m_server->setHandler([](const FaultRequest &request) {
        if (request.target == "/not-modified.7z")
            return FaultReply::text(304);
        if (request.target == "/unsized.7z") {
            FaultReply reply = FaultReply::text(200, "unsized");
            reply.sendContentLength = false;
            return reply;
        }
        if (request.target.startsWith("/loop/"))
            return FaultReply::redirect(302, "/loop/" + QByteArray::number(request.index + 1) + ".7z");
        if (request.target == "/elsewhere.7z")
            return FaultReply::redirect(302, "ftp://127.0.0.1/elsewhere.7z");
        if (request.target == "/silent.7z") {
            FaultReply reply = FaultReply::text(200, "late");
            reply.delayMs = 60000;
            return reply;
        }
        return FaultReply::text(404, "not here");
    });
    m_manager->setInactivityTimeout(300);
    start(path);
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.signal, QStringLiteral("downloadError"));
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("网络资源获取失败(%1)").arg(status));
    QVERIFY(gets().isEmpty());
    QVERIFY(QDir(m_dir->path()).isEmpty());
    if (path.startsWith(QLatin1String("/loop/")))
        QCOMPARE(m_server->requestCount(), 11);
}

void TestDownloadManager::startBeforeSizeIsKnownStartsLater()
{
    const QByteArray content = PackageFixture::content(50000);
    m_server->setHandler([content](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        if (request.method == "HEAD")
            reply.delayMs = 300;
        return reply;
    });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    QVERIFY(m_manager->isDownloading());
    QCOMPARE(m_manager->getTotalSize(), qint64(0));
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(m_server->requestCount(), 2);
}

void TestDownloadManager::pauseAndResumeUseOneTask()
{
    const QByteArray content = PackageFixture::content(400000);
    m_server->setHandler([content](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        reply.chunkBytes = 16384;
        reply.chunkIntervalMs = 10;
        return reply;
    });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    QVERIFY(QTest::qWaitFor([this] { return m_manager->getDownloadedSize() > 0; }, 10000));
    m_manager->stopDownlaod();
    QVERIFY(!m_manager->isDownloading());
    const qint64 pausedAt = m_manager->getDownloadedSize();
    QVERIFY(pausedAt < content.size());
    const int requestsAtPause = m_server->requestCount();
    QTest::qWait(400);
    QCOMPARE(m_server->requestCount(), requestsAtPause);
    QCOMPARE(m_manager->getDownloadedSize(), pausedAt);
    QCOMPARE(recordedSize(QStringLiteral("game.7z")), pausedAt);

    m_manager->startDownload();
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(m_manager->findChildren<downloadtask *>().size(), 1);
    QCOMPARE(gets().size(), 2);
    QCOMPARE(gets().last().rangeStart, pausedAt);
    QCOMPARE(finalBytes(QStringLiteral("game.7z")), content);
}

void TestDownloadManager::getAnsweredWithStatusFails_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("404") << 404 << QByteArray("not the package");
    QTest::newRow("302") << 302 << QByteArray("not the package");
    QTest::newRow("302 without body") << 302 << QByteArray();
}

void TestDownloadManager::getAnsweredWithStatusFails()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    const QByteArray content = PackageFixture::content(50000);
    m_server->setHandler([content, status, body](const FaultRequest &request) {
        if (request.method == "HEAD")
            return FaultReply::resource(content, request);
        FaultReply reply = FaultReply::text(status, body);
        if (status == 302)
            reply.header("Location", "/elsewhere.7z");
        return reply;
    });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.signal, QStringLiteral("downloadError"));
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_NETWORK_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("网络请求错误(%1)").arg(status));
    QCOMPARE(gets().size(), 1);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("game.7z"))));
    QCOMPARE(recordedSize(QStringLiteral("game.7z")), qint64(-1));
}

void TestDownloadManager::cutConnectionResumesAtPosition()
{
    const QByteArray content = PackageFixture::content(300000);
    m_server->setHandler([content](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        if (request.method == "GET" && request.index == 1)
            reply.cutAfterBodyBytes = 70000;
        return reply;
    });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    // The retry asks from what was written: what the network thread still
    // held when the connection broke is fetched again. (Qt itself sometimes
    // sends the first request a second time when the connection closes, so
    // only the last request is looked at.)
    const qint64 resumedAt = gets().last().rangeStart;
    QVERIFY2(resumedAt > 0 && resumedAt <= 70000, QByteArray::number(resumedAt));
    QCOMPARE(finalBytes(QStringLiteral("game.7z")), content);
}

void TestDownloadManager::bodyEndingEarlyIsFetchedAgain()
{
    const QByteArray content = PackageFixture::content(200000);
    // No length and a closed connection: the body looks complete to the
    // client although the range is not.
    m_server->setHandler([content](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        if (request.method == "GET" && request.index == 1) {
            reply.body = reply.body.left(60000);
            reply.sendContentLength = false;
        }
        return reply;
    });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(gets().last().rangeStart, qint64(60000));
}

void TestDownloadManager::stalledBodyRetriesThenFails()
{
    const QByteArray content = PackageFixture::content(100000);
    m_server->setHandler([content](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        reply.stallAfterBodyBytes = 1000;
        return reply;
    });
    m_manager->setInactivityTimeout(300);
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.signal, QStringLiteral("httpError"));
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_NETWORK_REPLY_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("网络返回错误(4)"));
    const QList<FaultRequest> requests = gets();
    QCOMPARE(requests.size(), 5);
    for (int i = 0; i < requests.size(); ++i)
        QCOMPARE(requests.at(i).rangeStart, qint64(i * 1000));
    QCOMPARE(m_manager->getDownloadedSize(), qint64(5000));
}

void TestDownloadManager::wholeBodyForRangeStartsAgainFromZero()
{
    const QByteArray content = PackageFixture::content(200000);
    // What an earlier run left holds zeros where the package has data: only
    // a download that starts again at 0 gets the digest right.
    preparePartial(QStringLiteral("game.7z"), QByteArray(80000, '\0'), content.size(), 80000);
    m_server->setHandler(
        [content](const FaultRequest &request) { return FaultReply::resource(content, request, false); });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(gets().first().rangeStart, qint64(80000));
    QCOMPARE(finalBytes(QStringLiteral("game.7z")), content);
}

void TestDownloadManager::misplacedPartialBodyIsNotWritten_data()
{
    QTest::addColumn<QByteArray>("contentRange");
    QTest::newRow("starts at 0") << QByteArray("bytes 0-199999/200000");
    QTest::newRow("other total") << QByteArray("bytes 80000-199999/300000");
    QTest::newRow("none") << QByteArray();
}

void TestDownloadManager::misplacedPartialBodyIsNotWritten()
{
    QFETCH(QByteArray, contentRange);
    const QByteArray content = PackageFixture::content(200000);
    preparePartial(QStringLiteral("game.7z"), content.left(80000), content.size(), 80000);
    m_server->setHandler([content, contentRange](const FaultRequest &request) {
        if (request.method == "HEAD")
            return FaultReply::resource(content, request);
        FaultReply reply = FaultReply::text(206, content);
        if (!contentRange.isEmpty())
            reply.header("Content-Range", contentRange);
        return reply;
    });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.signal, QStringLiteral("downloadError"));
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_NETWORK_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("网络请求错误(206)"));
    QCOMPARE(m_manager->getDownloadedSize(), qint64(80000));
    m_manager.reset();
    QCOMPARE(recordedSize(QStringLiteral("game.7z")), qint64(80000));
    QFile temp(m_dir->filePath(QStringLiteral("game.7z_tmp")));
    QVERIFY(temp.open(QIODevice::ReadOnly));
    QCOMPARE(temp.readAll(), content.left(80000) + QByteArray(120000, '\0'));
}

void TestDownloadManager::longerBodyStopsAtPackageEnd()
{
    const QByteArray content = PackageFixture::content(200000);
    m_server->setHandler([content](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        if (request.method == "GET")
            reply.body += QByteArray(30000, 'x');
        return reply;
    });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(finalBytes(QStringLiteral("game.7z")), content);
}

// A full disk, a resume that fails again, space freed, a third resume: no
// bytes of a failed write may turn up later at another offset.
void TestDownloadManager::repeatedWriteFailuresLeaveTheFileSound()
{
    const QByteArray content = PackageFixture::content(200000);
    preparePartial(QStringLiteral("game.7z"), QByteArray(), content.size(), 0);
    m_server->setHandler([content](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        reply.chunkBytes = 4096;
        reply.chunkIntervalMs = 3;
        return reply;
    });
    // Writes past the limit come back short, then fail, as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit original{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &original) == 0);
    rlimit limited = original;
    limited.rlim_cur = 100001;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    QVERIFY(QTest::qWaitFor([this] { return m_downloadError->size() == 1; }, 20000));
    m_manager->startDownload();
    const bool failedAgain = QTest::qWaitFor([this] { return m_downloadError->size() == 2; }, 20000);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &original) == 0);
    QVERIFY(failedAgain);
    QVERIFY(m_manager->getDownloadedSize() <= 100001);
    m_downloadError->clear();
    m_manager->startDownload();
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(finalBytes(QStringLiteral("game.7z")), content);
}

void TestDownloadManager::resumeRecordIsTrustedWithinTheSize_data()
{
    QTest::addColumn<int>("onDisk");
    QTest::addColumn<qint64>("recorded");
    QTest::addColumn<bool>("tasksBeforeSize");
    QTest::addColumn<qint64>("firstRequested"); // -1: nothing is fetched
    // Stopped between the last chunk and the rename.
    QTest::newRow("complete") << 100000 << qint64(100000) << false << qint64(-1);
    QTest::newRow("past the size") << 0 << qint64(100005) << false << qint64(0);
    // Tasks made before the size is known would cover nothing, and the record
    // would look out of range.
    QTest::newRow("tasks set up before the size") << 40000 << qint64(40000) << true << qint64(40000);
}

void TestDownloadManager::resumeRecordIsTrustedWithinTheSize()
{
    QFETCH(int, onDisk);
    QFETCH(qint64, recorded);
    QFETCH(bool, tasksBeforeSize);
    QFETCH(qint64, firstRequested);
    const QByteArray content = PackageFixture::content(100000);
    preparePartial(QStringLiteral("game.7z"), content.left(onDisk), content.size(), recorded);
    serveContent(content);
    m_manager->setUrl(m_server->url(QStringLiteral("/packages/game.7z")));
    m_manager->setFilePath(m_dir->path());
    m_manager->setFileMD5(PackageFixture::md5(content));
    if (tasksBeforeSize)
        m_manager->initTasks();
    m_manager->startDownload();
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(gets().isEmpty() ? qint64(-1) : gets().first().rangeStart, firstRequested);
    QCOMPARE(finalBytes(QStringLiteral("game.7z")), content);
}

void TestDownloadManager::digestMismatchCleansUp()
{
    const QByteArray content = PackageFixture::content(100000);
    serveContent(content);
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5("something else"));
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.signal, QStringLiteral("downloadError"));
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_MD5_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("文件校验错误"));
    QVERIFY(QDir(m_dir->path()).isEmpty());
    QCOMPARE(recordedSize(QStringLiteral("game.7z")), qint64(-1));
}

void TestDownloadManager::existingFinalFileIsReplaced()
{
    const QByteArray content = PackageFixture::content(100000);
    QFile old(m_dir->filePath(QStringLiteral("game.7z")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an older package");
    old.close();
    serveContent(content);
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(finalBytes(QStringLiteral("game.7z")), content);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("game.7z_tmp"))));
}

// A check asked for as soon as the previous one reports, while the digest
// thread has not yet left its event loop, must not be lost.
void TestDownloadManager::digestsFollowingEachOtherBothReport()
{
    const QString path = m_dir->filePath(QStringLiteral("game.7z"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PackageFixture::content(100000));
    file.close();
    connect(m_manager.get(), &downloadmanager::md5CheckFinish, this, [this, path] {
        if (m_verified->size() == 1)
            m_manager->fileMd5(path);
    });
    m_manager->fileMd5(path);
    QVERIFY(QTest::qWaitFor([this] { return m_verified->size() == 2; }, 10000));
}

// The owner may go while a large package is being checked: the thread is
// waited for, and its result reaches nothing.
void TestDownloadManager::deletedWhileDigestRuns()
{
    const QString path = m_dir->filePath(QStringLiteral("game.7z"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PackageFixture::content(16 * 1024 * 1024));
    file.close();
    m_manager->fileMd5(path);
    m_manager.reset();
    QTest::qWait(50);
    QVERIFY(m_verified->isEmpty());
}

void TestDownloadManager::unrenamableFileKeepsItsRecord()
{
    // A folder in the final file's place cannot be replaced: say so, and keep
    // the finished bytes and their record for the next start.
    const QByteArray content = PackageFixture::content(100000);
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("game.7z/occupied"))));
    serveContent(content);
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.signal, QStringLiteral("downloadError"));
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("文件打开失败"));
    QVERIFY(m_verified->isEmpty());
    QCOMPARE(recordedSize(QStringLiteral("game.7z")), qint64(content.size()));
    QFile temp(m_dir->filePath(QStringLiteral("game.7z_tmp")));
    QVERIFY(temp.open(QIODevice::ReadOnly));
    QCOMPARE(temp.readAll(), content);
}

void TestDownloadManager::unsafeTargetIsRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("withFolder");
    QTest::newRow("dot dot") << QStringLiteral("/packages/%2E%2E") << true;
    QTest::newRow("dot") << QStringLiteral("/packages/%2E") << true;
    QTest::newRow("encoded slash") << QStringLiteral("/packages/..%2Fescape.7z") << true;
    QTest::newRow("encoded backslash") << QStringLiteral("/packages/..%5Cescape.7z") << true;
    QTest::newRow("no name") << QStringLiteral("/packages/") << true;
    // Windows drops trailing dots and spaces: ".. " would be the parent.
    QTest::newRow("dot dot space") << QStringLiteral("/packages/..%20") << true;
    QTest::newRow("trailing dot") << QStringLiteral("/packages/game.7z.") << true;
    QTest::newRow("no folder") << QStringLiteral("/packages/game.7z") << false;
}

void TestDownloadManager::unsafeTargetIsRefused()
{
    QFETCH(QString, path);
    QFETCH(bool, withFolder);
    const QByteArray content = PackageFixture::content(10000);
    serveContent(content);
    const QString folder = m_dir->filePath(QStringLiteral("inside/target"));
    QVERIFY(QDir().mkpath(folder));
    m_manager->setUrl(m_server->url(path));
    m_manager->setFilePath(withFolder ? folder : QString());
    m_manager->startDownload();
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.signal, QStringLiteral("downloadError"));
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("文件打开失败"));
    QVERIFY(gets().isEmpty());
    QVERIFY(QDir(folder).isEmpty());
    QCOMPARE(QDir(m_dir->filePath(QStringLiteral("inside"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("target")});
    QVERIFY(QSettings().allKeys().isEmpty());
}

QTEST_GUILESS_MAIN(TestDownloadManager)
#include "tst_downloadmanager.moc"

#include "common/errordefine.h"
#include "download/downloadmanager.h"
#include "download/packagefixture.h"
#include "net/updateversioninfo.h"
#include "support/faultserver.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

using Handler = FaultServer::Handler;

// The downloader against the scripted server, in this process: the answers
// nginx gives, and the ones it will not give on demand.
class TestDownloadManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void downloadsThrough_data();
    void downloadsThrough();
    void headFailureIsReported_data();
    void headFailureIsReported();
    void getStatusStopsAndKeepsThePackage_data();
    void getStatusStopsAndKeepsThePackage();
    void failuresInARowWithoutProgressEnd();
    void resumeRecord_data();
    void resumeRecord();
    void redirectKeepsTheNameAndDestructionSavesTheRecord();
    void newUrlCancelsThePendingSizeRequest();
    void existingFinalFile_data();
    void existingFinalFile();
    void writeFailureStopsAndReportsOnce();
    void digestMismatchCleansUp();
    void unreadablePackageFailsItsCheck();
    void deletedWhileDigestRuns();
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

    Handler resource(const QByteArray &content, std::function<void(const FaultRequest &, FaultReply &)> fault = {});
    void start(const QString &path, const QString &md5 = QString(), bool waitForSize = false);
    void makeManager();
    Outcome waitForOutcome(int timeoutMs = 20000);
    void preparePartial(const QByteArray &prefix, qint64 total, qint64 recorded, const QString &recordPath = {});
    qint64 recordedSize(const QString &name = QStringLiteral("game.7z"));
    QList<FaultRequest> gets() const;
    QByteArray bytesOf(const QString &name) const;
    void writeFile(const QString &name, const QByteArray &bytes);

    std::unique_ptr<FaultServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<downloadmanager> m_manager;
    std::unique_ptr<QSignalSpy> m_verified;
    std::unique_ptr<QSignalSpy> m_downloadError;
    std::unique_ptr<QSignalSpy> m_httpError;
};

void TestDownloadManager::initTestCase()
{
    // The store lives under XDG_CONFIG_HOME, which CTest points into the build tree.
    QCoreApplication::setOrganizationName(QStringLiteral("Tavoro"));
    QCoreApplication::setApplicationName(QStringLiteral("Aurelith Launcher download test"));
}

void TestDownloadManager::init()
{
    QSettings().clear();
    QSettings().sync();
    m_server = std::make_unique<FaultServer>();
    QVERIFY(m_server->listen());
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    makeManager();
}

void TestDownloadManager::makeManager()
{
    m_manager = std::make_unique<downloadmanager>();
    // Long enough that a busy machine causes no retries the tests would count.
    m_manager->setInactivityTimeout(3000);
    m_manager->setRetryDelay(50);
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

Handler TestDownloadManager::resource(const QByteArray &content,
                                      std::function<void(const FaultRequest &, FaultReply &)> fault)
{
    return [content, fault](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        if (fault)
            fault(request, reply);
        return reply;
    };
}

void TestDownloadManager::start(const QString &path, const QString &md5, bool waitForSize)
{
    m_manager->setUrl(m_server->url(path));
    m_manager->setFilePath(m_dir->path());
    m_manager->setFileMD5(md5);
    if (waitForSize)
        QVERIFY(QTest::qWaitFor([this] { return m_manager->getTotalSize() > 0; }, 10000));
    m_manager->startDownload();
}

TestDownloadManager::Outcome TestDownloadManager::waitForOutcome(int timeoutMs)
{
    static_cast<void>(QTest::qWaitFor(
        [this] { return !m_verified->isEmpty() || !m_downloadError->isEmpty() || !m_httpError->isEmpty(); },
        timeoutMs));
    Outcome outcome;
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
void TestDownloadManager::preparePartial(const QByteArray &prefix, qint64 total, qint64 recorded,
                                         const QString &recordPath)
{
    QFile file(m_dir->filePath(QStringLiteral("game.7z_tmp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(prefix);
    QVERIFY(file.resize(total));
    QSettings settings;
    settings.setValue(QStringLiteral("game.7z/0"), recorded);
    if (!recordPath.isEmpty())
        settings.setValue(QStringLiteral("game.7z/path"), recordPath);
}

qint64 TestDownloadManager::recordedSize(const QString &name)
{
    return QSettings().value(name + QStringLiteral("/0"), -1).toLongLong();
}

QList<FaultRequest> TestDownloadManager::gets() const
{
    QList<FaultRequest> result;
    for (const FaultRequest &request : m_server->requests()) {
        if (request.method == "GET" && request.header("Range") != "bytes=0-0")
            result.append(request);
    }
    return result;
}

QByteArray TestDownloadManager::bytesOf(const QString &name) const
{
    QFile file(m_dir->filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestDownloadManager::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Servers and networks that misbehave in ways a download gets through.
void TestDownloadManager::downloadsThrough_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("upperCaseDigest");
    QTest::addColumn<int>("minRetryGapMs"); // between the first two requests of a kind
    QTest::newRow("plain, upper-case digest") << "plain" << true << 0;
    QTest::newRow("compresses unless told not to") << "gzip" << false << 0;
    QTest::newRow("HEAD refused with 405") << "405" << false << 0;
    QTest::newRow("HEAD refused with 501") << "501" << false << 0;
    QTest::newRow("probe answered with the whole file") << "405 whole" << false << 0;
    QTest::newRow("eight drops with progress between") << "drops" << false << 0;
    QTest::newRow("503 twice on HEAD and GET") << "503" << false << 0;
    QTest::newRow("503 twice with Retry-After: 1") << "503 retry-after" << false << 900;
    QTest::newRow("body ends early without error") << "short" << false << 0;
    QTest::newRow("body longer than the package") << "long" << false << 0;
}

void TestDownloadManager::downloadsThrough()
{
    QFETCH(QString, server);
    QFETCH(bool, upperCaseDigest);
    QFETCH(int, minRetryGapMs);
    const QByteArray content = PackageFixture::content(300000);
    auto failures = std::make_shared<QMap<QByteArray, int>>();
    m_server->setHandler(resource(content, [content, server, failures](const FaultRequest &request, FaultReply &reply) {
        const bool get = request.method == "GET";
        if (server == "gzip" && request.header("Accept-Encoding") != "identity")
            reply = FaultReply::text(200, qCompress(content)).header("Content-Encoding", "gzip");
        if (server.startsWith("405") && !get)
            reply = FaultReply::text(server.left(3).toInt());
        if (server == "501" && !get)
            reply = FaultReply::text(501);
        if (server == "405 whole" && get && request.rangeEnd == 0)
            reply.body = content, reply.status = 200, reply.headers.clear();
        if (server == "drops" && get && request.rangeStart < 280000)
            reply.cutAfterBodyBytes = 35000;
        if (server.startsWith("503") && (*failures)[request.method]++ < 2) {
            reply = FaultReply::text(503, "busy");
            if (server.endsWith("retry-after"))
                reply.header("Retry-After", "1");
        }
        if (server == "short" && get && request.rangeStart == 0)
            reply.body = reply.body.left(60000), reply.sendContentLength = false;
        if (server == "long" && get)
            reply.body += QByteArray(30000, 'x');
    }));
    QSignalSpy finished(m_manager.get(), &downloadmanager::downloadFinished);
    const QString md5 = PackageFixture::md5(content);
    start(QStringLiteral("/packages/game.7z"), upperCaseDigest ? md5.toUpper() : md5);
    const Outcome outcome = waitForOutcome(30000);
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(bytesOf(QStringLiteral("game.7z")), content);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("game.7z")});
    QVERIFY(QSettings().childKeys().isEmpty() && QSettings().childGroups().isEmpty());
    const QList<FaultRequest> requests = m_server->requests();
    for (const FaultRequest &request : requests)
        QCOMPARE(request.header("Accept-Encoding"), QByteArray("identity"));
    if (minRetryGapMs > 0)
        QVERIFY(requests.at(1).receivedMs - requests.at(0).receivedMs >= minRetryGapMs);
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
    QTest::newRow("busy for good") << QStringLiteral("/busy.7z") << 503;
}

void TestDownloadManager::headFailureIsReported()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    m_server->setHandler([](const FaultRequest &request) {
        FaultReply reply = FaultReply::text(404, "not here");
        if (request.target == "/not-modified.7z")
            reply = FaultReply::text(304);
        if (request.target == "/unsized.7z")
            reply = FaultReply::text(200, "unsized"), reply.sendContentLength = false;
        if (request.target.startsWith("/loop/"))
            reply = FaultReply::redirect(302, "/loop/" + QByteArray::number(request.index + 1) + ".7z");
        if (request.target == "/elsewhere.7z")
            reply = FaultReply::redirect(302, "ftp://127.0.0.1/elsewhere.7z");
        if (request.target == "/silent.7z")
            reply = FaultReply::text(200, "late"), reply.delayMs = 60000;
        if (request.target == "/busy.7z")
            reply = FaultReply::text(503);
        return reply;
    });
    m_manager->setInactivityTimeout(300);
    start(path);
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.signal, QStringLiteral("downloadError"));
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("网络资源获取失败(%1)").arg(status));
    QVERIFY(gets().isEmpty());
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

// Answers to the GET that are not the package: the download stops before it
// reports, once, and a finished package already in the folder stays.
void TestDownloadManager::getStatusStopsAndKeepsThePackage_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("contentRange");
    QTest::addColumn<int>("reported");
    QTest::newRow("404") << 404 << QByteArray() << 404;
    QTest::newRow("302") << 302 << QByteArray() << 302;
    QTest::newRow("206 from 0") << 206 << QByteArray("bytes 0-199999/200000") << 206;
    QTest::newRow("206 of another size") << 206 << QByteArray("bytes 80000-199999/300000") << 206;
    QTest::newRow("206 without range") << 206 << QByteArray() << 206;
}

void TestDownloadManager::getStatusStopsAndKeepsThePackage()
{
    QFETCH(int, status);
    QFETCH(QByteArray, contentRange);
    QFETCH(int, reported);
    const QByteArray content = PackageFixture::content(200000);
    writeFile(QStringLiteral("game.7z"), "a verified older package");
    preparePartial(content.left(80000), content.size(), 80000);
    m_server->setHandler(resource(content, [&](const FaultRequest &request, FaultReply &reply) {
        if (request.method == "GET") {
            reply = FaultReply::text(status, status == 206 ? content : "not the package");
            if (status == 302)
                reply.header("Location", "/b.7z");
            if (!contentRange.isEmpty())
                reply.header("Content-Range", contentRange);
        }
    }));
    QList<bool> downloadingWhenReported;
    connect(m_manager.get(), &downloadmanager::downloadError, this, [&] {
        downloadingWhenReported.append(m_manager->isDownloading());
        QTest::qWait(200); // a modal message box
    });
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_NETWORK_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("网络请求错误(%1)").arg(reported));
    QCOMPARE(downloadingWhenReported, QList<bool>{false});
    QCOMPARE(gets().size(), 1);
    QCOMPARE(bytesOf(QStringLiteral("game.7z")), QByteArray("a verified older package"));
    m_manager.reset();
    QCOMPARE(recordedSize(), qint64(80000));
    QCOMPARE(bytesOf(QStringLiteral("game.7z_tmp")), content.left(80000) + QByteArray(120000, '\0'));
}

// Bytes, then a server that stalls: failures count from the last progress,
// and the limit ends them.
void TestDownloadManager::failuresInARowWithoutProgressEnd()
{
    const QByteArray content = PackageFixture::content(100000);
    m_server->setHandler(resource(content, [](const FaultRequest &request, FaultReply &reply) {
        reply.stallAfterBodyBytes = request.rangeStart == 0 ? 1000 : 0;
    }));
    m_manager->setInactivityTimeout(300);
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.signal, QStringLiteral("httpError"));
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_NETWORK_REPLY_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("网络返回错误(4)"));
    const QList<FaultRequest> requests = gets();
    QCOMPARE(requests.size(), 6);
    for (int i = 1; i < requests.size(); ++i)
        QCOMPARE(requests.at(i).rangeStart, qint64(1000));
    QCOMPARE(m_manager->getDownloadedSize(), qint64(1000));
}

void TestDownloadManager::resumeRecord_data()
{
    QTest::addColumn<int>("onDisk");
    QTest::addColumn<qint64>("recorded");
    QTest::addColumn<bool>("otherFolder");
    QTest::addColumn<bool>("tasksBeforeSize");
    QTest::addColumn<qint64>("firstRequested"); // -1: nothing is fetched
    // Stopped between the last chunk and the rename.
    QTest::newRow("complete") << 100000 << qint64(100000) << false << false << qint64(-1);
    QTest::newRow("past the size") << 0 << qint64(100005) << false << false << qint64(0);
    QTest::newRow("halfway") << 40000 << qint64(40000) << false << false << qint64(40000);
    // Tasks made before the size is known would cover nothing.
    QTest::newRow("tasks set up before the size") << 40000 << qint64(40000) << false << true << qint64(40000);
    QTest::newRow("record of another folder") << 0 << qint64(40000) << true << false << qint64(0);
}

void TestDownloadManager::resumeRecord()
{
    QFETCH(int, onDisk);
    QFETCH(qint64, recorded);
    QFETCH(bool, otherFolder);
    QFETCH(bool, tasksBeforeSize);
    QFETCH(qint64, firstRequested);
    const QByteArray content = PackageFixture::content(100000);
    const QString otherPath = m_dir->filePath(QStringLiteral("other/game.7z_tmp"));
    preparePartial(content.left(onDisk), content.size(), recorded, otherFolder ? otherPath : QString());
    m_server->setHandler(resource(content));
    QSignalSpy finished(m_manager.get(), &downloadmanager::downloadFinished);
    QSignalSpy progress(m_manager.get(), &downloadmanager::downloadReplyProgress);
    if (tasksBeforeSize) {
        m_manager->setUrl(m_server->url(QStringLiteral("/packages/game.7z")));
        m_manager->setFilePath(m_dir->path());
        m_manager->initTasks();
    }
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content), true);
    QCOMPARE(finished.count(), 0);
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(gets().isEmpty() ? qint64(-1) : gets().first().rangeStart, firstRequested);
    QCOMPARE(bytesOf(QStringLiteral("game.7z")), content);
    // Progress counts the package's bytes, from where the download resumed.
    for (const QList<QVariant> &report : qAsConst(progress))
        QVERIFY(report.at(0).toLongLong() >= qMax<qint64>(firstRequested, 0));
    QCOMPARE(progress.last().at(0).toLongLong(), qint64(content.size()));
    QCOMPARE(recordedSize(), otherFolder ? recorded : qint64(-1));
}

void TestDownloadManager::redirectKeepsTheNameAndDestructionSavesTheRecord()
{
    const QByteArray content = PackageFixture::content(400000);
    writeFile(QStringLiteral("settings.dat"), "keep me");
    m_server->setHandler(resource(content, [](const FaultRequest &request, FaultReply &reply) {
        if (request.target == "/old/first.7z")
            reply = FaultReply::redirect(302, "../new/settings.dat");
        reply.chunkBytes = 16384;
        reply.chunkIntervalMs = 10;
    }));
    start(QStringLiteral("/old/first.7z"), PackageFixture::md5(content));
    QVERIFY(QTest::qWaitFor([this] { return m_manager->getDownloadedSize() > 5 * 16384; }, 10000));
    const qint64 written = m_manager->getDownloadedSize();
    m_manager.reset();
    QCOMPARE(recordedSize(QStringLiteral("first.7z")), written);
    makeManager();
    start(QStringLiteral("/old/first.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(gets().last().rangeStart, written);
    QCOMPARE(gets().last().target, QByteArray("/new/settings.dat"));
    QCOMPARE(bytesOf(QStringLiteral("first.7z")), content);
    QCOMPARE(bytesOf(QStringLiteral("settings.dat")), QByteArray("keep me"));
}

void TestDownloadManager::newUrlCancelsThePendingSizeRequest()
{
    const QByteArray content = PackageFixture::content(100000);
    m_server->setHandler(resource(content, [](const FaultRequest &request, FaultReply &reply) {
        if (request.target == "/slow/old.7z")
            reply = FaultReply::redirect(302, "/elsewhere/old.7z"), reply.delayMs = 300;
    }));
    m_manager->setUrl(m_server->url(QStringLiteral("/slow/old.7z")));
    QVERIFY(m_server->waitForRequests(1));
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QTest::qWait(400);
    for (const FaultRequest &request : m_server->requests())
        QVERIFY(request.target != "/elsewhere/old.7z");
}

void TestDownloadManager::existingFinalFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("package") << QStringLiteral("game.7z") << true;
    QTest::newRow("picture, upper-case suffix") << QStringLiteral("bg.PNG") << true;
    QTest::newRow("settings") << QStringLiteral("config.ini") << false;
    QTest::newRow("library") << QStringLiteral("7z.so") << false;
}

void TestDownloadManager::existingFinalFile()
{
    QFETCH(QString, name);
    QFETCH(bool, replaced);
    const QByteArray content = PackageFixture::content(100000);
    writeFile(name, "one of ours");
    m_server->setHandler(resource(content));
    start(QStringLiteral("/files/") + name, PackageFixture::md5(content));
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.verified, replaced);
    QCOMPARE(bytesOf(name), replaced ? content : QByteArray("one of ours"));
    QCOMPARE(gets().isEmpty(), !replaced);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{name});
    if (!replaced)
        QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR));
}

// A full disk (a file-size limit here), a resume that fails again, space
// freed, a third resume: each failure stops before it is reported, and no
// bytes of a failed write turn up later at another offset.
void TestDownloadManager::writeFailureStopsAndReportsOnce()
{
    const QByteArray content = PackageFixture::content(200000);
    preparePartial(QByteArray(), content.size(), 0);
    m_server->setHandler(resource(content, [](const FaultRequest &, FaultReply &reply) {
        reply.chunkBytes = 4096;
        reply.chunkIntervalMs = 3;
    }));
    connect(m_manager.get(), &downloadmanager::downloadError, this, [] { QTest::qWait(300); });
    rlimit original{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &original) == 0);
    rlimit limited = original;
    limited.rlim_cur = 100001;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
    const bool failed = QTest::qWaitFor([this] { return m_downloadError->size() == 1; }, 20000);
    QTest::qWait(100);
    const int reports = m_downloadError->size();
    m_manager->startDownload();
    const bool failedAgain = QTest::qWaitFor([this] { return m_downloadError->size() == 2; }, 20000);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &original) == 0);
    QVERIFY(failed && failedAgain);
    QCOMPARE(reports, 1);
    QCOMPARE(m_downloadError->first().at(0).value<ErrorDefine::ErrorCode>(), ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR);
    QVERIFY(m_manager->getDownloadedSize() <= 100001);
    m_downloadError->clear();
    m_manager->startDownload();
    const Outcome outcome = waitForOutcome();
    QVERIFY2(outcome.verified, qPrintable(outcome.text));
    QCOMPARE(bytesOf(QStringLiteral("game.7z")), content);
}

void TestDownloadManager::digestMismatchCleansUp()
{
    m_server->setHandler(resource(PackageFixture::content(100000)));
    start(QStringLiteral("/packages/game.7z"), PackageFixture::md5("something else"));
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_MD5_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("文件校验错误"));
    QVERIFY(QDir(m_dir->path()).isEmpty());
    QVERIFY(QSettings().childGroups().isEmpty());
}

// Reading /proc/self/mem from its start fails with EIO: a read error must not
// pass for the end of the file, not even when no digest is expected.
void TestDownloadManager::unreadablePackageFailsItsCheck()
{
    m_manager->fileMd5(QStringLiteral("/proc/self/mem"));
    QCOMPARE(waitForOutcome().code, int(ErrorDefine::DOWNLOAD_MD5_ERROR));
}

// The owner may go while a large package is being checked: the thread is
// waited for, and its result reaches nothing.
void TestDownloadManager::deletedWhileDigestRuns()
{
    writeFile(QStringLiteral("game.7z"), PackageFixture::content(16 * 1024 * 1024));
    m_manager->fileMd5(m_dir->filePath(QStringLiteral("game.7z")));
    m_manager.reset();
    QTest::qWait(50);
    QVERIFY(m_verified->isEmpty());
}

// One rule names the file for the downloader and for the version info.
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
    QTest::newRow("drive or stream") << QStringLiteral("/packages/C%3Agame.7z") << true;
    QTest::newRow("control character") << QStringLiteral("/packages/a%0Ab.7z") << true;
    QTest::newRow("no folder") << QStringLiteral("/packages/game.7z") << false;
}

void TestDownloadManager::unsafeTargetIsRefused()
{
    QFETCH(QString, path);
    QFETCH(bool, withFolder);
    m_server->setHandler(resource(PackageFixture::content(10000)));
    const QString folder = m_dir->filePath(QStringLiteral("inside/target"));
    QVERIFY(QDir().mkpath(folder));
    m_manager->setUrl(m_server->url(path));
    m_manager->setFilePath(withFolder ? folder : QString());
    m_manager->startDownload();
    const Outcome outcome = waitForOutcome();
    QCOMPARE(outcome.code, int(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR));
    QCOMPARE(outcome.text, QStringLiteral("文件打开失败"));
    QVERIFY(gets().isEmpty());
    QCOMPARE(QDir(m_dir->filePath(QStringLiteral("inside"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("target")});
    QVERIFY(QDir(folder).isEmpty());
    QVERIFY(QSettings().allKeys().isEmpty());
    if (withFolder)
        QCOMPARE(UpdateVersionInfo::urlFileName(m_server->url(path).toString(QUrl::FullyEncoded)), QString());
}

QTEST_GUILESS_MAIN(TestDownloadManager)
#include "tst_downloadmanager.moc"

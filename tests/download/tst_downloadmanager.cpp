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

#include <memory>
#include <sys/resource.h>

using Fault = std::function<void(const FaultRequest &, FaultReply &)>;
static const QString kVerified = QStringLiteral("verified");

// What a modal message box does to its caller: an event loop of its own.
static void showModalMessage()
{
    QEventLoop loop;
    QTimer::singleShot(200, &loop, &QEventLoop::quit);
    loop.exec();
}

// The downloader against the scripted server, in this process: the answers
// nginx gives, and the ones it will not give on demand.
class TestDownloadManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The store lives under XDG_CONFIG_HOME, which CTest points into the build tree.
        QCoreApplication::setOrganizationName(QStringLiteral("Tavoro"));
        QCoreApplication::setApplicationName(QStringLiteral("Aurelith Launcher download test"));
    }

    void init()
    {
        QSettings().clear();
        m_server = std::make_unique<FaultServer>();
        QVERIFY(m_server->listen());
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        makeManager();
    }

    void cleanup()
    {
        m_manager.reset();
        m_outcomes.reset();
        m_server.reset();
        m_dir.reset();
    }

    // Servers and networks that misbehave in ways a download gets through.
    void downloadsThrough_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("minRetryGapMs"); // between the first two requests
        QTest::newRow("plain, upper-case digest") << "plain" << 0;
        QTest::newRow("compresses unless told not to") << "gzip" << 0;
        QTest::newRow("HEAD refused with 405") << "405" << 0;
        QTest::newRow("HEAD refused with 501") << "501" << 0;
        QTest::newRow("probe answered with the whole file") << "405 whole" << 0;
        QTest::newRow("eight drops with progress between") << "drops" << 0;
        QTest::newRow("503 twice on HEAD and GET") << "503" << 0;
        QTest::newRow("503 twice with Retry-After: 1") << "503 retry-after" << 900;
        QTest::newRow("body ends early without error") << "short" << 0;
        QTest::newRow("body longer than the package") << "long" << 0;
    }

    void downloadsThrough()
    {
        QFETCH(QString, server);
        QFETCH(int, minRetryGapMs);
        const QByteArray content = PackageFixture::content(300000);
        auto failures = std::make_shared<QMap<QByteArray, int>>();
        serve(content, [content, server, failures](const FaultRequest &request, FaultReply &reply) {
            const bool get = request.method == "GET";
            if (server == "gzip" && request.header("Accept-Encoding") != "identity")
                reply = FaultReply::text(200, qCompress(content)).header("Content-Encoding", "gzip");
            if ((server.startsWith("405") || server == "501") && !get)
                reply = FaultReply::text(server.left(3).toInt());
            if (server == "405 whole" && get && request.rangeEnd == 0)
                reply = FaultReply::text(200, content);
            if (server == "drops" && get && request.rangeStart < 280000)
                reply.cutAfterBodyBytes = 35000;
            if (server.startsWith("503") && (*failures)[request.method]++ < 2)
                reply = FaultReply::text(503, "busy").header("Retry-After", server.endsWith("after") ? "1" : "");
            if (server == "short" && get && request.rangeStart == 0)
                reply.body = reply.body.left(60000), reply.sendContentLength = false;
            if (server == "long" && get)
                reply.body += QByteArray(30000, 'x');
        });
        QSignalSpy finished(m_manager.get(), &downloadmanager::downloadFinished);
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content).toUpper());
        QCOMPARE(outcome(30000), kVerified);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(bytesOf(QStringLiteral("game.7z")), content);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("game.7z")});
        QVERIFY(QSettings().allKeys().isEmpty());
        const QList<FaultRequest> requests = m_server->requests();
        for (const FaultRequest &request : requests)
            QCOMPARE(request.header("Accept-Encoding"), QByteArray("identity"));
        QVERIFY(requests.at(1).receivedMs - requests.at(0).receivedMs >= minRetryGapMs);
    }

    void headFailureIsReported_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::newRow("304") << QStringLiteral("/304.7z") << 304;
        QTest::newRow("404") << QStringLiteral("/missing.7z") << 404;
        QTest::newRow("no Content-Length") << QStringLiteral("/unsized.7z") << 200;
        QTest::newRow("endless redirects") << QStringLiteral("/loop/0.7z") << 302;
        QTest::newRow("redirect to ftp") << QStringLiteral("/ftp.7z") << 302;
        QTest::newRow("no answer") << QStringLiteral("/silent.7z") << 0;
        QTest::newRow("busy for good") << QStringLiteral("/503.7z") << 503;
    }

    void headFailureIsReported()
    {
        QFETCH(QString, path);
        QFETCH(int, status);
        m_server->setHandler([status](const FaultRequest &request) {
            FaultReply reply = FaultReply::text(status == 200 || status == 0 ? 200 : status, "no package");
            reply.sendContentLength = status != 200;
            reply.delayMs = status == 0 ? 60000 : 0;
            if (request.target.startsWith("/loop/"))
                reply.header("Location", "/loop/" + QByteArray::number(request.index + 1) + ".7z");
            if (request.target == "/ftp.7z")
                reply.header("Location", "ftp://127.0.0.1/elsewhere.7z");
            return reply;
        });
        m_manager->setInactivityTimeout(300);
        start(path);
        QCOMPARE(outcome(), QStringLiteral("downloadError 1005 网络资源获取失败(%1)").arg(status));
        QVERIFY(gets().isEmpty());
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    // Answers to the GET that are not the package: the download stops before
    // it reports, once, and a finished package already in the folder stays.
    void getStatusStopsAndKeepsThePackage_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentRange");
        QTest::newRow("404") << 404 << QByteArray();
        QTest::newRow("302") << 302 << QByteArray();
        QTest::newRow("206 from 0") << 206 << QByteArray("bytes 0-199999/200000");
        QTest::newRow("206 of another size") << 206 << QByteArray("bytes 80000-199999/300000");
        QTest::newRow("206 without range") << 206 << QByteArray();
    }

    void getStatusStopsAndKeepsThePackage()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, contentRange);
        const QByteArray content = PackageFixture::content(200000);
        writeFile(QStringLiteral("game.7z"), "a verified older package");
        preparePartial(content.left(80000), content.size(), 80000);
        serve(content, [=](const FaultRequest &request, FaultReply &reply) {
            if (request.method == "GET")
                reply = FaultReply::text(status, content).header("Content-Range", contentRange);
            if (request.method == "GET" && status == 302)
                reply.header("Location", "/b.7z");
        });
        QList<bool> downloadingWhenReported;
        connect(m_manager.get(), &downloadmanager::downloadError, this, [&] {
            downloadingWhenReported.append(m_manager->isDownloading());
            showModalMessage();
        });
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
        QCOMPARE(outcome(), QStringLiteral("downloadError 1006 网络请求错误(%1)").arg(status));
        QCOMPARE(downloadingWhenReported, QList<bool>{false});
        QCOMPARE(gets().size(), 1);
        QCOMPARE(bytesOf(QStringLiteral("game.7z")), QByteArray("a verified older package"));
        m_manager.reset();
        QCOMPARE(recordedSize(), qint64(80000));
        QCOMPARE(bytesOf(QStringLiteral("game.7z_tmp")), content.left(80000) + QByteArray(120000, '\0'));
    }

    // Bytes, then a server that stalls: failures count from the last
    // progress, and the limit ends them.
    void failuresInARowWithoutProgressEnd()
    {
        const QByteArray content = PackageFixture::content(100000);
        serve(content, [](const FaultRequest &request, FaultReply &reply) {
            reply.stallAfterBodyBytes = request.rangeStart == 0 ? 1000 : 0;
        });
        m_manager->setInactivityTimeout(300);
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
        QCOMPARE(outcome(), QStringLiteral("httpError 1007 网络返回错误(4)"));
        const QList<FaultRequest> requests = gets();
        QCOMPARE(requests.size(), 6);
        for (int i = 1; i < requests.size(); ++i)
            QCOMPARE(requests.at(i).rangeStart, qint64(1000));
        QCOMPARE(m_manager->getDownloadedSize(), qint64(1000));
    }

    void resumeRecord_data()
    {
        QTest::addColumn<int>("onDisk");
        QTest::addColumn<qint64>("recorded");
        QTest::addColumn<QString>("record");        // "", "other folder", "tasks early", "range ignored"
        QTest::addColumn<qint64>("firstRequested"); // -1: nothing is fetched
        // Stopped between the last chunk and the rename.
        QTest::newRow("complete") << 100000 << qint64(100000) << "" << qint64(-1);
        QTest::newRow("past the size") << 0 << qint64(100005) << "" << qint64(0);
        QTest::newRow("halfway") << 40000 << qint64(40000) << "" << qint64(40000);
        // Tasks made before the size is known would cover nothing.
        QTest::newRow("tasks set up before the size") << 40000 << qint64(40000) << "tasks early" << qint64(40000);
        QTest::newRow("record of another folder") << 0 << qint64(40000) << "other folder" << qint64(0);
        // Zeros on disk: only a download that starts again at 0 is right.
        QTest::newRow("server ignores the range") << 0 << qint64(40000) << "range ignored" << qint64(40000);
    }

    void resumeRecord()
    {
        QFETCH(int, onDisk);
        QFETCH(qint64, recorded);
        QFETCH(QString, record);
        QFETCH(qint64, firstRequested);
        const QByteArray content = PackageFixture::content(100000);
        const QString other = record == "other folder" ? m_dir->filePath(QStringLiteral("b/game.7z_tmp")) : QString();
        preparePartial(content.left(onDisk), content.size(), recorded, other);
        serve(content, [=](const FaultRequest &request, FaultReply &reply) {
            if (record == "range ignored")
                reply = FaultReply::resource(content, request, false);
        });
        QSignalSpy finished(m_manager.get(), &downloadmanager::downloadFinished);
        QSignalSpy progress(m_manager.get(), &downloadmanager::downloadReplyProgress);
        if (record == "tasks early") {
            m_manager->setUrl(m_server->url(QStringLiteral("/packages/game.7z")));
            m_manager->setFilePath(m_dir->path());
            m_manager->initTasks();
        }
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content), true);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(outcome(), kVerified);
        QCOMPARE(gets().isEmpty() ? qint64(-1) : gets().first().rangeStart, firstRequested);
        QCOMPARE(bytesOf(QStringLiteral("game.7z")), content);
        // Progress counts the package's bytes, from where the download resumed.
        for (const QList<QVariant> &report : qAsConst(progress))
            QVERIFY(report.at(0).toLongLong() >= qMax<qint64>(record == "range ignored" ? 0 : firstRequested, 0));
        QCOMPARE(progress.last().at(0).toLongLong(), qint64(content.size()));
        QCOMPARE(recordedSize(), other.isEmpty() ? qint64(-1) : recorded);
    }

    void redirectKeepsTheNameAndDestructionSavesTheRecord()
    {
        const QByteArray content = PackageFixture::content(400000);
        writeFile(QStringLiteral("settings.dat"), "keep me");
        serve(content, [](const FaultRequest &request, FaultReply &reply) {
            if (request.target == "/old/first.7z")
                reply = FaultReply::text(302).header("Location", "../new/settings.dat");
            reply.chunkBytes = 16384;
            reply.chunkIntervalMs = 10;
        });
        start(QStringLiteral("/old/first.7z"), PackageFixture::md5(content));
        QVERIFY(QTest::qWaitFor([this] { return m_manager->getDownloadedSize() > 5 * 16384; }, 10000));
        const qint64 written = m_manager->getDownloadedSize();
        makeManager();
        QCOMPARE(recordedSize(QStringLiteral("first.7z")), written);
        start(QStringLiteral("/old/first.7z"), PackageFixture::md5(content));
        QCOMPARE(outcome(), kVerified);
        QCOMPARE(gets().last().rangeStart, written);
        QCOMPARE(gets().last().target, QByteArray("/new/settings.dat"));
        QCOMPARE(bytesOf(QStringLiteral("first.7z")), content);
        QCOMPARE(bytesOf(QStringLiteral("settings.dat")), QByteArray("keep me"));
    }

    void newUrlCancelsThePendingSizeRequest()
    {
        const QByteArray content = PackageFixture::content(100000);
        serve(content, [](const FaultRequest &request, FaultReply &reply) {
            if (request.target == "/slow/old.7z")
                reply = FaultReply::text(302).header("Location", "/elsewhere/old.7z"), reply.delayMs = 300;
        });
        m_manager->setUrl(m_server->url(QStringLiteral("/slow/old.7z")));
        QVERIFY(m_server->waitForRequests(1));
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
        QCOMPARE(outcome(), kVerified);
        QTest::qWait(400);
        for (const FaultRequest &request : m_server->requests())
            QVERIFY(request.target != "/elsewhere/old.7z");
    }

    void existingFinalFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("package") << QStringLiteral("game.7z") << true;
        QTest::newRow("picture, upper-case suffix") << QStringLiteral("bg.PNG") << true;
        QTest::newRow("settings") << QStringLiteral("config.ini") << false;
        QTest::newRow("library") << QStringLiteral("7z.so") << false;
    }

    void existingFinalFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, replaced);
        const QByteArray content = PackageFixture::content(100000);
        writeFile(name, "one of ours");
        serve(content);
        start(QStringLiteral("/files/") + name, PackageFixture::md5(content));
        QCOMPARE(outcome(), replaced ? kVerified : QStringLiteral("downloadError 1000 文件打开失败"));
        QCOMPARE(bytesOf(name), replaced ? content : QByteArray("one of ours"));
        QCOMPARE(gets().isEmpty(), !replaced);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{name});
    }

    // A full disk (a file-size limit here), a resume that fails again, space
    // freed, a third resume: each failure stops before it is reported, and no
    // bytes of a failed write turn up later at another offset.
    void writeFailureStopsAndReportsOnce()
    {
        const QByteArray content = PackageFixture::content(200000);
        preparePartial(QByteArray(), content.size(), 0);
        serve(content, [](const FaultRequest &, FaultReply &reply) {
            reply.chunkBytes = 4096;
            reply.chunkIntervalMs = 3;
        });
        connect(m_manager.get(), &downloadmanager::downloadError, this, &showModalMessage);
        rlimit original{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &original) == 0);
        rlimit limited = original;
        limited.rlim_cur = 100001;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
        const QString first = outcome();
        QTest::qWait(100);
        const int reports = m_outcomes->size();
        m_manager->startDownload();
        const bool failedAgain = QTest::qWaitFor([this, reports] { return m_outcomes->size() == reports + 1; }, 20000);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &original) == 0);
        QCOMPARE(first, QStringLiteral("downloadError 1002 写入文件缓存失败"));
        QCOMPARE(reports, 1);
        QVERIFY(failedAgain && m_manager->getDownloadedSize() <= 100001);
        m_outcomes->clear();
        m_manager->startDownload();
        QCOMPARE(outcome(), kVerified);
        QCOMPARE(bytesOf(QStringLiteral("game.7z")), content);
    }

    void digestMismatchCleansUp()
    {
        serve(PackageFixture::content(100000));
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5("something else"));
        QCOMPARE(outcome(), QStringLiteral("downloadError 1004 文件校验错误"));
        QVERIFY(QDir(m_dir->path()).isEmpty());
        QVERIFY(QSettings().allKeys().isEmpty());
    }

    // Reading /proc/self/mem from its start fails with EIO: a read error must
    // not pass for the end of the file, not even when no digest is expected.
    void unreadablePackageFailsItsCheck()
    {
        m_manager->fileMd5(QStringLiteral("/proc/self/mem"));
        QCOMPARE(outcome(), QStringLiteral("downloadError 1004 文件校验错误"));
    }

    // The owner may go while a large package is being checked: the thread is
    // waited for, and its result reaches nothing.
    void deletedWhileDigestRuns()
    {
        writeFile(QStringLiteral("game.7z"), PackageFixture::content(16 * 1024 * 1024));
        m_manager->fileMd5(m_dir->filePath(QStringLiteral("game.7z")));
        m_manager.reset();
        QTest::qWait(50);
        QVERIFY(m_outcomes->isEmpty());
    }

    // One rule names the file for the downloader and for the version info.
    void unsafeTargetIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("dot dot") << QStringLiteral("%2E%2E");
        QTest::newRow("dot") << QStringLiteral("%2E");
        QTest::newRow("encoded slash") << QStringLiteral("..%2Fescape.7z");
        QTest::newRow("encoded backslash") << QStringLiteral("..%5Cescape.7z");
        QTest::newRow("no name") << QString();
        // Windows drops trailing dots and spaces: ".. " would be the parent.
        QTest::newRow("dot dot space") << QStringLiteral("..%20");
        QTest::newRow("trailing dot") << QStringLiteral("game.7z.");
        QTest::newRow("drive or stream") << QStringLiteral("C%3Agame.7z");
        QTest::newRow("control character") << QStringLiteral("a%0Ab.7z");
        QTest::newRow("no folder") << QStringLiteral("game.7z");
    }

    void unsafeTargetIsRefused()
    {
        QFETCH(QString, name);
        const bool withFolder = name != QLatin1String("game.7z");
        serve(PackageFixture::content(10000));
        const QString folder = m_dir->filePath(QStringLiteral("inside/target"));
        QVERIFY(QDir().mkpath(folder));
        const QUrl url = m_server->url(QStringLiteral("/packages/") + name);
        m_manager->setUrl(url);
        m_manager->setFilePath(withFolder ? folder : QString());
        m_manager->startDownload();
        QCOMPARE(outcome(), QStringLiteral("downloadError 1000 文件打开失败"));
        QVERIFY(gets().isEmpty());
        QCOMPARE(QDir(m_dir->filePath(QStringLiteral("inside"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("target")});
        QVERIFY(QDir(folder).isEmpty() && QSettings().allKeys().isEmpty());
        QCOMPARE(UpdateVersionInfo::urlFileName(url.toString(QUrl::FullyEncoded)).isEmpty(), withFolder);
    }

private:
    void makeManager()
    {
        m_manager = std::make_unique<downloadmanager>();
        // Long enough that a busy machine causes no retries the tests would count.
        m_manager->setInactivityTimeout(3000);
        m_manager->setRetryDelay(50);
        m_outcomes = std::make_unique<QStringList>();
        for (auto error : {&downloadmanager::downloadError, &downloadmanager::httpError}) {
            const QString name = error == &downloadmanager::downloadError ? "downloadError" : "httpError";
            connect(m_manager.get(), error, this, [this, name](ErrorDefine::ErrorCode code, const QString &text) {
                m_outcomes->append(QStringLiteral("%1 %2 %3").arg(name).arg(int(code)).arg(text));
            });
        }
        connect(m_manager.get(), &downloadmanager::md5CheckFinish, this, [this] { m_outcomes->append(kVerified); });
    }

    // The first outcome: "verified", or the error signal, its code and text.
    QString outcome(int timeoutMs = 20000)
    {
        return QTest::qWaitFor([this] { return !m_outcomes->isEmpty(); }, timeoutMs) ? m_outcomes->first()
                                                                                     : QStringLiteral("none");
    }

    void serve(const QByteArray &content, Fault fault = {})
    {
        m_server->setHandler([content, fault](const FaultRequest &request) {
            FaultReply reply = FaultReply::resource(content, request);
            if (fault)
                fault(request, reply);
            return reply;
        });
    }

    void start(const QString &path, const QString &md5 = QString(), bool waitForSize = false)
    {
        m_manager->setUrl(m_server->url(path));
        m_manager->setFilePath(m_dir->path());
        m_manager->setFileMD5(md5);
        if (waitForSize)
            QVERIFY(QTest::qWaitFor([this] { return m_manager->getTotalSize() > 0; }, 10000));
        m_manager->startDownload();
    }

    // A temporary file and resume record as an earlier, interrupted run leaves them.
    void preparePartial(const QByteArray &prefix, qint64 total, qint64 recorded, const QString &recordPath = {})
    {
        writeFile(QStringLiteral("game.7z_tmp"), prefix);
        QVERIFY(QFile::resize(m_dir->filePath(QStringLiteral("game.7z_tmp")), total));
        QSettings().setValue(QStringLiteral("game.7z/0"), recorded);
        if (!recordPath.isEmpty())
            QSettings().setValue(QStringLiteral("game.7z/path"), recordPath);
    }

    qint64 recordedSize(const QString &name = QStringLiteral("game.7z"))
    {
        return QSettings().value(name + QStringLiteral("/0"), -1).toLongLong();
    }

    QList<FaultRequest> gets() const
    {
        QList<FaultRequest> result;
        for (const FaultRequest &request : m_server->requests()) {
            if (request.method == "GET" && request.header("Range") != "bytes=0-0")
                result.append(request);
        }
        return result;
    }

    QByteArray bytesOf(const QString &name) const
    {
        QFile file(m_dir->filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    std::unique_ptr<FaultServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<downloadmanager> m_manager;
    std::unique_ptr<QStringList> m_outcomes;
};

QTEST_GUILESS_MAIN(TestDownloadManager)
#include "tst_downloadmanager.moc"

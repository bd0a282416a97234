#include "download/packagefixture.h"
#include "net/updateversioninfo.h"

#include <sys/resource.h>

// The downloader in this process against the scripted server.
class TestDownloadManager : public DownloadBench
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Tavoro"));
        QCoreApplication::setApplicationName(QStringLiteral("Aurelith Launcher download test"));
    }
    void init() { setUpBench(); }
    void cleanup() { tearDownBench(); }

    // Servers that misbehave: the download gets through or fails cleanly.
    void downloads_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain, upper-case digest") << "plain" << kVerified;
        QTest::newRow("HEAD refused with 405") << "405" << kVerified;
        QTest::newRow("HEAD refused with 501") << "501" << kVerified;
        QTest::newRow("probe answered with the whole file") << "405 whole" << kVerified;
        QTest::newRow("eight drops with progress between") << "drops" << kVerified;
        QTest::newRow("503 twice on HEAD and GET") << "503" << kVerified;
        QTest::newRow("503 twice with Retry-After: 1") << "503 after" << kVerified;
        QTest::newRow("body ends early without error") << "short" << kVerified;
        QTest::newRow("body longer than the package") << "long" << kVerified;
        // The first URL's answer, a redirect, comes after the second URL is set.
        QTest::newRow("new URL while sizing") << "new url" << kVerified;
        QTest::newRow("digest mismatch") << "corrupt" << QStringLiteral("downloadError 1004 文件校验错误");
        const QString failed = QStringLiteral("downloadError 1005 网络资源获取失败(%1)");
        QTest::newRow("HEAD 304") << "304" << failed.arg(304);
        QTest::newRow("HEAD 404") << "404" << failed.arg(404);
        QTest::newRow("HEAD 503 for good") << "503 always" << failed.arg(503);
        QTest::newRow("no Content-Length") << "unsized" << failed.arg(200);
        QTest::newRow("endless redirects") << "loop" << failed.arg(302);
        QTest::newRow("redirect to ftp") << "ftp" << failed.arg(302);
        QTest::newRow("no answer") << "silent" << failed.arg(0);
    }
    void downloads()
    {
        QFETCH(QString, server);
        QFETCH(QString, expected);
        const QByteArray content = PackageFixture::content(300000);
        auto failures = std::make_shared<QMap<QByteArray, int>>();
        serve(content, [content, server, failures](const FaultRequest &request, FaultReply &reply) {
            const bool get = request.method == "GET";
            if (QStringList{"304", "404", "405", "501", "503 always"}.contains(server) && !get)
                reply = FaultReply::text(server.left(3).toInt());
            if (server == "405 whole" && !get)
                reply = FaultReply::text(405);
            if (server == "405 whole" && get && request.rangeEnd == 0)
                reply = FaultReply::text(200, content);
            if (server == "drops" && get && request.rangeStart < 280000)
                reply.cutAfterBodyBytes = 35000;
            if ((server == "503" || server == "503 after") && (*failures)[request.method]++ < 2)
                reply = FaultReply::text(503, "busy").header("Retry-After", server.endsWith("after") ? "1" : "");
            if (server == "short" && get && request.rangeStart == 0)
                reply.body = reply.body.left(60000), reply.sendContentLength = false;
            if (server == "long" && get)
                reply.body += QByteArray(30000, 'x');
            if (server == "unsized")
                reply.sendContentLength = false;
            if (server == "loop" || server == "ftp")
                reply = FaultReply::text(302).header("Location", server == "ftp"
                                                                     ? "ftp://127.0.0.1/a.7z"
                                                                     : "/" + QByteArray::number(request.index) + ".7z");
            if (server == "silent")
                reply.delayMs = 60000;
            if (server == "new url" && request.target == "/slow/old.7z")
                reply = FaultReply::text(302).header("Location", "/elsewhere/old.7z"), reply.delayMs = 300;
            if (server == "corrupt" && get)
                reply.body[100] = char(~reply.body[100]);
        });
        if (server == "new url") {
            m_manager->setUrl(m_server->url(QStringLiteral("/slow/old.7z")));
            QVERIFY(m_server->waitForRequests(1));
        }
        m_manager->setInactivityTimeout(expected == kVerified ? 3000 : 300);
        QSignalSpy finished(m_manager.get(), &downloadmanager::downloadFinished);
        // From the rename on, a stop leaves the package to be checked, not taken unchecked.
        QList<bool> pending;
        connect(m_manager.get(), &downloadmanager::downloadFinished, &finished,
                [&] { pending << QSettings().value("game.7z/digestPending").toBool(); });
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content).toUpper());
        QCOMPARE(outcome(30000), expected);
        QCOMPARE(finished.count(), expected.contains("1005") ? 0 : 1);
        QCOMPARE(pending, QVector<bool>(finished.count(), true).toList());
        QCOMPARE(bytesOf(QStringLiteral("game.7z")), expected == kVerified ? content : QByteArray());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
                 expected == kVerified ? QStringList{"game.7z"} : QStringList());
        QVERIFY(QSettings().allKeys().isEmpty());
        for (const FaultRequest &request : m_server->requests())
            QCOMPARE(request.header("Accept-Encoding"), QByteArray("identity"));
        if (server == "503 after") // the second request waited as asked
            QVERIFY(m_server->requests().at(1).receivedMs - m_server->requests().at(0).receivedMs >= 900);
    }

    // A GET answered with no package, a stall, a full disk under a modal
    // message: the download stops, then reports once; a finished package in
    // the folder stays; the record keeps what is on disk.
    void getFailsAndKeepsThePackage_data()
    {
        QTest::addColumn<int>("status"); // 0: stalls after 1000 bytes; -1: the disk fills at 100001
        QTest::addColumn<QByteArray>("contentRange");
        QTest::addColumn<int>("requests");
        QTest::addColumn<QString>("expected");
        const QString error = QStringLiteral("downloadError 1006 网络请求错误(%1)");
        QTest::newRow("404") << 404 << QByteArray() << 1 << error.arg(404);
        QTest::newRow("302") << 302 << QByteArray() << 1 << error.arg(302);
        QTest::newRow("206 from 0") << 206 << QByteArray("bytes 0-199999/200000") << 1 << error.arg(206);
        QTest::newRow("206 of another size") << 206 << QByteArray("bytes 80000-199999/300000") << 1 << error.arg(206);
        QTest::newRow("503 for good") << 503 << QByteArray() << 6 << error.arg(503);
        QTest::newRow("1000 bytes, then stalls") << 0 << QByteArray() << 6 << "httpError 1007 网络返回错误(4)";
        QTest::newRow("disk full") << -1 << QByteArray() << 1 << "downloadError 1002 写入文件缓存失败";
    }
    void getFailsAndKeepsThePackage()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, contentRange);
        QFETCH(int, requests);
        QFETCH(QString, expected);
        const QByteArray content = PackageFixture::content(200000);
        writeFile(QStringLiteral("game.7z"), "a verified older package");
        preparePartial(content.left(80000), content.size(), 80000);
        serve(content, [=](const FaultRequest &request, FaultReply &reply) {
            if (request.method == "GET" && status > 0)
                reply = FaultReply::text(status, content).header("Content-Range", contentRange);
            if (request.method == "GET" && status == 302)
                reply.header("Location", "/b.7z");
            if (status == 0)
                reply.stallAfterBodyBytes = request.rangeStart == 80000 ? 1000 : 0;
        });
        QList<bool> downloadingWhenReported;
        connect(m_manager.get(), &downloadmanager::downloadError, this, [&] {
            downloadingWhenReported.append(m_manager->isDownloading());
            QEventLoop modalMessage; // what a message box does to its caller
            QTimer::singleShot(200, &modalMessage, &QEventLoop::quit);
            modalMessage.exec();
        });
        m_manager->setInactivityTimeout(300);
        rlimit original{}, limited{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &original) == 0);
        limited = {status < 0 ? 100001 : original.rlim_cur, original.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
        outcome();
        // Nothing more may come: a second report would come within a moment.
        QTest::qWait(100);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &original) == 0);
        QCOMPARE(m_outcomes, QStringList{expected});
        QCOMPARE(downloadingWhenReported, status != 0 ? QList<bool>{false} : QList<bool>());
        QCOMPARE(gets().size(), requests);
        QCOMPARE(gets().last().rangeStart, qint64(status == 0 ? 81000 : 80000));
        QCOMPARE(bytesOf(QStringLiteral("game.7z")), QByteArray("a verified older package"));
        m_manager.reset();
        const qint64 onDisk = recordedSize();
        QVERIFY(onDisk == (status > 0 ? 80000 : status == 0 ? 81000 : qBound<qint64>(80000, onDisk, 100001)));
        const QByteArray temp = bytesOf(QStringLiteral("game.7z_tmp"));
        const int untouched = status < 0 ? 100001 : int(onDisk); // a short write may pass the record
        QVERIFY(temp.left(onDisk) == content.left(onDisk) && temp.mid(untouched) == QByteArray(200000 - untouched, 0));
    }

    void resumeRecord_data()
    {
        QTest::addColumn<int>("onDisk");
        QTest::addColumn<qint64>("recorded");
        QTest::addColumn<QString>("record");        // "", "other folder", "range ignored", "longer file", "replaced"
        QTest::addColumn<qint64>("firstRequested"); // -1: nothing is fetched
        // Stopped between the last chunk and the rename.
        QTest::newRow("complete") << 100000 << qint64(100000) << "" << qint64(-1);
        QTest::newRow("halfway") << 40000 << qint64(40000) << "" << qint64(40000);
        QTest::newRow("file longer than the package") << 40000 << qint64(40000) << "longer file" << qint64(40000);
        QTest::newRow("record of another folder") << 0 << qint64(40000) << "other folder" << qint64(0);
        // Zeros on disk: only a download that starts again at 0 is right.
        QTest::newRow("server ignores the range") << 0 << qint64(40000) << "range ignored" << qint64(40000);
        // No validator to compare: the length alone tells the package was replaced after the size request.
        QTest::newRow("replaced by a longer one") << 40000 << qint64(40000) << "replaced" << qint64(40000);
    }
    void resumeRecord()
    {
        QFETCH(int, onDisk);
        QFETCH(qint64, recorded);
        QFETCH(QString, record);
        QFETCH(qint64, firstRequested);
        const QByteArray content = PackageFixture::content(record == "replaced" ? 120000 : 100000);
        const QString other = record == "other folder" ? m_dir->filePath(QStringLiteral("b/game.7z_tmp")) : QString();
        preparePartial(content.left(onDisk), 100000, recorded, other);
        if (record == "longer file") // as a larger package of the same name left it
            QVERIFY(QFile::resize(m_dir->filePath(QStringLiteral("game.7z_tmp")), content.size() + 5000));
        serve(content, [=](const FaultRequest &request, FaultReply &reply) {
            if (record == "range ignored" || record == "replaced")
                reply = FaultReply::resource(content, request, false);
            if (record == "replaced" && request.index == 0) // the size request still sees the older package
                reply = FaultReply::resource(content.left(100000), request);
        });
        QSignalSpy finished(m_manager.get(), &downloadmanager::downloadFinished);
        QSignalSpy progress(m_manager.get(), &downloadmanager::downloadReplyProgress);
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content), true);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(outcome(), kVerified);
        QCOMPARE(gets().isEmpty() ? qint64(-1) : gets().first().rangeStart, firstRequested);
        QCOMPARE(bytesOf(QStringLiteral("game.7z")), content);
        // Progress counts the package's bytes, from where the download resumed.
        for (const QList<QVariant> &report : qAsConst(progress))
            QVERIFY(report.at(0).toLongLong() >=
                    qMax<qint64>(record == "range ignored" || record == "replaced" ? 0 : firstRequested, 0));
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

    // A host whose every answer names another version (an ETag per back end),
    // so no resume matches: the download starts again a few times, not for ever.
    void newVersionAtEveryAnswer()
    {
        const QByteArray content = PackageFixture::content(100000);
        preparePartial(content.left(40000), content.size(), 40000);
        serve(content, [content](const FaultRequest &request, FaultReply &reply) {
            if (request.rangeStart > 0)
                reply = FaultReply::resource(content, request, false);
            reply.cutAfterBodyBytes = request.rangeStart == 0 ? 1000 : -1;
            reply.header("ETag", "\"v" + QByteArray::number(request.index) + '"');
        });
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
        QCOMPARE(outcome(), QStringLiteral("downloadError 1006 网络请求错误(200)"));
    }

    // /proc/self/mem fails to read from its start (EIO): a read error is no
    // end of file, even with no digest expected. A downloader deleted while
    // a digest runs waits for it, and the result reaches nothing.
    void digestOfUnreadableAndAbandonedFiles()
    {
        m_manager->fileMd5(QStringLiteral("/proc/self/mem"));
        QCOMPARE(outcome(), QStringLiteral("downloadError 1004 文件校验错误"));
        writeFile(QStringLiteral("game.7z"), PackageFixture::content(16 * 1024 * 1024));
        m_manager->fileMd5(m_dir->filePath(QStringLiteral("game.7z")));
        m_manager.reset();
        // Nothing may arrive after the destruction: a queued result would come within a moment.
        QTest::qWait(50);
        QCOMPARE(m_outcomes.size(), 1);
    }

    // One name rule for the downloader and the version info; an existing file
    // is replaced only by a package or a picture.
    void fileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("existing");
        QTest::newRow("dot dot") << QStringLiteral("%2E%2E") << QString();
        QTest::newRow("encoded slash") << QStringLiteral("..%2Fescape.7z") << QString();
        QTest::newRow("encoded backslash") << QStringLiteral("..%5Cescape.7z") << QString();
        QTest::newRow("no name") << QString() << QString();
        // Windows drops trailing dots and spaces: ".. " would be the parent.
        QTest::newRow("dot dot space") << QStringLiteral("..%20") << QString();
        QTest::newRow("trailing dot") << QStringLiteral("game.7z.") << QString();
        QTest::newRow("drive or stream") << QStringLiteral("C%3Agame.7z") << QString();
        QTest::newRow("control character") << QStringLiteral("a%0Ab.7z") << QString();
        QTest::newRow("existing settings") << QStringLiteral("config.ini") << QStringLiteral("config.ini");
        QTest::newRow("existing library") << QStringLiteral("7z.so") << QStringLiteral("7z.so");
        QTest::newRow("existing package") << QStringLiteral("game.7z") << QStringLiteral("game.7z");
        QTest::newRow("existing picture") << QStringLiteral("bg.PNG") << QStringLiteral("bg.PNG");
    }
    void fileName()
    {
        QFETCH(QString, name);
        QFETCH(QString, existing);
        const QByteArray content = serve(PackageFixture::content(10000));
        const QString folder = m_dir->filePath(QStringLiteral("inside/target"));
        QVERIFY(QDir().mkpath(folder));
        if (!existing.isEmpty())
            writeFile("inside/target/" + existing, "one of ours");
        const bool replaced = existing.endsWith(QLatin1String(".7z")) || existing.endsWith(QLatin1String(".PNG"));
        const QUrl url = m_server->url(QStringLiteral("/packages/") + name);
        m_manager->setUrl(url);
        m_manager->setFilePath(folder);
        m_manager->startDownload();
        QCOMPARE(outcome(), replaced ? kVerified : QStringLiteral("downloadError 1000 文件打开失败"));
        QCOMPARE(gets().isEmpty(), !replaced);
        QCOMPARE(QDir(m_dir->filePath(QStringLiteral("inside"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("target")});
        QCOMPARE(QDir(folder).entryList(QDir::Files), existing.isEmpty() ? QStringList() : QStringList{existing});
        if (!existing.isEmpty())
            QCOMPARE(bytesOf("inside/target/" + existing), replaced ? content : QByteArray("one of ours"));
        QVERIFY(QSettings().allKeys().isEmpty());
        QCOMPARE(UpdateVersionInfo::urlFileName(url.toString(QUrl::FullyEncoded)).isEmpty(), existing.isEmpty());
    }

private:
    // A temporary file and resume record as an earlier, interrupted run leaves them.
    void preparePartial(const QByteArray &prefix, qint64 total, qint64 recorded, const QString &recordPath = {})
    {
        writeFile(QStringLiteral("game.7z_tmp"), prefix);
        QVERIFY(QFile::resize(m_dir->filePath(QStringLiteral("game.7z_tmp")), total));
        QSettings().setValue(QStringLiteral("game.7z/0"), recorded);
        if (!recordPath.isEmpty())
            QSettings().setValue(QStringLiteral("game.7z/path"), recordPath);
    }
};

QTEST_GUILESS_MAIN(TestDownloadManager)
#include "tst_downloadmanager.moc"

#include "common/errordefine.h"
#include "download/downloadmanager.h"
#include "download/md5hash.h"
#include "download/packagefixture.h"
#include "download/resumerecord.h"
#include "download/timersource.h"
#include "net/updateversioninfo.h"

#include <sys/resource.h>

#include <atomic>

static const QString kVerified = QStringLiteral("verified");
static const QByteArray kModified = "Mon, 07 Dec 2026 04:00:00 GMT";
// Past the size below which a package comes over one connection, and not cut
// evenly: some slices are a byte longer than others.
static const int kTotal = 17 * 1024 * 1024 + 3;

// The downloader in this process against the scripted server, over one connection and over several, and the waits of
// one download under a clock the test moves. Resume records go under XDG_CONFIG_HOME, in the build tree by CTest.
class TestDownloadManager : public PackageHost
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Tavoro"));
        QCoreApplication::setApplicationName(QStringLiteral("Aurelith Launcher download test"));
        m_content = PackageFixture::content(kTotal);
        m_replaced = m_content;
        m_replaced[kTotal / 2] = char(~m_replaced[kTotal / 2]);
    }
    void init()
    {
        QSettings().clear();
        setUpHost();
        makeManager();
    }
    void cleanup() { m_manager.reset(); }

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
            if (QStringList{"304", "404", "405", "405 whole", "501", "503 always"}.contains(server) && !get)
                reply = FaultReply::text(server.left(3).toInt());
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

    // A GET answered with no package, a stall, a full disk under a modal message: the download stops, then reports
    // once; a finished package in the folder stays; the record keeps what is on disk.
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
        prepareRecord({{"0", 80000}}, content);
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
        QTest::addColumn<qint64>("recorded");
        QTest::addColumn<QString>("record");        // "", "other folder", "range ignored", "longer file", "replaced"
        QTest::addColumn<qint64>("firstRequested"); // -1: nothing is fetched
        // Stopped between the last chunk and the rename.
        QTest::newRow("complete") << qint64(100000) << "" << qint64(-1);
        QTest::newRow("halfway") << qint64(40000) << "" << qint64(40000);
        QTest::newRow("file longer than the package") << qint64(40000) << "longer file" << qint64(40000);
        QTest::newRow("record of another folder") << qint64(40000) << "other folder" << qint64(0);
        // Zeros on disk: only a download that starts again at 0 is right.
        QTest::newRow("server ignores the range") << qint64(40000) << "range ignored" << qint64(40000);
        // No validator to compare: the length alone tells the package was replaced after the size request.
        QTest::newRow("replaced by a longer one") << qint64(40000) << "replaced" << qint64(40000);
    }
    void resumeRecord()
    {
        QFETCH(qint64, recorded);
        QFETCH(QString, record);
        QFETCH(qint64, firstRequested);
        const QByteArray content = PackageFixture::content(record == "replaced" ? 120000 : 100000);
        QVariantMap partial{{"0", recorded}};
        if (record == "other folder")
            partial["path"] = m_dir->filePath(QStringLiteral("b/game.7z_tmp"));
        const bool zeros = record == "other folder" || record == "range ignored"; // the bytes are not here
        prepareRecord(partial, zeros ? QByteArray(100000, 0) : content.left(100000));
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
        QCOMPARE(recordedSize(), partial.contains("path") ? recorded : qint64(-1));
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
        prepareRecord({{"0", 40000}}, content);
        serve(content, [content](const FaultRequest &request, FaultReply &reply) {
            if (request.rangeStart > 0)
                reply = FaultReply::resource(content, request, false);
            reply.cutAfterBodyBytes = request.rangeStart == 0 ? 1000 : -1;
            reply.header("ETag", "\"v" + QByteArray::number(request.index) + '"');
        });
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
        QCOMPARE(outcome(), QStringLiteral("downloadError 1006 网络请求错误(200)"));
    }

    // /proc/self/mem fails to read from its start (EIO): a read error is no end of file, even with no digest expected.
    // A downloader deleted while a digest runs waits for it, and the result reaches nothing.
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

    // What a record holds decides where each connection starts; servers that
    // serve ranges badly get fewer connections; the file is right every time.
    void segments_data()
    {
        QTest::addColumn<QVariantMap>("record"); // keys of the resume group; bytes on disk follow it
        QTest::addColumn<QString>("server");
        QTest::addColumn<QList<qint64>>("firstStarts");
        const QList<qint64> fresh = {0, slice(1), slice(2), slice(3)};
        const QVariantMap four = {{"segments", 4}, {"0", 1000}, {"1", 2000}, {"2", 0}, {"3", slice(4) - slice(3)}};
        const QList<qint64> fromFour = {1000, slice(1) + 2000, slice(2)};
        QTest::newRow("four new") << QVariantMap() << "" << fresh;
        QTest::newRow("four resumed") << four << "" << fromFour;
        QTest::newRow("two resumed with four set")
            << QVariantMap{{"segments", 2}, {"0", 1000}, {"1", 500}} << "" << QList<qint64>{1000, kTotal / 2 + 500};
        QVariantMap misfit = four;
        misfit["1"] = slice(2) - slice(1) + 1;
        QTest::newRow("a size beyond its slice") << misfit << "zeros" << fresh;
        misfit = four;
        misfit["size"] = kTotal + 1;
        QTest::newRow("another total") << misfit << "zeros" << fresh;
        QTest::newRow("whole file on the second connection") << QVariantMap() << "200 second" << fresh;
        QTest::newRow("other Content-Range on the second") << QVariantMap() << "other range" << fresh;
        QTest::newRow("503 on extra connections") << QVariantMap() << "503 extra" << fresh;
        QVariantMap old = four;
        old["validator"] = "\"v1\"";
        QTest::newRow("replaced before the size request") << old << "replaced" << fresh;
        QTest::newRow("replaced after the size request") << old << "replaced later" << fromFour;
        QTest::newRow("weak ETag") << four << "weak tag" << fromFour;
    }
    void segments()
    {
        QFETCH(QVariantMap, record);
        QFETCH(QString, server);
        QFETCH(QList<qint64>, firstStarts);
        makeManager(4);
        const bool replaced = server.startsWith("replaced");
        prepareRecord(record, server == "zeros" ? QByteArray(kTotal, 0) : m_content);
        serveWith(server);
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(replaced ? m_replaced : m_content));
        outcome(30000);
        QCOMPARE(m_outcomes, QStringList{kVerified});
        QVERIFY(bytesOf(QStringLiteral("game.7z")) == (replaced ? m_replaced : m_content));
        QVERIFY(QSettings().allKeys().isEmpty());
        QList<qint64> starts;
        for (const FaultRequest &get : gets().mid(0, firstStarts.size()))
            starts.append(get.rangeStart);
        std::sort(starts.begin(), starts.end());
        QCOMPARE(starts, firstStarts);
        // Only a strong validator goes in If-Range: a weak ETag never matches there.
        const QMap<QString, QByteArray> ifRange{{"replaced later", "\"v1\""}, {"weak tag", kModified}};
        if (ifRange.contains(server))
            QCOMPARE(gets().first().header("If-Range"), ifRange[server]);
        if (server == "503 extra") // each refused connection waited for a free one, not for the retry policy
            QCOMPARE(m_refusals.load(), 2);
    }

    // The retry policy's waits and the slow-connection guard, on a clock the test moves: 1, 2, 4, 8, 16 s; Retry-After
    // cut to 30 s; bytes between failures start the waits again, a trickle does not.
    void waits_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("waits");
        QTest::addColumn<QString>("expected");
        const QString refused = QStringLiteral("downloadError 1006 网络请求错误(503)");
        QTest::newRow("503 for good") << "503"
                                      << "1000 2000 4000 8000 16000" << refused;
        QTest::newRow("Retry-After: 120") << "503 120"
                                          << "30000 30000 30000 30000 30000" << refused;
        QTest::newRow("bytes between failures") << "503 cut 503"
                                                << "1000 1000 2000" << kVerified;
        QTest::newRow("two trickles") << "trickle trickle"
                                      << "1000 2000" << kVerified;
    }
    void waits()
    {
        QFETCH(QString, server);
        QFETCH(QString, waits);
        QFETCH(QString, expected);
        const QByteArray content = PackageFixture::content(300000);
        // By where each GET starts and how often it came (a connection the
        // server cuts may carry its request once more, unseen by the client).
        auto seen = std::make_shared<QMap<qint64, int>>();
        serve(content, [server, seen](const FaultRequest &request, FaultReply &reply) {
            if (request.method != "GET")
                return;
            const int nth = (*seen)[request.rangeStart]++;
            QString step = server;
            if (server == "503 cut 503")
                step = nth == 0 ? "503" : request.rangeStart == 0 ? "cut" : "";
            if (server == "trickle trickle")
                step = request.rangeStart < 2000 ? "trickle" : "";
            // Closed after each answer: a kept connection may carry a request twice.
            if (step.startsWith("503")) {
                reply = FaultReply::text(503).header("Retry-After", step.endsWith("120") ? "120" : "");
                reply.sendContentLength = false;
            }
            if (step == "cut")
                reply.cutAfterBodyBytes = 1000;
            if (step == "trickle")
                reply.stallAfterBodyBytes = 1000;
        });
        manualtimersource timers;
        m_manager->setTimerSource(&timers);
        m_manager->setInactivityTimeout(60000);
        m_manager->setRetryDelay(1000);
        start(QStringLiteral("/packages/game.7z"), PackageFixture::md5(content));
        for (int step = 0; step < 40 && m_outcomes.isEmpty(); ++step) {
            QTRY_VERIFY_WITH_TIMEOUT(!m_outcomes.isEmpty() || nothingMovesWithoutTheClock(timers), 10000);
            if (m_outcomes.isEmpty())
                timers.advanceToNext();
        }
        QCOMPARE(m_outcomes.value(0), expected);
        QStringList asked;
        const QList<int> all = timers.requestedDelays();
        // Each request arms its inactivity time-out (60 s) and its guard (30 s): those pairs are not retry waits.
        for (int index = 0; index < all.size(); ++index) {
            if (all[index] == 60000 && all.value(index + 1) == 30000)
                ++index;
            else
                asked << QString::number(all[index]);
        }
        QCOMPARE(asked.join(' '), waits);
    }

    // The digest taken while downloading belongs to one file: a downloader
    // paused on one package and given another hashes the other from its start.
    void anotherPackageAfterAPause()
    {
        makeManager(4);
        const QByteArray other = PackageFixture::content(300000);
        serve(m_content, [other](const FaultRequest &request, FaultReply &reply) {
            if (request.target.startsWith("/other/"))
                reply = FaultReply::resource(other, request);
            reply.chunkBytes = 65536, reply.chunkIntervalMs = 20;
        });
        start(QStringLiteral("/packages/game.7z"));
        QVERIFY(QTest::qWaitFor([this] { return m_manager->getDownloadedSize() > 4 * 65536; }, 20000));
        m_manager->stopDownlaod();
        m_manager->setUrl(m_server->url(QStringLiteral("/other/patch.7z")));
        m_manager->setFileMD5(PackageFixture::md5(other));
        m_manager->startDownload();
        outcome();
        QCOMPARE(m_outcomes, QStringList{kVerified});
    }

    // The digest decides whether a package of tens of GiB is kept or fetched again: the system library's MD5 must agree
    // with Qt's to the bit, however the blocks fall across MD5's 64-byte rounds and its padding.
    void agreesWithQt_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("piece");
        QTest::newRow("nothing") << 0 << 1;
        QTest::newRow("one byte") << 1 << 1;
        QTest::newRow("padding fits the last round") << 55 << 55;
        QTest::newRow("padding needs a round more") << 56 << 7;
        QTest::newRow("one round, byte by byte") << 64 << 1;
        QTest::newRow("pieces across rounds") << 65 << 63;
        QTest::newRow("3 MiB in odd pieces") << (3 << 20) + 7 << 4097;
    }
    void agreesWithQt()
    {
        QFETCH(int, length);
        QFETCH(int, piece);
        QByteArray data(length, Qt::Uninitialized);
        for (char &byte : data)
            byte = char(QRandomGenerator::global()->bounded(256));
        md5hash system;
        md5hash portable(md5hash::Engine::Portable);
        // On our platforms the library is there: without it the speed is lost silently.
        QVERIFY(system.usesSystemLibrary());
        QVERIFY(!portable.usesSystemLibrary());
        for (int at = 0; at < length; at += piece) {
            system.addData(data.constData() + at, qMin(piece, length - at));
            portable.addData(data.constData() + at, qMin(piece, length - at));
        }
        const QByteArray expected = QCryptographicHash::hash(data, QCryptographicHash::Md5);
        QCOMPARE(system.result().toHex(), expected.toHex());
        QCOMPARE(portable.result().toHex(), expected.toHex());
    }

private:
    static qint64 slice(int index, int count = 4) { return resumerecord::sliceStart(kTotal, count, index); }
    void makeManager(int segmentCount = 0) // 0: as the installer's config.ini says
    {
        m_manager = std::make_unique<downloadmanager>();
        m_outcomes.clear();
        m_manager->setSegmentCount(segmentCount);
        // Long enough that a busy machine causes no retries the tests would count.
        m_manager->setInactivityTimeout(3000);
        m_manager->setRetryDelay(50);
        const auto recordError = [this](const QString &signal) {
            return [this, signal](ErrorDefine::ErrorCode code, const QString &text) {
                m_outcomes.append(QStringLiteral("%1 %2 %3").arg(signal).arg(int(code)).arg(text));
            };
        };
        connect(m_manager.get(), &downloadmanager::downloadError, this, recordError("downloadError"));
        connect(m_manager.get(), &downloadmanager::httpError, this, recordError("httpError"));
        connect(m_manager.get(), &downloadmanager::md5CheckFinish, this, [this] { m_outcomes.append(kVerified); });
    }
    // The first outcome: "verified", or the error signal, its code and text.
    QString outcome(int timeoutMs = 20000)
    {
        return QTest::qWaitFor([this] { return !m_outcomes.isEmpty(); }, timeoutMs) ? m_outcomes.first()
                                                                                    : QStringLiteral("none");
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
    qint64 recordedSize(const QString &name = "game.7z") { return QSettings().value(name + "/0", -1).toLongLong(); }
    QByteArray bytesOf(const QString &name) const { return PackageFixture::read(m_dir->filePath(name)); }

    // No request in flight and a wait pending, or a request that brought what it will bring and holds still.
    bool nothingMovesWithoutTheClock(const manualtimersource &timers)
    {
        const QList<int> pending = timers.pendingDelays();
        if (!pending.contains(60000))
            return !pending.isEmpty();
        const int sent = timers.requestedDelays().count(60000);
        return gets().size() == sent && m_manager->getDownloadedSize() == 1000 * sent;
    }

    // A temporary file and resume record as an earlier, interrupted run
    // leaves them: each segment's recorded bytes of onDisk, zeros between.
    void prepareRecord(const QVariantMap &record, const QByteArray &onDisk)
    {
        QFile file(m_dir->filePath(QStringLiteral("game.7z_tmp")));
        if (record.isEmpty())
            return;
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(onDisk.size()));
        const int count = record.value("segments", 1).toInt();
        for (int index = 0; index < count; ++index) {
            const qint64 from = resumerecord::sliceStart(onDisk.size(), count, index);
            const qint64 bytes = qMin<qint64>(record.value(QString::number(index)).toLongLong(), onDisk.size() - from);
            QVERIFY(file.seek(from) && file.write(onDisk.mid(int(from), int(bytes))) == bytes);
        }
        for (auto it = record.cbegin(); it != record.cend(); ++it)
            QSettings().setValue("game.7z/" + it.key(), it.value());
    }

    void serveWith(const QString &server)
    {
        const QByteArray content = m_content, replaced = m_replaced;
        auto served = std::make_shared<std::atomic<int>>(0);
        auto firstGetMs = std::make_shared<std::atomic<qint64>>(-1);
        m_refusals = 0;
        std::atomic<int> *refusals = &m_refusals;
        serve(content, [=](const FaultRequest &request, FaultReply &reply) {
            const bool get = request.method == "GET";
            if (server == "200 second" && get && request.rangeStart == slice(1))
                reply = FaultReply::resource(content, request, false);
            if (server == "other range" && get && request.rangeStart == slice(1)) {
                FaultRequest shifted = request;
                shifted.rangeStart += 100;
                reply = FaultReply::resource(content, shifted);
                reply.delayMs = 300; // the other connections' requests are out by then
            }
            if (server == "503 extra" && get) {
                qint64 none = -1;
                firstGetMs->compare_exchange_strong(none, request.receivedMs);
                reply.chunkBytes = 256 * 1024, reply.chunkIntervalMs = 120;
                if (request.rangeStart >= slice(2) && request.receivedMs < *firstGetMs + 1800)
                    reply = FaultReply::text(503), ++*refusals;
            }
            if (server == "replaced" || (server == "replaced later" && (get || (*served)++ > 0)))
                reply = FaultReply::resource(replaced, request, !request.headers.contains("if-range"))
                            .header("ETag", "\"v2\"");
            else if (server == "replaced later")
                reply.header("ETag", "\"v1\"");
            if (server == "weak tag")
                reply.header("ETag", "W/\"v1\"").header("Last-Modified", kModified);
        });
    }

    std::unique_ptr<downloadmanager> m_manager;
    QStringList m_outcomes;
    QByteArray m_content;
    QByteArray m_replaced;
    std::atomic<int> m_refusals{0};
};

QTEST_GUILESS_MAIN(TestDownloadManager)
#include "tst_downloadmanager.moc"

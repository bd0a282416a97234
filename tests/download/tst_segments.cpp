#include "download/packagefixture.h"
#include "download/resumerecord.h"
#include "download/timersource.h"

#include <atomic>

static const QByteArray kModified = "Mon, 07 Dec 2026 04:00:00 GMT";
// Past the size below which a package comes over one connection, and not cut
// evenly: some slices are a byte longer than others.
static const int kTotal = 17 * 1024 * 1024 + 3;

static qint64 slice(int index, int count = 4)
{
    return resumerecord::sliceStart(kTotal, count, index);
}

// Segmented downloads in this process against the scripted server, and the
// waits of one download under a clock the test moves.
class TestSegments : public DownloadBench
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Tavoro"));
        QCoreApplication::setApplicationName(QStringLiteral("Aurelith Launcher segments test"));
        m_content = PackageFixture::content(kTotal);
        m_replaced = m_content;
        m_replaced[kTotal / 2] = char(~m_replaced[kTotal / 2]);
    }

    void init() { setUpBench(4); }
    void cleanup() { tearDownBench(); }

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

    // The retry policy's waits and the slow-connection guard, on a clock the
    // test moves: 1, 2, 4, 8, 16 s; Retry-After cut to 30 s; bytes between
    // failures start the waits again, a trickle does not.
    void waits_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QList<int>>("waits");
        QTest::addColumn<QString>("expected");
        const QString refused = QStringLiteral("downloadError 1006 网络请求错误(503)");
        QTest::newRow("503 for good") << "503" << QList<int>{1000, 2000, 4000, 8000, 16000} << refused;
        QTest::newRow("Retry-After: 120") << "503 120" << QList<int>{30000, 30000, 30000, 30000, 30000} << refused;
        QTest::newRow("bytes between failures") << "503 cut 503" << QList<int>{1000, 1000, 2000} << kVerified;
        QTest::newRow("two trickles") << "trickle trickle" << QList<int>{1000, 2000} << kVerified;
    }
    void waits()
    {
        QFETCH(QString, server);
        QFETCH(QList<int>, waits);
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
        QList<int> asked;
        const QList<int> all = timers.requestedDelays();
        // Each request arms its inactivity time-out (60 s) and its guard (30 s).
        for (int index = 0; index < all.size(); ++index) {
            if (all[index] == 60000 && all.value(index + 1) == 30000)
                ++index;
            else
                asked.append(all[index]);
        }
        QCOMPARE(asked, waits);
    }

    // The digest taken while downloading belongs to one file: a downloader
    // paused on one package and given another hashes the other from its start.
    void anotherPackageAfterAPause()
    {
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

private:
    // No request in flight and a wait pending, or a request that brought
    // what it will bring and holds still.
    bool nothingMovesWithoutTheClock(const manualtimersource &timers)
    {
        const QList<int> pending = timers.pendingDelays();
        if (!pending.contains(60000))
            return !pending.isEmpty();
        const int sent = timers.requestedDelays().count(60000);
        return gets().size() == sent && m_manager->getDownloadedSize() == 1000 * sent;
    }

    void prepareRecord(const QVariantMap &record, const QByteArray &onDisk)
    {
        QFile file(m_dir->filePath(QStringLiteral("game.7z_tmp")));
        if (record.isEmpty())
            return;
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(kTotal));
        const int count = record.value("segments", 1).toInt();
        for (int index = 0; index < count; ++index) {
            const qint64 from = resumerecord::sliceStart(kTotal, count, index);
            const qint64 bytes = qMin<qint64>(record.value(QString::number(index)).toLongLong(), kTotal - from);
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

    QByteArray m_content;
    QByteArray m_replaced;
    std::atomic<int> m_refusals{0};
};

QTEST_GUILESS_MAIN(TestSegments)
#include "tst_segments.moc"

#include "download/packagefixture.h"
#include "download/resumerecord.h"
#include "support/testpaths.h"

// fetch_package in a process of its own, with its settings under the test's folder.
class ToolRun
{
public:
    ToolRun(const QString &configHome, const QStringList &arguments, const QString &wrapper = QString())
        : m_record(configHome + QStringLiteral("/Tavoro/Aurelith Launcher.conf"), QSettings::IniFormat)
    {
        m_process.setEnvironment(QProcess::systemEnvironment()
                                 << "XDG_CONFIG_HOME=" + configHome << QStringLiteral("FETCH_PACKAGE_RETRY_MS=100"));
        const QString tool = TestPaths::programDir() + QStringLiteral("/fetch_package");
        m_process.start(QStringLiteral("/bin/sh"),
                        QStringList{QStringLiteral("-c"), QStringLiteral("exec %1 \"$0\" \"$@\"").arg(wrapper), tool} +
                            arguments);
    }

    int finish(int timeoutMs = 30000) // -1: did not end in time, or died of a signal
    {
        if (!m_process.waitForFinished(timeoutMs))
            m_process.kill();
        m_process.waitForFinished();
        m_output = m_process.readAll();
        m_errors = QString::fromUtf8(m_process.readAllStandardError());
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    // The bytes recorded as on disk (of a segment, by its number), or the number of segments; -1 without a record.
    qint64 recordedSize(const QString &key = QStringLiteral("0"))
    {
        m_record.sync();
        return m_record.value(QStringLiteral("game.7z/") + key, -1).toLongLong();
    }

    QProcess m_process;
    QSettings m_record;
    QByteArray m_output;
    QString m_errors;
};

// fetch_package killed, run twice at once, cut off, short of space.
class TestFetchPackage : public PackageHost
{
    Q_OBJECT

private slots:
    void init()
    {
        setUpHost();
        QVERIFY(QDir().mkpath(folder()));
    }

    // A too small disk (a tmpfs in the tool's own mount namespace) is known before a byte is fetched. With room enough,
    // a second run ends at once; the first, killed, leaves a record to resume from. The run that resumes outlives an
    // outage: connections refused for 2 s, tries waiting 0.1 s doubling to 1.6 s here.
    void smallDiskSecondRunKillAndOutage()
    {
        const QByteArray content = servePackage(2 * 1024 * 1024, 32768, 20);
        ToolRun small(configHome(), arguments(content),
                      "unshare -rm sh -c 'mount -t tmpfs -o size=256k none \"$2\" && exec \"$0\" \"$@\"'");
        QCOMPARE(small.finish(), 1);
        QVERIFY2(small.m_errors.contains(QStringLiteral("DOWNLOAD_EXIST_SIZE_ERROR (1001): 硬盘空间不足")),
                 qPrintable(small.m_errors));
        QVERIFY(gets().isEmpty());
        ToolRun first(configHome(), arguments(content));
        QVERIFY(QTest::qWaitFor([&] { return first.recordedSize() > 0; }, 20000)); // a first chunk recorded
        ToolRun second(configHome(), arguments(content));
        QCOMPARE(second.finish(5000), 1);
        QVERIFY(second.m_errors.contains(QStringLiteral("DOWNLOAD_OPEN_FILE_ERROR (1000): 文件正在下载中")));
        first.m_process.kill();
        QCOMPARE(first.finish(), -1);
        const qint64 recorded = first.recordedSize();
        QVERIFY(recorded > 0 && recorded < content.size());
        QCOMPARE(PackageFixture::read(package(QStringLiteral("_tmp")), recorded), content.left(int(recorded)));
        QVERIFY(gets().size() == 1 && gets().first().rangeStart == 0);

        ToolRun third(configHome(), arguments(content));
        QVERIFY(QTest::qWaitFor([this] { return gets().size() == 2; }, 20000));
        m_server->refuseConnections(2000);
        QCOMPARE(third.finish(), 0);
        QCOMPARE(gets().at(1).header("Range"), "bytes=" + QByteArray::number(recorded) + "-2097152");
        QVERIFY(gets().size() > 2 && gets().last().rangeStart >= recorded);
        QCOMPARE(PackageFixture::read(package()), content);
        QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{QStringLiteral("game.7z")});
        QCOMPARE(third.recordedSize(), qint64(-1));
    }

    // Killed during the digest: the next run checks the file, without fetching it.
    void killedDuringDigestIsCheckedNotFetched_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("intact") << false;
        QTest::newRow("damaged meanwhile") << true;
    }
    void killedDuringDigestIsCheckedNotFetched()
    {
        QFETCH(bool, damaged);
        const QByteArray content = servePackage(1024 * 1024);
        // What a run killed between the rename and the digest's verdict leaves.
        QSettings record(configHome() + QStringLiteral("/Tavoro/Aurelith Launcher.conf"), QSettings::IniFormat);
        record.setValue(QStringLiteral("game.7z/path"), package(QStringLiteral("_tmp")));
        record.setValue(QStringLiteral("game.7z/digestPending"), true);
        record.sync();
        writeFile(QStringLiteral("games/game.7z"), damaged ? content.left(5) + 'x' + content.mid(6) : content);
        ToolRun second(configHome(), arguments(content));
        QCOMPARE(second.finish(), damaged ? 1 : 0);
        QCOMPARE(gets().size(), 0);
        QVERIFY(damaged ? second.m_errors.contains(QStringLiteral("DOWNLOAD_MD5_ERROR (1004)"))
                        : second.m_output.contains("done " + package().toUtf8()));
    }

    // Four connections over eight slices, killed twice: each slice resumes where its record says, and the digest taken
    // while downloading (the recorded part hashed again after each start) is the package's.
    void killedSegmentsResumeAndDigestWhileDownloading()
    {
        const QByteArray content = servePackage(32 * 1024 * 1024, 32768, 20);
        QVector<qint64> recorded(8, 0);
        for (int round = 0; round < 2; ++round) {
            ToolRun run(configHome(), arguments(content));
            QVERIFY(QTest::qWaitFor([&] { return run.recordedSize("3") > recorded[3] + 65536; }, 30000));
            run.m_process.kill();
            QCOMPARE(run.finish(), -1);
            QCOMPARE(run.recordedSize("segments"), 8);
            const QByteArray onDisk = PackageFixture::read(package(QStringLiteral("_tmp")));
            for (int index = 0; index < 8; ++index) {
                const qint64 from = resumerecord::sliceStart(content.size(), 8, index);
                const qint64 size = run.recordedSize(QString::number(index));
                QVERIFY(size >= recorded[index]);
                QVERIFY(onDisk.mid(from, size) == content.mid(int(from), int(size)));
                recorded[index] = size;
            }
        }
        serve(content);
        const int before = gets().size();
        ToolRun last(configHome(), arguments(content));
        QCOMPARE(last.finish(), 0);
        QList<qint64> starts, expected;
        for (const FaultRequest &get : gets().mid(before))
            starts.append(get.rangeStart);
        for (int index = 0; index < 8; ++index) {
            const qint64 end = resumerecord::sliceStart(content.size(), 8, index + 1);
            const qint64 from = resumerecord::sliceStart(content.size(), 8, index) + recorded[index];
            if (from < end)
                expected.append(from);
        }
        std::sort(starts.begin(), starts.end());
        QCOMPARE(starts, expected);
        QVERIFY(!last.m_errors.contains(QStringLiteral("reading the whole file")));
        QCOMPARE(PackageFixture::read(package()), content);
    }

    // A record never claims more than a data sync of the temporary file had covered when it began; the sync runs on a
    // thread of its own, so the trace shows it as begun and, later, resumed. Syncs take 0.2 s, as on a slow disk: a
    // save of the store (which syncs its lock file first) begun while the package's sync is still under way shows. The
    // thread that writes the data (the GUI thread in the window) never waits for a sync itself, not even for the last
    // bytes.
    void recordFollowsDataSync()
    {
        const QByteArray content = servePackage(4 * 1024 * 1024, 32768, 20);
        const QString trace = m_dir->filePath(QStringLiteral("trace"));
        ToolRun run(configHome(), arguments(content),
                    "strace -f -y -qq -s 200 -e trace=write,fdatasync -e inject=fdatasync:delay_exit=200000 -o " +
                        trace);
        QCOMPARE(run.finish(), 0);
        const QRegularExpression dataWrite("write\\(\\d+<[^>]*game\\.7z_tmp>, .*, (\\d+)(?:\\)| <unfinished)");
        // The store writes a nameless file, then links or renames it in place.
        const QRegularExpression recordWrite("write\\(.*\"\\[game\\.7z\\]\\\\n0=(\\d+)\\\\n");
        qint64 written = 0, synced = 0, syncedAtSave = 0;
        QMap<QByteArray, qint64> syncing; // by thread: what was written when its sync began
        int saves = 0, writerSyncs = 0;
        QByteArray writer;
        for (const QByteArray &line : PackageFixture::read(trace).split('\n')) {
            const QString text = QString::fromLatin1(line);
            const QByteArray thread = line.left(line.indexOf(' '));
            if (const auto data = dataWrite.match(text); data.hasMatch()) {
                written += data.captured(1).toLongLong();
                writer = thread;
            }
            if (line.contains("fdatasync(") && line.contains("game.7z_tmp>")) {
                (line.contains("<unfinished") ? syncing[thread] : synced) = written;
                writerSyncs += thread == writer;
            }
            if (line.contains("<... fdatasync resumed>") && syncing.contains(thread))
                synced = qMax(synced, syncing.take(thread));
            if (line.contains("fdatasync(") && line.contains("Launcher.conf.lock>"))
                syncedAtSave = synced;
            if (const auto record = recordWrite.match(text); record.hasMatch()) {
                QVERIFY2(record.captured(1).toLongLong() <= syncedAtSave, line.constData());
                saves += record.captured(1).toLongLong() > 0;
            }
        }
        QVERIFY2(saves >= 2, QByteArray::number(saves));
        QCOMPARE(writerSyncs, 0);
    }

private:
    QString folder() const { return m_dir->filePath(QStringLiteral("games")); }
    QString configHome() const { return m_dir->filePath(QStringLiteral("config")); }
    QString package(const QString &suffix = QString()) const { return folder() + QStringLiteral("/game.7z") + suffix; }
    QStringList arguments(const QByteArray &content) const
    {
        return {m_server->url(QStringLiteral("/packages/game.7z")).toString(), folder(), PackageFixture::md5(content)};
    }
    QByteArray servePackage(int size, int chunkBytes = 0, int chunkIntervalMs = 0)
    {
        return serve(PackageFixture::content(size), [=](const FaultRequest &, FaultReply &reply) {
            reply.chunkBytes = chunkBytes;
            reply.chunkIntervalMs = chunkIntervalMs;
        });
    }
};

QTEST_GUILESS_MAIN(TestFetchPackage)
#include "tst_fetchpackage.moc"

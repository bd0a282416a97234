#include "download/packagefixture.h"
#include "download/toolrun.h"
#include "support/faultserver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// fetch_package as a process, as a player runs the launcher: killed, run
// twice at once, cut off from the server, short of space. Against the
// scripted server, and against the local service's nginx.
class TestFetchPackage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void killedDownloadResumesWhereTheRecordSays();
    void killedDuringDigestIsCheckedNotFetched();
    void secondDownloaderOfOneFileEndsAtOnce();
    void outageIsSurvived();
    void fileSizeLimitGivesWriteError();
    void tooSmallDiskFailsBeforeFetching();
    void fromTheLocalService_data();
    void fromTheLocalService();

private:
    QString folder() const { return m_dir->filePath(QStringLiteral("games")); }
    QString configHome() const { return m_dir->filePath(QStringLiteral("config")); }
    QString packagePath(const QString &suffix = QString()) const
    {
        return folder() + QStringLiteral("/game.7z") + suffix;
    }
    QStringList arguments(const QByteArray &content) const
    {
        return {m_server->url(QStringLiteral("/packages/game.7z")).toString(), folder(), PackageFixture::md5(content)};
    }
    void serve(const QByteArray &content, int chunkBytes = 0, int chunkIntervalMs = 0);
    QByteArray readFile(const QString &path, qint64 length = -1) const;
    QList<FaultRequest> gets() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FaultServer> m_server;
};

void TestFetchPackage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(folder()));
    m_server = std::make_unique<FaultServer>();
    QVERIFY(m_server->listen());
}

void TestFetchPackage::cleanup()
{
    m_server.reset();
    m_dir.reset();
}

void TestFetchPackage::serve(const QByteArray &content, int chunkBytes, int chunkIntervalMs)
{
    m_server->setHandler([content, chunkBytes, chunkIntervalMs](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        reply.chunkBytes = chunkBytes;
        reply.chunkIntervalMs = chunkIntervalMs;
        return reply;
    });
}

QByteArray TestFetchPackage::readFile(const QString &path, qint64 length) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return length < 0 ? file.readAll() : file.read(length);
}

QList<FaultRequest> TestFetchPackage::gets() const
{
    QList<FaultRequest> result;
    for (const FaultRequest &request : m_server->requests()) {
        if (request.method == "GET")
            result.append(request);
    }
    return result;
}

void TestFetchPackage::killedDownloadResumesWhereTheRecordSays()
{
    const QByteArray content = PackageFixture::content(2 * 1024 * 1024);
    serve(content, 32768, 20);
    ToolRun first(configHome());
    first.start(arguments(content));
    QVERIFY(QTest::qWaitFor([&first] { return first.recordedSize(QStringLiteral("game.7z")) > 0; }, 20000));
    first.kill();

    const qint64 recorded = first.recordedSize(QStringLiteral("game.7z"));
    QVERIFY(recorded > 0 && recorded < content.size());
    QCOMPARE(readFile(packagePath(QStringLiteral("_tmp")), recorded), content.left(int(recorded)));

    serve(content);
    ToolRun second(configHome());
    second.start(arguments(content));
    QCOMPARE(second.finish(), 0);
    QCOMPARE(gets().last().header("Range"),
             QByteArray("bytes=") + QByteArray::number(recorded) + "-" + QByteArray::number(content.size()));
    QCOMPARE(readFile(packagePath()), content);
    QVERIFY(!QFile::exists(packagePath(QStringLiteral("_tmp"))));
    QCOMPARE(second.recordedSize(QStringLiteral("game.7z")), qint64(-1));
}

// Killed once the file has its name and its check has begun: the next run
// checks the file and uses it, without fetching it again.
void TestFetchPackage::killedDuringDigestIsCheckedNotFetched()
{
    const QByteArray content = PackageFixture::content(48 * 1024 * 1024);
    serve(content);
    ToolRun first(configHome());
    first.start(arguments(content));
    QVERIFY(first.waitForOutput(QStringLiteral("checking digest")));
    first.kill();
    QCOMPARE(readFile(packagePath()), content);
    QCOMPARE(gets().size(), 1);

    ToolRun second(configHome());
    second.start(arguments(content));
    QCOMPARE(second.finish(), 0);
    QCOMPARE(gets().size(), 1);
    QVERIFY(second.output().contains(QStringLiteral("done ") + packagePath()));
}

void TestFetchPackage::secondDownloaderOfOneFileEndsAtOnce()
{
    const QByteArray content = PackageFixture::content(2 * 1024 * 1024);
    serve(content, 32768, 20);
    ToolRun first(configHome());
    first.start(arguments(content));
    QVERIFY(QTest::qWaitFor([&first] { return first.recordedSize(QStringLiteral("game.7z")) > 0; }, 20000));
    ToolRun second(configHome());
    second.start(arguments(content));
    QCOMPARE(second.finish(5000), 1);
    QVERIFY2(second.errorOutput().contains(QStringLiteral("DOWNLOAD_OPEN_FILE_ERROR (1000): 文件正在下载中")),
             qPrintable(second.errorOutput()));
    QCOMPARE(first.finish(), 0);
    QCOMPARE(gets().size(), 1);
    QCOMPARE(readFile(packagePath()), content);
}

// The server's port refuses connections for 2 s mid-download; tries wait
// 0.1 s doubling to 1.6 s here (1 s to 16 s in the launcher).
void TestFetchPackage::outageIsSurvived()
{
    const QByteArray content = PackageFixture::content(2 * 1024 * 1024);
    serve(content, 32768, 20);
    ToolRun run(configHome());
    run.start(arguments(content));
    QVERIFY(QTest::qWaitFor([&run] { return run.recordedSize(QStringLiteral("game.7z")) > 0; }, 20000));
    m_server->refuseConnections(2000);
    QCOMPARE(run.finish(), 0);
    QVERIFY(gets().last().rangeStart > 0);
    QCOMPARE(readFile(packagePath()), content);
}

// A file-size limit makes the write that crosses it come back short, then
// fail, the way a full disk does; the process must live to say so.
void TestFetchPackage::fileSizeLimitGivesWriteError()
{
    const qint64 limit = 300001;
    const QByteArray content = PackageFixture::content(1024 * 1024);
    {
        QFile temp(packagePath(QStringLiteral("_tmp")));
        QVERIFY(temp.open(QIODevice::WriteOnly));
        QVERIFY(temp.resize(content.size()));
    }
    serve(content);
    ToolRun limited(configHome());
    limited.start(arguments(content), QStringLiteral("exec prlimit --fsize=%1 \"$0\" \"$@\"").arg(limit));
    QCOMPARE(limited.finish(), 1);
    QVERIFY2(limited.errorOutput().contains(QStringLiteral("DOWNLOAD_WRITE_BUFFER_ERROR (1002): 写入文件缓存失败")) ||
                 limited.errorOutput().contains(QStringLiteral("DOWNLOAD_FLUSH_ERROR (1003): 缓存写入硬盘失败")),
             qPrintable(limited.errorOutput()));
    const qint64 recorded = limited.recordedSize(QStringLiteral("game.7z"));
    QVERIFY2(recorded >= 0 && recorded <= limit, QByteArray::number(recorded));
    QCOMPARE(readFile(packagePath(QStringLiteral("_tmp")), recorded), content.left(int(recorded)));

    ToolRun unlimited(configHome());
    unlimited.start(arguments(content));
    QCOMPARE(unlimited.finish(), 0);
    QCOMPARE(gets().last().rangeStart, qMax<qint64>(recorded, 0));
    QCOMPARE(readFile(packagePath()), content);
}

// A 256 KiB tmpfs over the folder, in a mount namespace of the tool's own.
void TestFetchPackage::tooSmallDiskFailsBeforeFetching()
{
    const QByteArray content = PackageFixture::content(1024 * 1024);
    serve(content);
    ToolRun run(configHome());
    run.start(arguments(content), QStringLiteral("exec unshare -rm sh -c 'mount -t tmpfs -o size=256k none \"$2\" && "
                                                 "exec \"$0\" \"$@\"' \"$0\" \"$@\""));
    QCOMPARE(run.finish(), 1);
    QVERIFY2(run.errorOutput().contains(QStringLiteral("DOWNLOAD_EXIST_SIZE_ERROR (1001): 硬盘空间不足")),
             qPrintable(run.errorOutput()));
    QVERIFY(gets().isEmpty());
}

void TestFetchPackage::fromTheLocalService_data()
{
    QTest::addColumn<bool>("resumeHalfway");
    QTest::newRow("fresh") << false;
    QTest::newRow("resumed halfway") << true;
}

// nginx's HEAD, ranged GET and 206 answers, exactly as a package host gives them.
void TestFetchPackage::fromTheLocalService()
{
    QFETCH(bool, resumeHalfway);
    QMap<QByteArray, QString> service;
    QFile env(qEnvironmentVariable("LOCAL_SERVICE_DIR") + QStringLiteral("/service.env"));
    QVERIFY2(env.open(QIODevice::ReadOnly), qPrintable(env.fileName()));
    for (QByteArray line : env.readAll().split('\n')) {
        const int equals = line.indexOf('=');
        if (equals > 0)
            service.insert(line.left(equals), QString::fromUtf8(line.mid(equals + 1)).remove(QLatin1Char('\'')));
    }
    const QByteArray bytes = readFile(service.value("PACKAGE_FILE"));
    const QString url = service.value("PACKAGE_URL");
    const QString package = folder() + QLatin1Char('/') + QUrl(url).fileName();
    const int half = bytes.size() / 2;
    ToolRun run(configHome());
    if (resumeHalfway) {
        QFile temp(package + QStringLiteral("_tmp"));
        QVERIFY(temp.open(QIODevice::WriteOnly));
        temp.write(bytes.left(half));
        QVERIFY(temp.resize(bytes.size()));
        run.setRecordedSize(QUrl(url).fileName(), half);
    }
    run.start({url, folder(), service.value("PACKAGE_MD5")});
    QCOMPARE(run.finish(), 0);
    QVERIFY(run.output().contains(QStringLiteral("%1 / %2 bytes").arg(resumeHalfway ? half : 0).arg(bytes.size())));
    QCOMPARE(readFile(package), bytes);
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{QUrl(url).fileName()});
}

QTEST_GUILESS_MAIN(TestFetchPackage)
#include "tst_fetchpackage.moc"

#include "download/packagefixture.h"
#include "download/toolrun.h"
#include "support/faultserver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// fetch_package as a process against the scripted server: a download that
// is killed, or cannot write, must leave a record a second run can trust.
class TestFetchPackage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void killedDownloadResumesWhereTheRecordSays();
    void recordWithoutTemporaryFileStartsFromZero();
    void shortWriteNeverRecordsMoreThanTheDisk();

private:
    QString folder() const { return m_dir->filePath(QStringLiteral("games")); }
    QString configHome() const { return m_dir->filePath(QStringLiteral("config")); }
    QString packagePath(const QString &suffix = QString()) const
    {
        return folder() + QStringLiteral("/game.7z") + suffix;
    }
    QStringList arguments(const QByteArray &content) const;
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

QStringList TestFetchPackage::arguments(const QByteArray &content) const
{
    return {m_server->url(QStringLiteral("/packages/game.7z")).toString(), folder(), PackageFixture::md5(content)};
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

void TestFetchPackage::recordWithoutTemporaryFileStartsFromZero()
{
    const QByteArray content = PackageFixture::content(300000);
    serve(content);
    ToolRun run(configHome());
    run.setRecordedSize(QStringLiteral("game.7z"), 120000);
    run.start(arguments(content));
    QCOMPARE(run.finish(), 0);
    QCOMPARE(gets().size(), 1);
    QCOMPARE(gets().first().rangeStart, qint64(0));
    QCOMPARE(readFile(packagePath()), content);
}

void TestFetchPackage::shortWriteNeverRecordsMoreThanTheDisk()
{
    // A file size limit makes the write that crosses it come back short, the
    // way a full disk does.
    const qint64 limit = 300001;
    const QByteArray content = PackageFixture::content(1024 * 1024);
    {
        QFile temp(packagePath(QStringLiteral("_tmp")));
        QVERIFY(temp.open(QIODevice::WriteOnly));
        QVERIFY(temp.resize(content.size()));
    }
    serve(content);
    ToolRun limited(configHome());
    limited.start(arguments(content), QStringLiteral("trap '' XFSZ; exec prlimit --fsize=%1 \"$0\" \"$@\"").arg(limit));
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

QTEST_GUILESS_MAIN(TestFetchPackage)
#include "tst_fetchpackage.moc"

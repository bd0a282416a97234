#include "download/packagefixture.h"
#include "download/toolrun.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The normal road against the local launcher service, a real nginx: HEAD,
// ranged GET and 206 answers exactly as a package host gives them.
class TestDownloadService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void downloadsThePackage();
    void resumesAnInterruptedDownload();
    void missingPackageIsReported();

private:
    QString folder() const { return m_dir->filePath(QStringLiteral("games")); }
    QString configHome() const { return m_dir->filePath(QStringLiteral("config")); }
    QString packageName() const { return QUrl(m_service.value("PACKAGE_URL")).fileName(); }
    QByteArray packageBytes() const;

    QMap<QByteArray, QString> m_service;
    std::unique_ptr<QTemporaryDir> m_dir;
};

// service.env holds shell assignments; values are plain or single-quoted.
void TestDownloadService::initTestCase()
{
    QFile env(qEnvironmentVariable("LOCAL_SERVICE_DIR") + QStringLiteral("/service.env"));
    QVERIFY2(env.open(QIODevice::ReadOnly), qPrintable(env.fileName()));
    while (!env.atEnd()) {
        const QByteArray line = env.readLine().trimmed();
        const int equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        QByteArray value = line.mid(equals + 1);
        if (value.size() >= 2 && value.startsWith('\'') && value.endsWith('\''))
            value = value.mid(1, value.size() - 2);
        m_service.insert(line.left(equals), QString::fromUtf8(value));
    }
    QVERIFY(!m_service.value("PACKAGE_URL").isEmpty());
    QVERIFY(!m_service.value("PACKAGE_MD5").isEmpty());
}

void TestDownloadService::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(folder()));
}

void TestDownloadService::cleanup()
{
    m_dir.reset();
}

QByteArray TestDownloadService::packageBytes() const
{
    QFile file(m_service.value("PACKAGE_FILE"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestDownloadService::downloadsThePackage()
{
    const QString md5 = m_service.value("PACKAGE_MD5");
    ToolRun run(configHome());
    run.start({m_service.value("PACKAGE_URL"), folder(), md5});
    QCOMPARE(run.finish(), 0);
    QVERIFY(run.output().contains(QLatin1String("(100.0%)")));
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{packageName()});
    QFile package(folder() + QLatin1Char('/') + packageName());
    QCOMPARE(package.size(), m_service.value("PACKAGE_SIZE").toLongLong());
    QVERIFY(package.open(QIODevice::ReadOnly));
    QCOMPARE(PackageFixture::md5(package.readAll()), md5);
    QCOMPARE(run.recordedSize(packageName()), qint64(-1));
}

void TestDownloadService::resumesAnInterruptedDownload()
{
    // What a run stopped halfway leaves: the first half on disk, the rest
    // zeros, and a record of the half.
    const QByteArray bytes = packageBytes();
    QVERIFY(bytes.size() > 2);
    const int half = bytes.size() / 2;
    QFile temp(folder() + QLatin1Char('/') + packageName() + QStringLiteral("_tmp"));
    QVERIFY(temp.open(QIODevice::WriteOnly));
    temp.write(bytes.left(half));
    QVERIFY(temp.resize(bytes.size()));
    temp.close();
    ToolRun run(configHome());
    run.setRecordedSize(packageName(), half);
    run.start({m_service.value("PACKAGE_URL"), folder(), m_service.value("PACKAGE_MD5")});
    QCOMPARE(run.finish(), 0);
    QVERIFY2(run.output().contains(QStringLiteral("%1 / %2 bytes").arg(half).arg(bytes.size())),
             qPrintable(run.output()));
    QFile package(folder() + QLatin1Char('/') + packageName());
    QVERIFY(package.open(QIODevice::ReadOnly));
    QCOMPARE(package.readAll(), bytes);
}

void TestDownloadService::missingPackageIsReported()
{
    const QString url = m_service.value("PACKAGE_URL") + QStringLiteral(".missing");
    ToolRun run(configHome());
    run.start({url, folder()});
    QCOMPARE(run.finish(), 1);
    QVERIFY2(
        run.errorOutput().contains(QStringLiteral("DOWNLOAD_NETWORK_GETHEADER_ERROR (1005): 网络资源获取失败(404)")),
        qPrintable(run.errorOutput()));
    QVERIFY(QDir(folder()).isEmpty());
}

QTEST_GUILESS_MAIN(TestDownloadService)
#include "tst_downloadservice.moc"

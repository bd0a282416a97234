#include "download/md5checkworker.h"
#include "download/packagefixture.h"

#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

class TestMd5CheckWorker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void digestsOnItsThread_data();
    void digestsOnItsThread();
    void missingFileGivesEmptyText();

private:
    QString digestOf(const QString &path);
    QTemporaryDir m_dir;
};

void TestMd5CheckWorker::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestMd5CheckWorker::digestOf(const QString &path)
{
    QThread thread;
    auto *worker = new md5checkworker;
    worker->setFilePath(path);
    worker->moveToThread(&thread);
    connect(&thread, &QThread::started, worker, &md5checkworker::md5);
    connect(&thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &md5checkworker::md5Checkfinished, &thread, &QThread::quit);
    // Queued to this thread, as the downloader receives it.
    QStringList results;
    connect(worker, &md5checkworker::md5Checkfinished, this, [&results](const QString &md5) { results.append(md5); });
    thread.start();
    if (!QTest::qWaitFor([&results] { return !results.isEmpty(); }, 20000))
        return QStringLiteral("no result");
    thread.wait();
    return results.first();
}

void TestMd5CheckWorker::digestsOnItsThread_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    // RFC 1321's test suite.
    QTest::newRow("empty") << QByteArray() << QStringLiteral("d41d8cd98f00b204e9800998ecf8427e");
    QTest::newRow("abc") << QByteArray("abc") << QStringLiteral("900150983cd24fb0d6963f7d28e17f72");
    const QByteArray large = PackageFixture::content(3 * 1024 * 1024 + 17);
    QTest::newRow("several blocks") << large << PackageFixture::md5(large);
}

void TestMd5CheckWorker::digestsOnItsThread()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QCOMPARE(digestOf(path), expected);
}

void TestMd5CheckWorker::missingFileGivesEmptyText()
{
    QCOMPARE(digestOf(m_dir.filePath(QStringLiteral("absent.7z"))), QString());
}

QTEST_GUILESS_MAIN(TestMd5CheckWorker)
#include "tst_md5checkworker.moc"

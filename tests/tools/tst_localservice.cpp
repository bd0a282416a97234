#include "net/httprequestapi.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "support/testpaths.h"

#include <QCryptographicHash>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

// The local launcher service as every end-to-end test meets it: nginx
// started by the fixture, content made by its generator.
class TestLocalService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void statusNamesThePackage();
    void resourceAnswerNamesThePackage_data();
    void resourceAnswerNamesThePackage();
    void contentAnswerNamesPicturesThatExist();
    void headGivesThePackageSize();
    void rangeRequests_data();
    void rangeRequests();
    void launcherPageReadsItsApiAddress();
    void reportIsLoggedAsSent();
    void packagesHoldTheSampleGame();

private:
    QString env(const QString &key) const { return m_env.value(key); }
    QByteArray fetch(const QString &url, int *status = nullptr);
    QNetworkReply *send(const QNetworkRequest &request, const QByteArray &verb);
    QString sevenZipListing(const QString &archive);

    QMap<QString, QString> m_env;
    QByteArray m_package;
    QNetworkAccessManager m_network;
};

void TestLocalService::initTestCase()
{
    const QString dir = qEnvironmentVariable("LOCAL_SERVICE_DIR");
    QVERIFY2(!dir.isEmpty(), "run through CTest: the local_service fixture names the folder");
    QFile file(dir + "/service.env");
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
        QString value = line.section('=', 1);
        if (value.startsWith('\'') && value.endsWith('\''))
            value = value.mid(1, value.size() - 2).replace("'\"'\"'", "'");
        m_env.insert(line.section('=', 0, 0), value);
    }
    QCOMPARE(env("LOCAL_SERVICE_PORT"), qEnvironmentVariable("LOCAL_SERVICE_PORT"));
    QFile package(env("PACKAGE_FILE"));
    QVERIFY(package.open(QIODevice::ReadOnly));
    m_package = package.readAll();
    QVERIFY(m_package.size() > 1024);
}

QNetworkReply *TestLocalService::send(const QNetworkRequest &request, const QByteArray &verb)
{
    // HEAD through sendCustomRequest would wait for a body that never comes.
    QNetworkReply *reply = verb == "HEAD" ? m_network.head(request) : m_network.sendCustomRequest(request, verb);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(10000);
    return reply;
}

QByteArray TestLocalService::fetch(const QString &url, int *status)
{
    QScopedPointer<QNetworkReply> reply(send(QNetworkRequest(QUrl(url)), "GET"));
    if (status)
        *status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return reply->readAll();
}

void TestLocalService::statusNamesThePackage()
{
    QProcess script;
    script.start("bash", {TestPaths::sourceDir() + "/tools/local-service.sh", "status"});
    QVERIFY(script.waitForFinished(20000));
    QCOMPARE(script.exitCode(), 0);
    const QString output = QString::fromUtf8(script.readAllStandardOutput());
    QVERIFY(output.contains("running"));
    QVERIFY(output.contains("PACKAGE_MD5=" + env("PACKAGE_MD5")));
    QVERIFY(output.contains("PACKAGE_SIZE=" + QString::number(m_package.size())));
}

void TestLocalService::resourceAnswerNamesThePackage_data()
{
    QTest::addColumn<QString>("query");
    QTest::newRow("as the installer asks") << "?launcher_id=5";
    QTest::newRow("other query") << "?launcher_id=9&cache=1";
    QTest::newRow("no query") << "";
}

void TestLocalService::resourceAnswerNamesThePackage()
{
    QFETCH(QString, query);
    HttpRequestAPI client;
    client.setRawHeader("content-type", "application/json");
    QByteArray body;
    int status = -1;
    client.get(env("API_BASE") + "/zqk/launcher/api/resource" + query,
               [&](bool, const QByteArray &answer, const QString &, int code) {
                   body = answer;
                   status = code;
               });
    QTRY_VERIFY(status != -1);
    QCOMPARE(status, 200);

    UpdateVersionInfo info;
    info.parseGameRes(body);
    QCOMPARE(info.md5, QString::fromLatin1(QCryptographicHash::hash(m_package, QCryptographicHash::Md5).toHex()));
    QCOMPARE(info.md5, env("PACKAGE_MD5"));
    QCOMPARE(info.size, qint64(m_package.size()));
    QCOMPARE(info.path, env("PACKAGE_URL"));
    QCOMPARE(info.version, env("PACKAGE_VERSION"));
    QCOMPARE(info.entry, env("GAME_ENTRY"));
    QCOMPARE(info.getPackageUrl(env("OLD_VERSION")).toString(), env("DIFF_PACKAGE_URL"));
    QCOMPARE(info.getPackageMd5(env("OLD_VERSION")), env("DIFF_PACKAGE_MD5"));
    QCOMPARE(info.plugins.size(), 1);
    QCOMPARE(info.plugins.first().value("path").toString(), env("PLUGIN_URL"));
    QCOMPARE(info.plugins.first().value("md5").toString(), env("PLUGIN_MD5"));
    QCOMPARE(compareVersion("2.1.1.0", info.minVersion), -1);
    QVERIFY(QUrl(info.forceUpdateUrl).isValid());
    int pageStatus = 0;
    fetch(info.webUrl, &pageStatus);
    QCOMPARE(pageStatus, 200);
}

void TestLocalService::contentAnswerNamesPicturesThatExist()
{
    int status = 0;
    const QByteArray body = fetch(env("CONTENT_URL"), &status);
    QCOMPARE(status, 200);
    UpdateVersionInfo info;
    info.parseLauncherContent(body);
    for (const QString &picture : {info.advBackground, info.advIcon}) {
        QVERIFY(!UpdateVersionInfo::urlFileName(picture).isEmpty());
        QVERIFY(fetch(picture, &status).startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(status, 200);
    }
    fetch(info.advUrl, &status);
    QCOMPARE(status, 200);
    // Forget the names so destruction does not look for them beside the test.
    info.advBackground.clear();
    info.advIcon.clear();
}

void TestLocalService::headGivesThePackageSize()
{
    QScopedPointer<QNetworkReply> reply(send(QNetworkRequest(QUrl(env("PACKAGE_URL"))), "HEAD"));
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    QCOMPARE(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(), qint64(m_package.size()));
    QCOMPARE(reply->rawHeader("Accept-Ranges"), QByteArray("bytes"));
    QVERIFY(reply->readAll().isEmpty());

    // The model asks for the size itself when an answer leaves it out.
    UpdateVersionInfo info;
    info.parseGameRes("{\"data\":{\"game\":{\"latest\":{\"path\":\"" + env("PACKAGE_URL").toUtf8() + "\"}}}}");
    QTRY_COMPARE(info.size, qint64(m_package.size()));
}

void TestLocalService::rangeRequests_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("from");
    QTest::addColumn<qint64>("length");
    QTest::newRow("middle") << QByteArray("bytes=100-1123") << 206 << qint64(100) << qint64(1024);
    QTest::newRow("from the start") << QByteArray("bytes=0-0") << 206 << qint64(0) << qint64(1);
    QTest::newRow("past the end") << QByteArray("bytes=999999999-") << 416 << qint64(0) << qint64(0);
}

void TestLocalService::rangeRequests()
{
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(qint64, from);
    QFETCH(qint64, length);
    QNetworkRequest request(QUrl(env("PACKAGE_URL")));
    request.setRawHeader("Range", range);
    QScopedPointer<QNetworkReply> reply(send(request, "GET"));
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
    if (status == 206) {
        QCOMPARE(reply->readAll(), m_package.mid(from, length));
        QCOMPARE(reply->rawHeader("Content-Range"), "bytes " + QByteArray::number(from) + '-' +
                                                        QByteArray::number(from + length - 1) + '/' +
                                                        QByteArray::number(m_package.size()));
    } else {
        QCOMPARE(reply->rawHeader("Content-Range"), "bytes */" + QByteArray::number(m_package.size()));
    }
}

void TestLocalService::launcherPageReadsItsApiAddress()
{
    int status = 0;
    const QString api = QString::fromLatin1(QUrl::toPercentEncoding(env("API_BASE")));
    const QByteArray page = fetch(env("WEB_BASE") + "/5/ja-jp?api_url=" + api + "&prev=false", &status);
    QCOMPARE(status, 200);
    QVERIFY(page.contains("api_url"));
    QVERIFY(page.contains("<html"));
    fetch(env("WEB_BASE") + "/6/ja-jp", &status);
    QCOMPARE(status, 404);
}

void TestLocalService::reportIsLoggedAsSent()
{
    StatusReport reporter(env("REPORT_BASE"));
    const StatusReport::Fields extra{{"errorCode", "DOWNLOAD_MD5_ERROR"},
                                     {"errorDesc", QStringLiteral("D:/Games & Co #1 + 100% 校验失败")}};
    const QString query = reporter.query(StatusReport::GAME_LOADER_ERROR, &extra);
    reporter.report(StatusReport::GAME_LOADER_ERROR, &extra);
    QFile log(env("REPORT_LOG"));
    QByteArray line;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            if (!log.open(QIODevice::ReadOnly))
                return false;
            const QList<QByteArray> lines = log.readAll().split('\n');
            log.close();
            for (const QByteArray &candidate : lines) {
                if (candidate.contains(reporter.fields().value("sessionID").toLatin1()))
                    line = candidate;
            }
            return !line.isEmpty();
        }(),
        10000);
    const QUrl sent(env("REPORT_BASE") + "/client_report?" + query, QUrl::TolerantMode);
    QCOMPARE(line, sent.query(QUrl::FullyEncoded).toLatin1());
    QCOMPARE(QUrlQuery(QString::fromLatin1(line)).queryItemValue("extMsg", QUrl::FullyDecoded),
             "errorCode:DOWNLOAD_MD5_ERROR;errorDesc:" + extra.value("errorDesc") + ";");
    QVERIFY(
        line.endsWith("errorDesc:D:/Games%20%26%20Co%20%231%20%2B%20100%25%20%E6%A0%A1%E9%AA%8C%E5%A4%B1%E8%B4%A5;"));
}

QString TestLocalService::sevenZipListing(const QString &archive)
{
    QProcess sevenZip;
    sevenZip.start("7z", {"l", "-slt", archive});
    sevenZip.waitForFinished(30000);
    return QString::fromUtf8(sevenZip.readAllStandardOutput());
}

void TestLocalService::packagesHoldTheSampleGame()
{
    const QString listing = sevenZipListing(env("PACKAGE_FILE"));
    for (const QString &path :
         {QStringLiteral("Halvest_Data/Managed/Metadata/global-metadata.dat"),
          QStringLiteral("Halvest_Data/Native/Data/Metadata/global-metadata.dat"),
          QStringLiteral("Halvest_Data/StreamingAssets/Audio/Voices/ja/line_001.txt"), QStringLiteral("说明.txt")})
        QVERIFY2(listing.contains("Path = " + path + "\n"), qPrintable(path));
    QVERIFY(listing.contains("Path = " + env("GAME_ENTRY") + "\n"));
    QVERIFY(listing.section("Path = " + env("GAME_ENTRY") + "\n", 1).section("Attributes = ", 1, 1).contains("-rwx"));
    QVERIFY(listing.section("Path = LICENSE.txt\n", 1).section("Attributes = ", 1, 1).startsWith("R"));
    QVERIFY(sevenZipListing(env("DIFF_PACKAGE_FILE")).contains("Path = deletefiles.txt\n"));
    QVERIFY(sevenZipListing(env("OLD_PACKAGE_FILE")).contains("Path = Halvest_Data/obsolete.dat\n"));
    QVERIFY(sevenZipListing(env("PLUGIN_FILE")).contains("Path = AurelithHelper/AurelithHelper.exe\n"));
}

QTEST_GUILESS_MAIN(TestLocalService)
#include "tst_localservice.moc"

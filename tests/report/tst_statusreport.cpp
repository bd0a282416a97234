#include "report/deviceinfo.h"
#include "report/statusreport.h"
#include "support/faultserver.h"

#include <QRegularExpression>
#include <QUrlQuery>
#include <QtTest>

class TestStatusReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void baseFieldsInKeyOrder();
    void queryWithoutExtraFields();
    void queryWithExtraFields();
    void valuesWithQueryDelimitersAreEncoded_data();
    void valuesWithQueryDelimitersAreEncoded();
    void reportArrivesWithNoCacheHeader();
    void failuresAreSilent();

private:
    QString expectedBaseItems(const StatusReport &reporter) const;

    FaultServer m_server;
};

void TestStatusReport::initTestCase()
{
    QVERIFY(m_server.listen());
    StatusReport::setClientLanguage(QStringLiteral("en-us"));
}

QString TestStatusReport::expectedBaseItems(const StatusReport &reporter) const
{
    const StatusReport::Fields &f = reporter.fields();
    const QStringList keys{"appid",    "client_device", "client_ip", "client_language", "client_version", "cts",
                           "deviceID", "env",           "gamekey",   "sessionID",       "version"};
    QStringList items;
    for (const QString &key : keys)
        items << key + "=" + StatusReport::encodeValue(f.value(key));
    return items.join('&');
}

void TestStatusReport::baseFieldsInKeyOrder()
{
    StatusReport reporter(m_server.url("").toString());
    const StatusReport::Fields &f = reporter.fields();
    QCOMPARE(f.keys(), QStringList({"appid", "client_device", "client_ip", "client_language", "client_version", "cts",
                                    "deviceID", "env", "gamekey", "sessionID", "version"}));
    QCOMPARE(f.value("gamekey"), QStringLiteral("qz7r_global"));
    QCOMPARE(f.value("appid"), QStringLiteral("5"));
    QCOMPARE(f.value("env"), QStringLiteral("2"));
    QCOMPARE(f.value("version"), QStringLiteral("2.1.1.0"));
    QCOMPARE(f.value("client_language"), QStringLiteral("en-us"));
    QVERIFY(!f.value("deviceID").isEmpty());
    QVERIFY(
        QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}$").match(f.value("cts")).hasMatch());
    QVERIFY(QRegularExpression("^\\d{13}$").match(f.value("sessionID")).hasMatch());
    // The device texts stand unchanged inside the template; its commas are the
    // only separators. Free memory changes between two reads, so only its form.
    const QString device = f.value("client_version");
    QVERIFY2(device.startsWith(QStringLiteral("CPU:%1,GPU:%2,Memory: ").arg(getCpuName(), getGpuInfo())),
             qPrintable(device));
    QVERIFY2(device.endsWith(",System:" + getSystemInfo()), qPrintable(device));
    QVERIFY2(QRegularExpression("Memory: 可用 [\\d.]+ GB / 共 [\\d.]+ GB,").match(device).hasMatch(),
             qPrintable(device));
    QCOMPARE(f.value("client_ip"), getLocalIp());
}

void TestStatusReport::queryWithoutExtraFields()
{
    StatusReport reporter(m_server.url("").toString());
    const StatusReport::Fields none;
    const QString query = reporter.query(StatusReport::PROGRAM_OPEN_OPEN, &none);
    QTest::qWait(30); // time and session are fixed when the reporter is made
    QCOMPARE(reporter.query(StatusReport::PROGRAM_OPEN_OPEN), query);
    QCOMPARE(query, "action=PROGRAM_OPEN_OPEN&" + expectedBaseItems(reporter));
    QVERIFY(query.startsWith("action=PROGRAM_OPEN_OPEN&appid=5&client_device="));
    QVERIFY(query.endsWith("&version=2.1.1.0"));
}

void TestStatusReport::queryWithExtraFields()
{
    StatusReport reporter(m_server.url("").toString());
    const StatusReport::Fields finish{{"type", "GameRes"}, {"newVersion", "1.1.0"}, {"oldVersion", "1.0.0"}};
    QCOMPARE(reporter.query(StatusReport::GAME_LOADER_CHECK_UPDATE_FINISH, &finish),
             "action=GAME_LOADER_CHECK_UPDATE_FINISH&" + expectedBaseItems(reporter) +
                 "&extMsg=newVersion:1.1.0;oldVersion:1.0.0;type:GameRes;");
    const StatusReport::Fields error{{"errorCode", "DOWNLOAD_MD5_ERROR"}, {"errorDesc", "MD5 mismatch"}};
    QVERIFY(reporter.query(StatusReport::GAME_LOADER_ERROR, &error)
                .endsWith("&version=2.1.1.0&extMsg=errorCode:DOWNLOAD_MD5_ERROR;errorDesc:MD5 mismatch;"));
}

void TestStatusReport::valuesWithQueryDelimitersAreEncoded_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("ampersand") << "Tom & Jerry"
                               << "Tom %26 Jerry";
    QTest::newRow("hash") << "disk #2"
                          << "disk %232";
    QTest::newRow("plus") << "C++"
                          << "C%2B%2B";
    QTest::newRow("percent") << "100%"
                             << "100%25";
    QTest::newRow("encoded-looking text") << "a%26b"
                                          << "a%2526b";
    QTest::newRow("others stay") << "D:\\Games/Aurelith ok=1;x:y"
                                 << "D:\\Games/Aurelith ok=1;x:y";
    QTest::newRow("non-ASCII stays") << QStringLiteral("磁盘空间不足") << QStringLiteral("磁盘空间不足");
}

void TestStatusReport::valuesWithQueryDelimitersAreEncoded()
{
    QFETCH(QString, value);
    QFETCH(QString, encoded);
    QCOMPARE(StatusReport::encodeValue(value), encoded);

    // Over the wire the value arrives intact for any query parser.
    m_server.setHandler([](const FaultRequest &) { return FaultReply::text(200, "ok"); });
    const int before = m_server.requestCount();
    StatusReport reporter(m_server.url("").toString());
    const StatusReport::Fields extra{{"installPath", value}};
    reporter.report(StatusReport::GAME_LOADER_CHANGE_INSTALL_PATH, &extra);
    QVERIFY(m_server.waitForRequests(before + 1));
    const QUrl received(QString::fromLatin1(m_server.requests().at(before).target), QUrl::StrictMode);
    const QUrlQuery query(received);
    QCOMPARE(query.queryItems().size(), 13);
    QCOMPARE(query.queryItemValue("extMsg", QUrl::FullyDecoded), "installPath:" + value + ";");
    QCOMPARE(query.queryItemValue("cts", QUrl::FullyDecoded), reporter.fields().value("cts"));
}

void TestStatusReport::reportArrivesWithNoCacheHeader()
{
    m_server.setHandler([](const FaultRequest &) { return FaultReply::text(200, "ok"); });
    const int before = m_server.requestCount();
    StatusReport reporter(m_server.url("").toString());
    const QString query = reporter.query(StatusReport::PROGRAM_OPEN_OPEN);
    QTest::ignoreMessage(QtDebugMsg,
                         qPrintable("report url : " + m_server.url("").toString() + "/client_report?" + query));
    reporter.report(StatusReport::PROGRAM_OPEN_OPEN);
    QVERIFY(m_server.waitForRequests(before + 1));
    const FaultRequest request = m_server.requests().at(before);
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.header("Cache-Control"), QByteArray("no-cache"));
    QVERIFY(request.target.startsWith("/client_report?action=PROGRAM_OPEN_OPEN&appid=5&"));
    QCOMPARE(QUrl::fromPercentEncoding(request.target), "/client_report?" + query);
}

void TestStatusReport::failuresAreSilent()
{
    m_server.setHandler([](const FaultRequest &) {
        FaultReply reply = FaultReply::text(500, "down");
        reply.delayMs = 100;
        return reply;
    });
    const int before = m_server.requestCount();
    StatusReport reporter(m_server.url("").toString());
    reporter.report(StatusReport::PROGRAM_QUIT_QUIT);
    reporter.report(StatusReport::PROGRAM_QUIT_MIN);
    QVERIFY(m_server.waitForRequests(before + 2));
    QTest::qWait(300);
    // Answered with 500 and never repeated.
    QCOMPARE(m_server.requestCount(), before + 2);
}

QTEST_MAIN(TestStatusReport)
#include "tst_statusreport.moc"

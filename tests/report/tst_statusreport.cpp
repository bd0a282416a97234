#include "report/deviceinfo.h"
#include "report/statusreport.h"
#include "support/faultserver.h"

#include <QtTest>

class TestStatusReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        m_server.setHandler([](const FaultRequest &) { return FaultReply::text(200, "ok"); });
        StatusReport::setClientLanguage(QStringLiteral("en-us"));
    }

    void baseFields()
    {
        StatusReport reporter(m_server.url("").toString());
        const StatusReport::Fields &f = reporter.fields();
        QCOMPARE(f.keys(), QStringList({"appid", "client_device", "client_ip", "client_language", "client_version",
                                        "cts", "deviceID", "env", "gamekey", "sessionID", "version"}));
        QCOMPARE(QStringList({f.value("gamekey"), f.value("appid"), f.value("env"), f.value("version"),
                              f.value("client_language"), f.value("client_ip")}),
                 QStringList({"qz7r_global", "5", "2", "2.1.1.0", "en-us", getLocalIp()}));
        QVERIFY(!f.value("deviceID").isEmpty());
        QVERIFY(QString(f.value("cts") + ' ' + f.value("sessionID"))
                    .contains(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\d{13}$")));
        // The device texts stand unchanged inside the template; its commas are the
        // only separators. Free memory changes between two reads, so only its form.
        const QString device =
            QStringLiteral("^CPU:%1,GPU:%2,Memory: 可用 [\\d.]+ GB / 共 [\\d.]+ GB,System:%3$")
                .arg(QRegularExpression::escape(getCpuName()), QRegularExpression::escape(getGpuInfo()),
                     QRegularExpression::escape(getSystemInfo()));
        QVERIFY2(f.value("client_version").contains(QRegularExpression(device)), qPrintable(f.value("client_version")));
        // A report without extra fields ends with its last base field.
        const int before = m_server.requestCount();
        reporter.report(StatusReport::PROGRAM_OPEN_OPEN);
        QVERIFY(m_server.waitForRequests(before + 1));
        const QString target = QString::fromLatin1(m_server.requests().at(before).target);
        QVERIFY2(target.contains(QRegularExpression(
                     "^/client_report\\?action=PROGRAM_OPEN_OPEN&appid=5&[^?]*&version=2\\.1\\.1\\.0$")),
                 qPrintable(target));
    }

    void valuesArriveIntact_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("encoded");
        const auto row = [](const char *tag, const QString &value, const QString &encoded) {
            QTest::newRow(tag) << value << encoded;
        };
        row("ampersand", "Tom & Jerry", "Tom %26 Jerry");
        row("hash", "disk #2", "disk %232");
        row("plus", "C++", "C%2B%2B");
        row("percent, encoded-looking", "a%26b 100%", "a%2526b 100%25");
        row("others stay", "D:\\Games/Aurelith ok=1;x:y", "D:\\Games/Aurelith ok=1;x:y");
        row("non-ASCII stays", QStringLiteral("磁盘空间不足"), QStringLiteral("磁盘空间不足"));
    }
    void valuesArriveIntact()
    {
        QFETCH(QString, value);
        QFETCH(QString, encoded);
        QCOMPARE(StatusReport::encodeValue(value), encoded);

        // Over the wire the value arrives intact for any query parser.
        const int before = m_server.requestCount();
        StatusReport reporter(m_server.url("").toString());
        const StatusReport::Fields extra{{"installPath", value}};
        reporter.report(StatusReport::GAME_LOADER_CHANGE_INSTALL_PATH, &extra);
        QVERIFY(m_server.waitForRequests(before + 1));
        const FaultRequest request = m_server.requests().at(before);
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.header("Cache-Control"), QByteArray("no-cache"));
        QVERIFY(request.target.startsWith("/client_report?action=GAME_LOADER_CHANGE_INSTALL_PATH&appid=5&"));
        const QUrlQuery query(QUrl(QString::fromLatin1(request.target), QUrl::StrictMode));
        QCOMPARE(query.queryItems().size(), 13);
        QCOMPARE(query.queryItemValue("extMsg", QUrl::FullyDecoded), "installPath:" + value + ";");
        QCOMPARE(query.queryItemValue("cts", QUrl::FullyDecoded), reporter.fields().value("cts"));
    }

private:
    FaultServer m_server;
};

QTEST_MAIN(TestStatusReport)
#include "tst_statusreport.moc"

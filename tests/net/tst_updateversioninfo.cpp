#include "net/httprequestapi.h"
#include "net/launcherapi.h"
#include "net/serviceaddresses.h"
#include "net/updateversioninfo.h"
#include "support/faultserver.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(FaultReply)

// The service's answers as the model reads them, the addresses it asks, and the HTTP client under both.
class TestUpdateVersionInfo : public QObject
{
    Q_OBJECT

private slots:
    // Until a test scripts its own: sizes asked by HEAD, "/<status>" answered so with 1000 bytes, "/slow" late with 7.
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        m_server.setHandler([](const FaultRequest &request) {
            const bool slow = request.target == "/slow";
            FaultReply reply =
                FaultReply::text(slow ? 200 : request.target.mid(1).toInt(), QByteArray(slow ? 7 : 1000, 'p'));
            reply.delayMs = slow ? 400 : 0;
            return reply;
        });
    }

    void init() { m_calls.clear(); }

    void parseRules_data()
    {
        QTest::addColumn<QByteArrayList>("answers");
        QTest::addColumn<bool>("content"); // launcher content answers, else game resource answers
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *tag, const QByteArrayList &answers, const char *field, const QString &expected,
                            bool content = false) {
            QTest::newRow(tag) << answers << content << QString::fromLatin1(field) << expected;
        };
        const QByteArray diffs = ",\"diffs\":[{\"version\":\"1.0.0\",\"md5\":\"aa\",\"size\":5},{\"version\":1}]";
        const QByteArray newDiff = ",\"diffs\":[{\"version\":\"1.1.0\",\"md5\":\"cc\"}]";
        const QByteArray adv = "{\"data\":{\"adv\":{\"url\":\"http://h/news\",\"icon\":\"http://h/i.png\"}}}";
        row("latest version", {kFull}, "version", "1.1.0");
        row("size above 2^32 as text", {game("{\"size\":\"6442450944\"}")}, "size", "6442450944");
        row("size above 2^31 as number", {game("{\"size\":4294967296}")}, "size", "4294967296");
        row("size not numeric", {game("{\"size\":\"big\"}")}, "size", "0");
        row("number as version text", {game("{\"version\":1.5}")}, "version", "1.5");
        row("missing key clears the field", {kFull, game("{\"version\":\"1.2.0\"}")}, "md5", kNull);
        row("invalid JSON changes nothing", {kFull, "{\"data\":"}, "version", "1.1.0");
        row("document not an object clears latest", {kFull, "[1,2]"}, "version", kNull);
        row("diff numeric size is null", {game("{}", diffs)}, "diffSize", kNull);
        row("diff numeric version is a null key", {game("{}", diffs)}, "diffKeys", ",1.0.0");
        row("diffs only grow", {kFull, game("{}", newDiff)}, "diffKeys", "1.0.0,1.1.0");
        row("force update absent keeps minimum", {kFull, game("{}")}, "minVersion", "2.0.0.0");
        row("plugins replaced", {kFull, game("{}")}, "pluginCount", "0");
        // A record under the empty version must not be used for a fresh install.
        const QByteArray packages =
            game("{\"path\":\"http://h/full.7z\",\"md5\":\"ff\"}",
                 ",\"diffs\":[{\"version\":\"1.0.0\",\"path\":\"http://h/d.7z\",\"md5\":\"aa\"},"
                 "{\"version\":\"\",\"path\":\"http://h/empty.7z\",\"md5\":\"ee\"}]");
        row("package for a version with a diff", {packages}, "package@1.0.0", "http://h/d.7z aa");
        row("package for a version without", {packages}, "package@0.9.0", "http://h/full.7z ff");
        row("package for a fresh install", {packages}, "package@", "http://h/full.7z ff");
        row("content absent key keeps", {adv, "{\"data\":{\"adv\":{\"url\":\"u\"}}}"}, "advIcon", "http://h/i.png",
            true);
        row("content invalid JSON", {adv, "{"}, "advUrl", "http://h/news", true);
        // An answer naming no size leaves it to a HEAD request, never repeated.
        const auto sizedAt = [this](const char *path) {
            return game("{\"path\":\"" + m_server.url(path).toEncoded() + "\",\"size\":0}");
        };
        row("size answered", {sizedAt("/200")}, "size", "1000");
        row("size not found", {sizedAt("/404")}, "size", "0");
        row("size redirect not followed", {sizedAt("/302")}, "size", "0");
        // The older answer's HEAD comes late and must not overwrite the newer size.
        row("named size beats an older HEAD", {sizedAt("/slow"), game("{\"path\":\"http://h/n.7z\",\"size\":5000}")},
            "size", "5000");
    }
    void parseRules()
    {
        QFETCH(QByteArrayList, answers);
        QFETCH(bool, content);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        const int before = m_server.requestCount();
        UpdateVersionInfo info;
        for (const QByteArray &answer : answers)
            content ? info.parseLauncherContent(answer) : info.parseGameRes(answer);
        QTRY_COMPARE(fieldText(info, field), expected);
        if (answers.join().contains("/slow\"")) { // the late answer (400 ms) must not overwrite: looked at past it
            QTest::qWait(500);
            QCOMPARE(fieldText(info, field), expected);
        }
        const QList<FaultRequest> asked = m_server.requests().mid(before);
        QVERIFY(asked.size() <= answers.join().count(m_server.url("/").toEncoded()));
        for (const FaultRequest &request : asked)
            QCOMPARE(request.method, QByteArray("HEAD"));
    }

    // File names taken from addresses, and what the service is asked: another query item selects another answer. Names
    // that would leave the folder: the download tests' fileName rows, the same rule.
    void addresses_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("expected");
        const auto names = [](const QString &url) {
            return UpdateVersionInfo::urlFileName(url) + '|' + UpdateVersionInfo::urlBaseName(url);
        };
        QTest::newRow("plain") << names("http://h/pictures/bg.png?v=3") << "bg.png|bg";
        QTest::newRow("two dots") << names("http://h/a.tar.gz") << "a.tar.gz|a.tar";
        QTest::newRow("non-ASCII") << names("http://h/p/%E8%83%8C%E6%99%AF.png") << QStringLiteral("背景.png|背景");
        QTest::newRow("no file part") << names("http://h/p/") << "|";
        const ServiceAddresses before = ServiceAddresses::current();
        ServiceAddresses::setCurrent({"http://api.test/g", "http://web.test/launcher", "http://report.test"});
        QTest::newRow("resource") << LauncherApi::makeApiUrl(true, "ja-jp")
                                  << "http://api.test/g/zqk/launcher/api/resource?launcher_id=5";
        QTest::newRow("content")
            << LauncherApi::makeApiUrl(false, "ja-jp")
            << "http://api.test/g/zqk/launcher/api/content?launcher_id=5&filter_adv=true&language=ja-jp";
        QTest::newRow("page") << LauncherApi::mainBgUrl("ja-jp")
                              << "http://web.test/launcher/5/ja-jp?api_url=http%3A%2F%2Fapi.test%2Fg&prev=false";
        ServiceAddresses::setCurrent(before);
    }
    void addresses()
    {
        QFETCH(QString, made);
        QFETCH(QString, expected);
        QCOMPARE(made, expected);
    }

    void destructionRemovesOnlyItsPictures()
    {
        // Pictures named by the server lie beside the program; only those go at
        // exit, never a file elsewhere or one that is no picture.
        const QString appDir = QCoreApplication::applicationDirPath();
        const QString stem = appDir + "/tst_uvi_" + QString::number(QCoreApplication::applicationPid());
        QTemporaryDir outside(appDir + "/../tst_uvi_XXXXXX");
        const QStringList doomed{stem + "_bg.png", stem + "_icon.png"};
        const QStringList kept{outside.path() + "/victim.png", stem + ".ini"};
        for (const QString &path : doomed + kept)
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        const auto named = [&](const QString &path) {
            return "http://h/p/" + QDir(appDir).relativeFilePath(path).replace('/', "%2F").toUtf8();
        };
        for (const QStringList &pictures : {doomed, kept}) {
            UpdateVersionInfo info;
            info.parseLauncherContent("{\"data\":{\"adv\":{\"background\":\"" + named(pictures.at(0)) +
                                      "\",\"icon\":\"" + named(pictures.at(1)) + "\"}}}");
        }
        for (const QString &path : doomed + kept)
            QCOMPARE(QFile::exists(path), kept.contains(path));
        QFile::remove(kept.at(1));
    }

    void answerReachesTheCallback_data()
    {
        QTest::addColumn<FaultReply>("reply");  // status -1: nobody listens
        QTest::addColumn<QStringList>("calls"); // a failure carries no body but some error text (*)
        QTest::newRow("200") << FaultReply::text(200, "{\"data\":1}") << QStringList{"1 200 {\"data\":1}"};
        QTest::newRow("404 with a body") << FaultReply::text(404, "not here") << QStringList{"1 404  *"};
        QTest::newRow("500") << FaultReply::text(500, "broken") << QStringList{"1 500  *"};
        FaultReply cut = FaultReply::text(200, QByteArray(50000, 'x'));
        cut.cutAfterBodyBytes = 100;
        QTest::newRow("cut after the headers") << cut << QStringList{"1 200  *"};
        QTest::newRow("connection refused") << FaultReply::text(-1) << QStringList{"1 0  *"};
        // Past the time limit the caller hears of it; the answer still follows, once.
        const QStringList lateCalls{"1 638  HTTP_REQUEST_TIMEOUT", "1 200 late answer"};
        FaultReply late = FaultReply::text(200, "late answer");
        late.delayMs = 800;
        QTest::newRow("silent past the limit") << late << lateCalls;
        // Bytes keep coming, yet the limit counts from the start of the request.
        late.delayMs = 0;
        late.chunkBytes = 1;
        late.chunkIntervalMs = 60;
        QTest::newRow("dripping past the limit") << late << lateCalls;
    }
    void answerReachesTheCallback()
    {
        QFETCH(FaultReply, reply);
        QFETCH(QStringList, calls);
        m_server.setHandler([reply](const FaultRequest &) { return reply; });
        QString url = m_server.url("/x").toString();
        if (reply.status < 0) { // a port closed again at once
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            url = QStringLiteral("http://127.0.0.1:%1/x").arg(probe.serverPort());
        }
        HttpRequestAPI client;
        client.setTimeoutIntervalForTest(300);
        client.setRawHeader("content-type", "application/json");
        client.get(url, recordCall());
        QTRY_VERIFY_WITH_TIMEOUT(m_calls.size() >= calls.size(), 10000);
        // No call more: a second one would come by the end of the time-out.
        QTest::qWait(300);
        QCOMPARE(m_calls.size(), calls.size());
        for (int i = 0; i < calls.size(); ++i) {
            const QString &seen = m_calls.at(i), &call = calls.at(i);
            QVERIFY2(call.endsWith('*') ? seen.startsWith(call.chopped(1)) && seen.size() > call.size() : seen == call,
                     qPrintable(seen));
        }
        if (reply.status > 0)
            QCOMPARE(m_server.requests().last().header("content-type"), QByteArray("application/json"));
    }

    void retryFromInsideTheCallback()
    {
        auto answered = std::make_shared<int>(0); // on the server's thread only
        m_server.setHandler([answered](const FaultRequest &) {
            return ++*answered == 1 ? FaultReply::text(503, "busy") : FaultReply::text(200, "ready");
        });
        HttpRequestAPI client;
        const QString url = m_server.url("/retry").toString();
        const auto owners = std::make_shared<int>();
        client.get(url, [&, owners](bool, const QByteArray &, const QString &, int status) {
            m_calls << QString::number(status);
            client.get(url, recordCall());
            // This callback is still running, so something must still own it.
            m_calls << QStringLiteral("owners %1").arg(owners.use_count());
        });
        QTRY_VERIFY_WITH_TIMEOUT(m_calls.size() >= 3, 10000);
        QCOMPARE(m_calls, QStringList({"503", "owners 2", "1 200 ready"}));
    }

private:
    static inline const QString kNull = QStringLiteral("<null>");

    // A field of the model as text, named the way the rows below name it.
    static QString fieldText(const UpdateVersionInfo &info, const QString &name)
    {
        const QMap<QString, QString> values{{"version", info.version},
                                            {"md5", info.md5},
                                            {"size", QString::number(info.size)},
                                            {"minVersion", info.minVersion},
                                            {"advUrl", info.advUrl},
                                            {"advIcon", info.advIcon},
                                            {"diffSize", info.diffs.value(QStringLiteral("1.0.0")).size},
                                            {"diffKeys", QStringList(info.diffs.keys()).join(',')},
                                            {"pluginCount", QString::number(info.plugins.size())}};
        const QString installed = name.section('@', 1); // "package@1.0.0": what a player with 1.0.0 fetches
        const QString text = name.startsWith("package@")
                                 ? info.getPackageUrl(installed).toString() + ' ' + info.getPackageMd5(installed)
                                 : values.value(name);
        return text.isNull() ? kNull : text;
    }

    static QByteArray game(const QByteArray &latest, const QByteArray &rest = QByteArray())
    {
        return "{\"data\":{\"game\":{\"latest\":" + latest + rest + "}}}";
    }

    static inline const QByteArray kFull =
        "{\"retcode\":0,\"data\":{\"game\":{\"latest\":{\"path\":\"\",\"version\":\"1.1.0\",\"entry\":\"Halvest.exe\","
        "\"name\":\"Aurelith_1.1.0.7z\",\"md5\":\"0123456789abcdef0123456789abcdef\",\"size\":\"1073741824\"},"
        "\"diffs\":[{\"version\":\"1.0.0\",\"name\":\"d.7z\",\"md5\":\"aa\",\"path\":\"http://h/"
        "d.7z\",\"size\":\"42\"}]},"
        "\"plugin\":{\"plugins\":[{\"path\":\"http://h/plugin_a.zip\",\"md5\":\"bb\"}]},"
        "\"force_update\":{\"min_version\":\"2.0.0.0\",\"url\":\"http://h/installer\"},\"web_url\":\"http://h/site\"}}";

    // Every call of a callback, in order, as "flag status body error".
    RequestCallback recordCall()
    {
        return [this](bool flag, const QByteArray &body, const QString &errorText, int status) {
            m_calls << QStringLiteral("%1 %2 %3 %4").arg(flag).arg(status).arg(QString(body), errorText).trimmed();
        };
    }

    FaultServer m_server;
    QStringList m_calls;
};

QTEST_GUILESS_MAIN(TestUpdateVersionInfo)
#include "tst_updateversioninfo.moc"

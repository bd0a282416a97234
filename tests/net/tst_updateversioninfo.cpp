#include "net/launcherapi.h"
#include "net/serviceaddresses.h"
#include "net/updateversioninfo.h"
#include "support/faultserver.h"

#include <QtTest>

namespace {

const QString kNull = QStringLiteral("<null>");

// A field of the model as text, named the way the rows below name it.
QString field(const UpdateVersionInfo &info, const QString &name)
{
    const QMap<QString, QString> values{{"version", info.version},
                                        {"md5", info.md5},
                                        {"size", QString::number(info.size)},
                                        {"minVersion", info.minVersion},
                                        {"webUrl", info.webUrl},
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

QByteArray game(const QByteArray &latest, const QByteArray &rest = QByteArray())
{
    return "{\"data\":{\"game\":{\"latest\":" + latest + rest + "}}}";
}

const QByteArray kFull =
    "{\"retcode\":0,\"data\":{\"game\":{\"latest\":{\"path\":\"\",\"version\":\"1.1.0\",\"entry\":\"Halvest.exe\","
    "\"name\":\"Aurelith_1.1.0.7z\",\"md5\":\"0123456789abcdef0123456789abcdef\",\"size\":\"1073741824\"},"
    "\"diffs\":[{\"version\":\"1.0.0\",\"name\":\"d.7z\",\"md5\":\"aa\",\"path\":\"http://h/d.7z\",\"size\":\"42\"}]},"
    "\"plugin\":{\"plugins\":[{\"path\":\"http://h/plugin_a.zip\",\"md5\":\"bb\"}]},"
    "\"force_update\":{\"min_version\":\"2.0.0.0\",\"url\":\"http://h/installer\"},\"web_url\":\"http://h/site\"}}";

} // namespace

class TestUpdateVersionInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.listen()); }

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
    }

    void parseRules()
    {
        QFETCH(QByteArrayList, answers);
        QFETCH(bool, content);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        UpdateVersionInfo info;
        for (const QByteArray &answer : answers)
            content ? info.parseLauncherContent(answer) : info.parseGameRes(answer);
        QCOMPARE(::field(info, field), expected);
    }

    void sizeAskedFromTheServer_data()
    {
        QTest::addColumn<QStringList>("paths"); // one answer each; a number is a size named in the answer
        QTest::addColumn<qint64>("size");
        QTest::newRow("answered") << QStringList{"/200"} << qint64(1000);
        QTest::newRow("not found") << QStringList{"/404"} << qint64(0);
        QTest::newRow("redirect not followed") << QStringList{"/302"} << qint64(0);
        // The older answer's HEAD comes late and must not overwrite the newer size.
        QTest::newRow("named size beats an older HEAD") << QStringList{"/slow", "5000"} << qint64(5000);
    }

    void sizeAskedFromTheServer()
    {
        QFETCH(QStringList, paths);
        QFETCH(qint64, size);
        m_server.setHandler([](const FaultRequest &request) {
            const bool slow = request.target == "/slow";
            FaultReply reply =
                FaultReply::text(slow ? 200 : request.target.mid(1).toInt(), QByteArray(slow ? 7 : 1000, 'p'));
            reply.delayMs = slow ? 400 : 0;
            return reply;
        });
        const int before = m_server.requestCount();
        UpdateVersionInfo info;
        for (const QString &path : paths) {
            const QByteArray named = path.startsWith('/') ? "0" : path.toLatin1();
            info.parseGameRes(game("{\"path\":\"" + m_server.url(path).toEncoded() + "\",\"size\":" + named + "}"));
        }
        QTRY_COMPARE(info.size, size);
        // A late answer (400 ms) must not overwrite the size: looked at again past it.
        if (paths.contains("/slow")) {
            QTest::qWait(500);
            QCOMPARE(info.size, size);
        }
        for (const FaultRequest &request : m_server.requests().mid(before))
            QCOMPARE(request.method, QByteArray("HEAD"));
        QVERIFY(m_server.requestCount() - before <= paths.filter("/").size()); // never repeated
    }

    void fileNamesFromAddresses_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("baseName");
        const auto row = [](const char *tag, const char *url, const QString &fileName, const QString &baseName) {
            QTest::newRow(tag) << QString::fromLatin1(url) << fileName << baseName;
        };
        row("plain", "http://h/pictures/bg.png?v=3", "bg.png", "bg");
        row("two dots", "http://h/a.tar.gz", "a.tar.gz", "a.tar");
        row("non-ASCII", "http://h/p/%E8%83%8C%E6%99%AF.png", QStringLiteral("背景.png"), QStringLiteral("背景"));
        row("no file part", "http://h/p/", "", "");
        // Names that would leave the folder: the download tests' fileName rows, the same rule.
    }

    void fileNamesFromAddresses()
    {
        QFETCH(QString, url);
        QFETCH(QString, fileName);
        QFETCH(QString, baseName);
        QCOMPARE(UpdateVersionInfo::urlFileName(url), fileName);
        QCOMPARE(UpdateVersionInfo::urlBaseName(url), baseName);
    }

    void launcherAddresses_data()
    {
        QTest::addColumn<int>("kind"); // resource query, content query, background page
        QTest::addColumn<QString>("address");
        QTest::newRow("resource") << 0 << "http://api.test/g/zqk/launcher/api/resource?launcher_id=5";
        QTest::newRow("content")
            << 1 << "http://api.test/g/zqk/launcher/api/content?launcher_id=5&filter_adv=true&language=ja-jp";
        QTest::newRow("page") << 2 << "http://web.test/launcher/5/ja-jp?api_url=http%3A%2F%2Fapi.test%2Fg&prev=false";
    }

    // What the service is asked: another query item selects another answer.
    void launcherAddresses()
    {
        QFETCH(int, kind);
        QFETCH(QString, address);
        const ServiceAddresses before = ServiceAddresses::current();
        ServiceAddresses::setCurrent({"http://api.test/g", "http://web.test/launcher", "http://report.test"});
        const QString made = kind == 2 ? LauncherApi::mainBgUrl("ja-jp") : LauncherApi::makeApiUrl(kind == 0, "ja-jp");
        ServiceAddresses::setCurrent(before);
        QCOMPARE(made, address);
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
        for (const QString &path : doomed + kept) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
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

private:
    FaultServer m_server;
};

QTEST_GUILESS_MAIN(TestUpdateVersionInfo)
#include "tst_updateversioninfo.moc"

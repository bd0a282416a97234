#include "net/updateversioninfo.h"
#include "support/faultserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kNull = QStringLiteral("<null>");

QString shown(const QString &text)
{
    return text.isNull() ? kNull : text;
}

// A field of the model as text, named the way the rows below name it.
QString field(const UpdateVersionInfo &info, const QString &name)
{
    const DiffInfo diff = info.diffs.value(QStringLiteral("1.0.0"));
    const QMap<QString, QString> values{{"version", info.version},
                                        {"md5", info.md5},
                                        {"size", QString::number(info.size)},
                                        {"minVersion", info.minVersion},
                                        {"webUrl", info.webUrl},
                                        {"advUrl", info.advUrl},
                                        {"advIcon", info.advIcon},
                                        {"diffMd5", diff.md5},
                                        {"diffSize", diff.size},
                                        {"diffKeys", QStringList(info.diffs.keys()).join(',')},
                                        {"pluginCount", QString::number(info.plugins.size())}};
    return shown(values.value(name));
}

QByteArray game(const QByteArray &latest, const QByteArray &rest = QByteArray())
{
    return "{\"data\":{\"game\":{\"latest\":" + latest + rest + "}}}";
}

const QByteArray kFull =
    "{\"retcode\":0,\"data\":{"
    "  "
    "\"game\":{\"latest\":{\"path\":\"\",\"version\":\"1.1.0\",\"entry\":\"Halvest.exe\",\"name\":\"Aurelith_1.1.0."
    "7z\","
    "                    \"md5\":\"0123456789abcdef0123456789abcdef\",\"size\":\"1073741824\"},"
    "          "
    "\"diffs\":[{\"version\":\"1.0.0\",\"name\":\"d.7z\",\"md5\":\"aa\",\"path\":\"http://h/d.7z\",\"size\":\"42\"}]},"
    "  \"plugin\":{\"plugins\":[{\"path\":\"http://h/plugin_a.zip\",\"md5\":\"bb\"}]},"
    "  \"force_update\":{\"min_version\":\"2.0.0.0\",\"url\":\"http://h/installer\"},"
    "  \"web_url\":\"http://h/site\"}}";

} // namespace

class TestUpdateVersionInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void parseRules_data();
    void parseRules();
    void packageFollowsTheInstalledVersion_data();
    void packageFollowsTheInstalledVersion();
    void missingSizeAsksTheServer_data();
    void missingSizeAsksTheServer();
    void onlyTheNewestHeadSetsTheSize();
    void urlFileName_data();
    void urlFileName();
    void urlBaseName_data();
    void urlBaseName();
    void compareVersion_data();
    void compareVersion();
    void destructionRemovesOnlyItsPictures();
    void destructionSparesFilesThatAreNoPictures();

private:
    FaultServer m_server;
};

void TestUpdateVersionInfo::initTestCase()
{
    QVERIFY(m_server.listen());
}

void TestUpdateVersionInfo::parseRules_data()
{
    QTest::addColumn<QByteArrayList>("gameAnswers");
    QTest::addColumn<QByteArrayList>("contentAnswers");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    const QByteArrayList none;
    const QByteArray diff = ",\"diffs\":[{\"version\":\"1.0.0\",\"md5\":\"aa\",\"size\":5},{\"version\":1}]";
    const QByteArray adv = "{\"data\":{\"adv\":{\"url\":\"http://h/news\",\"icon\":\"http://h/i.png\"}}}";
    QTest::newRow("latest version") << QByteArrayList{kFull} << none << "version"
                                    << "1.1.0";
    QTest::newRow("size above 2^32 as text") << QByteArrayList{game("{\"size\":\"6442450944\"}")} << none << "size"
                                             << "6442450944";
    QTest::newRow("size above 2^31 as number") << QByteArrayList{game("{\"size\":4294967296}")} << none << "size"
                                               << "4294967296";
    QTest::newRow("size not numeric") << QByteArrayList{game("{\"size\":\"big\"}")} << none << "size"
                                      << "0";
    QTest::newRow("size negative") << QByteArrayList{game("{\"size\":-5}")} << none << "size"
                                   << "0";
    QTest::newRow("number as version text") << QByteArrayList{game("{\"version\":1.5}")} << none << "version"
                                            << "1.5";
    QTest::newRow("missing key clears the field")
        << QByteArrayList{kFull, game("{\"version\":\"1.2.0\"}")} << none << "md5" << kNull;
    QTest::newRow("invalid JSON changes nothing") << QByteArrayList{kFull, "{\"data\":"} << none << "version"
                                                  << "1.1.0";
    QTest::newRow("document not an object clears latest")
        << QByteArrayList{kFull, "[1,2]"} << none << "version" << kNull;
    QTest::newRow("diff numeric size is null") << QByteArrayList{game("{}", diff)} << none << "diffSize" << kNull;
    QTest::newRow("diff numeric version is a null key") << QByteArrayList{game("{}", diff)} << none << "diffKeys"
                                                        << ",1.0.0";
    QTest::newRow("diffs only grow") << QByteArrayList{kFull,
                                                       game("{}",
                                                            ",\"diffs\":[{\"version\":\"1.1.0\",\"md5\":\"cc\"}]")}
                                     << none << "diffKeys"
                                     << "1.0.0,1.1.0";
    QTest::newRow("force update absent keeps minimum")
        << QByteArrayList{kFull, game("{\"version\":\"1.2.0\"}")} << none << "minVersion"
        << "2.0.0.0";
    QTest::newRow("web url set once") << QByteArrayList{kFull, "{\"data\":{\"web_url\":\"http://other/\"}}"} << none
                                      << "webUrl"
                                      << "http://h/site";
    QTest::newRow("plugins replaced") << QByteArrayList{kFull, game("{}")} << none << "pluginCount"
                                      << "0";
    QTest::newRow("content absent key keeps")
        << none << QByteArrayList{adv, "{\"data\":{\"adv\":{\"url\":\"http://h/n2\"}}}"} << "advIcon"
        << "http://h/i.png";
    QTest::newRow("content invalid JSON") << none << QByteArrayList{adv, "{"} << "advUrl"
                                          << "http://h/news";
}

void TestUpdateVersionInfo::parseRules()
{
    QFETCH(QByteArrayList, gameAnswers);
    QFETCH(QByteArrayList, contentAnswers);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    UpdateVersionInfo info;
    for (const QByteArray &answer : gameAnswers)
        info.parseGameRes(answer);
    for (const QByteArray &answer : contentAnswers)
        info.parseLauncherContent(answer);
    QCOMPARE(::field(info, field), expected);
}

void TestUpdateVersionInfo::packageFollowsTheInstalledVersion_data()
{
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("md5");
    QTest::newRow("version with a diff") << "1.0.0"
                                         << "http://h/d.7z"
                                         << "aa";
    QTest::newRow("version without a diff") << "0.9.0"
                                            << "http://h/full.7z"
                                            << "ff";
    QTest::newRow("nothing installed") << ""
                                       << "http://h/full.7z"
                                       << "ff";
}

void TestUpdateVersionInfo::packageFollowsTheInstalledVersion()
{
    QFETCH(QString, installed);
    QFETCH(QString, url);
    QFETCH(QString, md5);
    UpdateVersionInfo info;
    // A record under the empty version must not be used for a fresh install.
    info.parseGameRes(game("{\"path\":\"http://h/full.7z\",\"md5\":\"ff\",\"size\":\"10\"}",
                           ",\"diffs\":[{\"version\":\"1.0.0\",\"path\":\"http://h/d.7z\",\"md5\":\"aa\"},"
                           "{\"version\":\"\",\"path\":\"http://h/empty.7z\",\"md5\":\"ee\"}]"));
    QCOMPARE(info.getPackageUrl(installed), QUrl(url));
    QCOMPARE(info.getPackageMd5(installed), md5);
}

void TestUpdateVersionInfo::missingSizeAsksTheServer_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("size");
    QTest::newRow("200") << 200 << qint64(1000);
    QTest::newRow("404") << 404 << qint64(0);
    QTest::newRow("redirect not followed") << 302 << qint64(0);
}

void TestUpdateVersionInfo::missingSizeAsksTheServer()
{
    QFETCH(int, status);
    QFETCH(qint64, size);
    m_server.setHandler([status](const FaultRequest &) { return FaultReply::text(status, QByteArray(1000, 'p')); });
    const int before = m_server.requestCount();
    UpdateVersionInfo info;
    info.parseGameRes(game("{\"path\":\"" + m_server.url("/full.7z").toEncoded() + "\",\"size\":0}"));
    QVERIFY(m_server.waitForRequests(before + 1));
    QTRY_COMPARE(info.size, size);
    QTest::qWait(100);
    QCOMPARE(info.size, size);
    QCOMPARE(m_server.requestCount(), before + 1);
    QCOMPARE(m_server.requests().last().method, QByteArray("HEAD"));
}

void TestUpdateVersionInfo::onlyTheNewestHeadSetsTheSize()
{
    m_server.setHandler([](const FaultRequest &request) {
        FaultReply reply = FaultReply::text(200, QByteArray(request.target.endsWith("old.7z") ? 111 : 222, 'p'));
        reply.delayMs = request.target.endsWith("old.7z") ? 400 : 0;
        return reply;
    });
    UpdateVersionInfo info;
    info.parseGameRes(game("{\"path\":\"" + m_server.url("/old.7z").toEncoded() + "\"}"));
    info.parseGameRes(game("{\"path\":\"" + m_server.url("/new.7z").toEncoded() + "\"}"));
    QTRY_COMPARE(info.size, qint64(222));
    QTest::qWait(600);
    QCOMPARE(info.size, qint64(222));

    // An answer that names its size is not overwritten by an older HEAD either.
    info.parseGameRes(game("{\"path\":\"" + m_server.url("/old.7z").toEncoded() + "\"}"));
    info.parseGameRes(game("{\"path\":\"http://h/x.7z\",\"size\":\"5000\"}"));
    QTest::qWait(600);
    QCOMPARE(info.size, qint64(5000));
}

void TestUpdateVersionInfo::urlFileName_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << "http://h/pictures/bg.png"
                           << "bg.png";
    QTest::newRow("non-ASCII") << "http://h/p/%E8%83%8C%E6%99%AF.png" << QStringLiteral("背景.png");
    QTest::newRow("no file part") << "http://h/p/"
                                  << "";
    QTest::newRow("encoded slashes") << "http://h/p/..%2F..%2Fname"
                                     << "";
    QTest::newRow("encoded backslashes") << "http://h/p/..%5C..%5Cname.dll"
                                         << "";
    QTest::newRow("dot dot") << "http://h/p/%2E%2E"
                             << "";
    QTest::newRow("control character") << "http://h/p/a%0Ab.png"
                                       << "";
    QTest::newRow("drive or stream") << "http://h/p/C%3Aevil"
                                     << "";
}

void TestUpdateVersionInfo::urlFileName()
{
    QFETCH(QString, url);
    QFETCH(QString, fileName);
    QCOMPARE(UpdateVersionInfo::urlFileName(url), fileName);
}

void TestUpdateVersionInfo::urlBaseName_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("baseName");
    QTest::newRow("zip") << "http://h/packages/plugin_a.zip"
                         << "plugin_a";
    QTest::newRow("two dots") << "http://h/a.tar.gz"
                              << "a.tar";
    QTest::newRow("no extension") << "http://h/tool"
                                  << "tool";
    QTest::newRow("refused name") << "http://h/..%2Fplugin.zip"
                                  << "";
}

void TestUpdateVersionInfo::urlBaseName()
{
    QFETCH(QString, url);
    QFETCH(QString, baseName);
    QCOMPARE(UpdateVersionInfo::urlBaseName(url), baseName);
}

void TestUpdateVersionInfo::compareVersion_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("result");
    QTest::newRow("equal") << "2.1.1.0"
                           << "2.1.1.0" << 0;
    QTest::newRow("older") << "2.1.1.0"
                           << "2.1.1.1" << 1;
    QTest::newRow("numeric not textual") << "2.1.1.0"
                                         << "2.10" << 1;
    QTest::newRow("letters") << "2.1.1.0"
                             << "2.1.1.0a" << -2;
    QTest::newRow("blank part") << "2. 1"
                                << "2.1" << -2;
}

void TestUpdateVersionInfo::compareVersion()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, result);
    QCOMPARE(::compareVersion(a, b), result);
}

void TestUpdateVersionInfo::destructionRemovesOnlyItsPictures()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString background = appDir + "/tst_uvi_bg_" + QString::number(QCoreApplication::applicationPid()) + ".png";
    const QString icon = appDir + "/tst_uvi_icon_" + QString::number(QCoreApplication::applicationPid()) + ".png";
    QTemporaryDir outside(appDir + "/../tst_uvi_XXXXXX");
    QVERIFY(outside.isValid());
    const QString victim = outside.path() + "/victim.png";
    for (const QString &path : {background, icon, victim}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("png");
    }
    const QString victimRelative = QDir(appDir).relativeFilePath(victim).replace('/', "%2F");
    {
        UpdateVersionInfo info;
        info.parseLauncherContent("{\"data\":{\"adv\":{\"background\":\"http://h/p/" +
                                  QFileInfo(background).fileName().toUtf8() + "\",\"icon\":\"http://h/p/" +
                                  QFileInfo(icon).fileName().toUtf8() + "\"}}}");
    }
    QVERIFY(!QFile::exists(background));
    QVERIFY(!QFile::exists(icon));
    {
        UpdateVersionInfo info;
        info.parseLauncherContent("{\"data\":{\"adv\":{\"background\":\"http://h/p/" + victimRelative.toUtf8() +
                                  "\"}}}");
    }
    QVERIFY(QFile::exists(victim));
}

void TestUpdateVersionInfo::destructionSparesFilesThatAreNoPictures()
{
    // A server naming the program's own files as pictures must not get them deleted.
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString notAPicture = "tst_uvi_" + QString::number(QCoreApplication::applicationPid()) + ".ini";
    QFile file(appDir + "/" + notAPicture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    {
        UpdateVersionInfo info;
        info.parseLauncherContent("{\"data\":{\"adv\":{\"background\":\"http://h/p/" + notAPicture.toUtf8() + "\"}}}");
    }
    QVERIFY(file.exists());
    file.remove();
}

QTEST_GUILESS_MAIN(TestUpdateVersionInfo)
#include "tst_updateversioninfo.moc"

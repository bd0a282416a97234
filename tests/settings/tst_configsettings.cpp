#include "settings/configsettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QNetworkProxyFactory>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

void writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

} // namespace

class TestConfigSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstRunReadsNullAndRecordsCps();
    void dynamicTextsRoundTrip_data();
    void dynamicTextsRoundTrip();
    void installPathIsWrittenToTheInstallerFile();
    void closeTipChoicesStandInTheirGroup();
    void intValuesReadZeroWhenAbsentOrNotANumber_data();
    void intValuesReadZeroWhenAbsentOrNotANumber();

    void versionWithoutGameFileIsNullAndReadAgain();
    void versionIsCachedOnceNonEmpty();
    void setVersionWithoutFolderOnlyCaches();
    void setVersionWritesTheGameFileAtOnce();
    void failedWriteLeavesATrace();
    void unwritableInstallerFileKeepsThePathForThisRun();

    void proxyChoice_data();
    void proxyChoice();

    void instanceIsOneObjectForAllThreads();

private:
    QString installerIni() const { return m_dir.path() + "/installer/config.ini"; }
    QString gameFolder() const { return m_dir.path() + "/game"; }

    QTemporaryDir m_dir;
};

void TestConfigSettings::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_dir.path() + "/installer"));
    QVERIFY(QDir().mkpath(gameFolder()));
}

void TestConfigSettings::firstRunReadsNullAndRecordsCps()
{
    ConfigSettings settings(installerIni());
    QVERIFY(settings.getGameInstallPath().isNull());
    QVERIFY(settings.getGameVersion().isNull());
    QVERIFY(settings.getDynamicVersionTitle().isNull());
    QVERIFY(settings.getDynamicVersionDescColor().isNull());
    QCOMPARE(readText(installerIni()), QString("[General]\ncps=\n"));
}

void TestConfigSettings::dynamicTextsRoundTrip_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << "game_dynamic_version_title" << QString::fromUtf8("新版本 2.0");
    QTest::newRow("desc") << "game_dynamic_version_desc"
                          << "Patch notes, with a comma";
    QTest::newRow("desc colour") << "game_dynamic_version_desc_color"
                                 << "#ffffff";
}

void TestConfigSettings::dynamicTextsRoundTrip()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    using Setter = void (ConfigSettings::*)(const QString &);
    using Getter = QString (ConfigSettings::*)() const;
    const QMap<QString, QPair<Setter, Getter>> access{
        {"game_dynamic_version_title",
         {&ConfigSettings::setDynamicVersionTitle, &ConfigSettings::getDynamicVersionTitle}},
        {"game_dynamic_version_desc", {&ConfigSettings::setDynamicVersionDesc, &ConfigSettings::getDynamicVersionDesc}},
        {"game_dynamic_version_title_color",
         {&ConfigSettings::setDynamicVersionTitleColor, &ConfigSettings::getDynamicVersionTitleColor}},
        {"game_dynamic_version_desc_color",
         {&ConfigSettings::setDynamicVersionDescColor, &ConfigSettings::getDynamicVersionDescColor}},
    };
    {
        ConfigSettings settings(installerIni());
        (settings.*access[key].first)(text);
        QCOMPARE((settings.*access[key].second)(), text);
    }
    // A new object (the next run) reads what the first one stored.
    ConfigSettings nextRun(installerIni());
    QCOMPARE((nextRun.*access[key].second)(), text);
    QSettings raw(installerIni(), QSettings::IniFormat);
    QCOMPARE(raw.value(key).toString(), text);
}

void TestConfigSettings::installPathIsWrittenToTheInstallerFile()
{
    ConfigSettings settings(installerIni());
    settings.setGameInstallPath("/games/Aurelith");
    // On disk at once: a crash right after choosing the folder loses nothing.
    const QString text = readText(installerIni());
    QVERIFY2(text.contains("game_install_path=/games/Aurelith\n"), qPrintable(text));
    QVERIFY(text.contains("cps=\n"));
    QCOMPARE(settings.getGameInstallPath(), QString("/games/Aurelith"));
}

void TestConfigSettings::closeTipChoicesStandInTheirGroup()
{
    ConfigSettings settings(installerIni());
    settings.setIntValue("UserInput", 1, "DLG_CLOSE_TIP");
    settings.setIntValue("NoTipAgain", 1, "DLG_CLOSE_TIP");
    QCOMPARE(settings.getIntValue("UserInput", "DLG_CLOSE_TIP"), 1);
    QCOMPARE(readText(installerIni()), QString("[General]\ncps=\n\n[DLG_CLOSE_TIP]\nNoTipAgain=1\nUserInput=1\n"));
}

void TestConfigSettings::intValuesReadZeroWhenAbsentOrNotANumber_data()
{
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<int>("expected");
    QTest::newRow("absent key") << QByteArray("[DLG_CLOSE_TIP]\nNoTipAgain=1\n") << 0;
    QTest::newRow("not a number") << QByteArray("[DLG_CLOSE_TIP]\nUserInput=exit\n") << 0;
    QTest::newRow("in the wrong group") << QByteArray("[General]\nUserInput=1\n") << 0;
    QTest::newRow("set") << QByteArray("[DLG_CLOSE_TIP]\nUserInput=1\n") << 1;
}

void TestConfigSettings::intValuesReadZeroWhenAbsentOrNotANumber()
{
    QFETCH(QByteArray, fileText);
    QFETCH(int, expected);
    if (!fileText.isNull())
        writeText(installerIni(), fileText);
    ConfigSettings settings(installerIni());
    QCOMPARE(settings.getIntValue("UserInput", "DLG_CLOSE_TIP"), expected);
}

void TestConfigSettings::versionWithoutGameFileIsNullAndReadAgain()
{
    ConfigSettings settings(installerIni());
    settings.setGameInstallPath(gameFolder());
    QVERIFY(settings.getGameVersion().isNull());
    writeText(gameFolder() + "/config.ini", "[General]\ngame_version=1.4.0\n");
    QCOMPARE(settings.getGameVersion(), QString("1.4.0"));
}

void TestConfigSettings::versionIsCachedOnceNonEmpty()
{
    writeText(gameFolder() + "/config.ini", "[General]\ngame_version=1.4.0\n");
    ConfigSettings settings(installerIni());
    settings.setGameInstallPath(gameFolder());
    QCOMPARE(settings.getGameVersion(), QString("1.4.0"));
    settings.setGameInstallPath(m_dir.path() + "/elsewhere");
    writeText(gameFolder() + "/config.ini", "[General]\ngame_version=9.9.9\n");
    QCOMPARE(settings.getGameVersion(), QString("1.4.0"));
}

void TestConfigSettings::setVersionWithoutFolderOnlyCaches()
{
    ConfigSettings settings(installerIni());
    settings.setGameVersion("2.0.0");
    QCOMPARE(settings.getGameVersion(), QString("2.0.0"));
    QVERIFY(!QFile::exists(gameFolder() + "/config.ini"));
}

void TestConfigSettings::setVersionWritesTheGameFileAtOnce()
{
    ConfigSettings settings(installerIni());
    settings.setGameInstallPath(gameFolder());
    settings.setGameVersion("2.0.1");
    QCOMPARE(readText(gameFolder() + "/config.ini"), QString("[General]\ncps=\ngame_version=2.0.1\n"));
    ConfigSettings nextRun(installerIni());
    QCOMPARE(nextRun.getGameVersion(), QString("2.0.1"));
}

void TestConfigSettings::failedWriteLeavesATrace()
{
    // A folder path through a regular file cannot be created, even by root.
    writeText(m_dir.path() + "/blocker", "x");
    ConfigSettings settings(installerIni());
    settings.setGameInstallPath(m_dir.path() + "/blocker/game");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("config write failed:.*blocker/game/config.ini"));
    settings.setGameVersion("3.0.0");
    QCOMPARE(settings.getGameVersion(), QString("3.0.0"));
}

void TestConfigSettings::unwritableInstallerFileKeepsThePathForThisRun()
{
    writeText(m_dir.path() + "/blocker", "x");
    const QString unwritable = m_dir.path() + "/blocker/config.ini";
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("config write failed:.*blocker/config.ini"));
    ConfigSettings settings(unwritable);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("config write failed:.*blocker/config.ini"));
    settings.setGameInstallPath(gameFolder());
    QCOMPARE(settings.getGameInstallPath(), gameFolder());
}

void TestConfigSettings::proxyChoice_data()
{
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<bool>("systemProxyUsed");
    QTest::newRow("absent") << QByteArray("[General]\ncps=\n") << false;
    QTest::newRow("zero") << QByteArray("[General]\nproxy=0\n") << false;
    QTest::newRow("one") << QByteArray("[General]\nproxy=1\n") << true;
    QTest::newRow("other text") << QByteArray("[General]\nproxy=http://proxy:8080\n") << true;
}

void TestConfigSettings::proxyChoice()
{
    QFETCH(QByteArray, fileText);
    QFETCH(bool, systemProxyUsed);
    // A file of its own per row: the settings library caches files by size
    // and time, and "proxy=0" and "proxy=1" written in one second look alike.
    const QString ini = m_dir.path() + "/proxy-" + QTest::currentDataTag() + ".ini";
    writeText(ini, fileText);
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    ConfigSettings::applyProxyChoice(ini);
    QCOMPARE(QNetworkProxyFactory::usesSystemConfiguration(), systemProxyUsed);
}

void TestConfigSettings::instanceIsOneObjectForAllThreads()
{
    QVector<ConfigSettings *> seen(4, nullptr);
    QVector<QThread *> threads;
    for (int i = 0; i < seen.size(); ++i)
        threads << QThread::create([&seen, i] { seen[i] = ConfigSettings::instance(); });
    for (QThread *thread : threads)
        thread->start();
    for (QThread *thread : threads) {
        thread->wait();
        delete thread;
    }
    for (ConfigSettings *object : seen)
        QCOMPARE(object, ConfigSettings::instance());
    const QString beside = QCoreApplication::applicationDirPath() + "/config.ini";
    QVERIFY(readText(beside).contains("cps=\n"));
    QFile::remove(beside);
}

QTEST_GUILESS_MAIN(TestConfigSettings)
#include "tst_configsettings.moc"

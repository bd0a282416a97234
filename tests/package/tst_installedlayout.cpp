#include "app/language.h"
#include "settings/configsettings.h"
#include "support/testpaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

// config.ini and the catalogues in a build folder and in the package's layout
// (<prefix>/bin beside <prefix>/share/aurelith-launcher).
class TestInstalledLayout : public QObject
{
    Q_OBJECT

private slots:
    void findsSettingsAndCatalogues_data();
    void findsSettingsAndCatalogues();

private:
    QTemporaryDir m_dir;
};

void TestInstalledLayout::findsSettingsAndCatalogues_data()
{
    QTest::addColumn<bool>("catalogueBeside");
    QTest::addColumn<bool>("packaged");
    QTest::addColumn<bool>("iniBeside");
    QTest::addColumn<QString>("catalogueFrom");
    QTest::newRow("build folder") << true << false << true << "/usr/bin";
    QTest::newRow("bare folder") << false << false << true << "";
    QTest::newRow("package") << false << true << false << "/usr/share/aurelith-launcher";
    QTest::newRow("package, catalogues beside too") << true << true << false << "/usr/bin";
}

void TestInstalledLayout::findsSettingsAndCatalogues()
{
    QFETCH(bool, catalogueBeside);
    QFETCH(bool, packaged);
    QFETCH(bool, iniBeside);
    QFETCH(QString, catalogueFrom);
    QCoreApplication::setOrganizationName("Tavoro");
    QCoreApplication::setApplicationName("Aurelith Launcher");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + "/xdg"));
    QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path() + "/usr/bin"));
    const auto addCatalogue = [this](const QString &base) {
        QVERIFY(QDir().mkpath(m_dir.path() + base + "/language"));
        QVERIFY(QFile::copy(TestPaths::programDir() + "/language/i18n_ja.qm",
                            m_dir.path() + base + "/language/i18n_ja.qm"));
    };
    if (catalogueBeside)
        addCatalogue("/usr/bin");
    if (packaged)
        addCatalogue("/usr/share/aurelith-launcher");

    const QString programDir = m_dir.path() + "/usr/bin";
    const QString iniPath = ConfigSettings::installerIniPath(programDir);
    QCOMPARE(iniPath, m_dir.path() + (iniBeside ? "/usr/bin" : "/xdg/Tavoro/Aurelith Launcher") + "/config.ini");
    ConfigSettings(iniPath).setGameInstallPath("/home/player/Games/Aurelith");
    QVERIFY(QFile::exists(iniPath));
    QCOMPARE(QFile::exists(programDir + "/config.ini"), iniBeside);

    const QString base = languageBaseFolder(programDir);
    QTranslator translator;
    QCOMPARE(translator.load(base + languageChoiceFor(QLocale("ja_JP")).fileName), !catalogueFrom.isEmpty());
    if (!catalogueFrom.isEmpty())
        QCOMPARE(base, m_dir.path() + catalogueFrom);
}

QTEST_GUILESS_MAIN(TestInstalledLayout)
#include "tst_installedlayout.moc"

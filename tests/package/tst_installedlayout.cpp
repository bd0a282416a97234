#include "app/language.h"
#include "settings/configsettings.h"
#include "support/testpaths.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

// config.ini and the catalogues in a build folder and in the package's layout: <prefix>/bin beside
// <prefix>/share/aurelith-launcher, config.ini the user's.
class TestInstalledLayout : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void findsSettingsAndCatalogues_data()
    {
        QTest::addColumn<bool>("catalogueBeside");
        QTest::addColumn<bool>("packaged");
        QTest::addColumn<QString>("catalogueFrom");
        QTest::newRow("build folder") << true << false << "/usr/bin";
        QTest::newRow("bare folder") << false << false << "";
        QTest::newRow("package") << false << true << "/usr/share/aurelith-launcher";
        QTest::newRow("package, catalogues beside too") << true << true << "/usr/bin";
    }

    void findsSettingsAndCatalogues()
    {
        QFETCH(bool, catalogueBeside);
        QFETCH(bool, packaged);
        QFETCH(QString, catalogueFrom);
        QCoreApplication::setOrganizationName("Tavoro");
        QCoreApplication::setApplicationName("Aurelith Launcher");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + "/xdg"));
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path() + "/usr/bin"));
        for (const QString base : {"/usr/bin", "/usr/share/aurelith-launcher"})
            if (base.endsWith("/bin") ? catalogueBeside : packaged)
                QVERIFY(QDir().mkpath(m_dir.path() + base + "/language") &&
                        QFile::copy(TestPaths::programDir() + "/language/i18n_ja.qm",
                                    m_dir.path() + base + "/language/i18n_ja.qm"));

        const QString programDir = m_dir.path() + "/usr/bin";
        const QString iniPath = ConfigSettings::installerIniPath(programDir);
        QCOMPARE(iniPath, m_dir.path() + (packaged ? "/xdg/Tavoro/Aurelith Launcher" : "/usr/bin") + "/config.ini");
        ConfigSettings(iniPath).setGameInstallPath("/home/player/Games/Aurelith");
        QVERIFY(QFile::exists(iniPath));
        QCOMPARE(QFile::exists(programDir + "/config.ini"), !packaged);

        const QString base = languageBaseFolder(programDir);
        QTranslator translator;
        QCOMPARE(translator.load(base + languageChoiceFor(QLocale("ja_JP")).fileName), !catalogueFrom.isEmpty());
        if (!catalogueFrom.isEmpty())
            QCOMPARE(base, m_dir.path() + catalogueFrom);
    }
};

QTEST_GUILESS_MAIN(TestInstalledLayout)
#include "tst_installedlayout.moc"

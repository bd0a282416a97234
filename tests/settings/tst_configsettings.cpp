#include "settings/configsettings.h"

#include <QNetworkProxyFactory>
#include <QtTest>

class TestConfigSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(gameFolder())); }

    void everyWriteIsOnDiskAtOnce()
    {
        // A crash right after the player chose something loses nothing.
        {
            ConfigSettings settings(installerIni());
            QVERIFY(settings.getGameInstallPath().isNull() && settings.getGameVersion().isNull());
            QCOMPARE(readText(installerIni()), QString("[General]\ncps=\n"));
            settings.setGameInstallPath(gameFolder());
            settings.setIntValue("UserInput", 1, "DLG_CLOSE_TIP");
            settings.setDynamicVersionTitle("Patch 2.0, with a comma");
            QCOMPARE(readText(installerIni()),
                     "[General]\ncps=\ngame_dynamic_version_title=\"Patch 2.0, with a comma\"\ngame_install_path=" +
                         gameFolder() + "\n\n[DLG_CLOSE_TIP]\nUserInput=1\n");
            settings.setGameVersion("2.0.1");
            QCOMPARE(readText(gameFolder() + "/config.ini"), QString("[General]\ncps=\ngame_version=2.0.1\n"));
        }
        ConfigSettings nextRun(installerIni());
        QCOMPARE(nextRun.getDynamicVersionTitle(), QString("Patch 2.0, with a comma"));
        QCOMPARE(nextRun.getGameVersion(), QString("2.0.1"));
    }

    void failedWritesLeaveATraceAndKeepTheValue()
    {
        // A folder path through a regular file cannot be created, even by root.
        QVERIFY(QFile(m_dir.path() + "/blocker").open(QIODevice::WriteOnly));
        const QString unwritable = m_dir.path() + "/blocker/config.ini";
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("config write failed:.*blocker/config.ini"));
        ConfigSettings settings(unwritable);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("config write failed:.*blocker/config.ini"));
        settings.setGameInstallPath(m_dir.path() + "/blocker/game");
        QCOMPARE(settings.getGameInstallPath(), m_dir.path() + "/blocker/game");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("config write failed:.*blocker/game/config.ini"));
        settings.setGameVersion("3.0.0");
        QCOMPARE(settings.getGameVersion(), QString("3.0.0"));
    }

    void proxyChoice_data()
    {
        QTest::addColumn<QString>("proxy"); // in the installer's config.ini; null: no entry
        QTest::addColumn<bool>("systemProxy");
        QTest::newRow("no entry") << QString() << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("1") << "1" << true;
    }
    void proxyChoice()
    {
        QFETCH(QString, proxy);
        QFETCH(bool, systemProxy);
        if (!proxy.isNull())
            QSettings(installerIni(), QSettings::IniFormat).setValue("proxy", proxy);
        QNetworkProxyFactory::setUseSystemConfiguration(true); // Qt's default
        ConfigSettings::applyProxyChoice(installerIni());
        QCOMPARE(QNetworkProxyFactory::usesSystemConfiguration(), systemProxy);
    }

private:
    static QString readText(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString installerIni() const { return m_dir.path() + "/config.ini"; }
    QString gameFolder() const { return m_dir.path() + "/game"; }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestConfigSettings)
#include "tst_configsettings.moc"

#include "viewmodel/activitylink.h"
#include "viewmodel/clickburst.h"
#include "viewmodel/installerversiongate.h"
#include "viewmodel/installpathrules.h"

#include <QtTest>

// The controller's rules that need no window: install folder, names, trigger.
class TestViewModelRules : public QObject
{
    Q_OBJECT

private slots:
    void pathText_data()
    {
        QTest::addColumn<int>("rule"); // display form, normalised, absolute
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("result");
        const QString longer = "/" + QString(40, 'b') + QString(20, 'c') + QString(40, 'd');
        QTest::newRow("100 characters in full") << 0 << longer.left(100) << longer.left(100);
        QTest::newRow("101 shortened") << 0 << longer << "/" + QString(39, 'b') + " ... " + QString(40, 'd');
        QTest::newRow("drive, doubled backslash") << 1 << "D:\\\\Games\\" << QString("D:\\Games");
        QTest::newRow("one pass, one separator") << 1 << "/srv/games///" << QString("/srv/games/");
        QTest::newRow("relative made absolute") << 2 << "games/x" << QDir::currentPath() + "/games/x";
    }
    void pathText()
    {
        QFETCH(int, rule);
        QFETCH(QString, path);
        QFETCH(QString, result);
        QCOMPARE(rule == 0   ? InstallPathRules::displayForm(path)
                 : rule == 1 ? InstallPathRules::normalised(path)
                             : InstallPathRules::absoluteForm(path),
                 result);
    }

    void resolveInstallFolder_data()
    {
        QTest::addColumn<QStringList>("existing"); // below the chosen folder; "x/" is a folder
        QTest::addColumn<bool>("inside");          // the installer's folder is Launcher below it
        QTest::addColumn<QString>("expected");     // below the chosen folder; "-" refused
        QTest::newRow("installer elsewhere") << QStringList{"notes.txt"} << false << "";
        QTest::newRow("installer inside") << QStringList{"Launcher/"} << true << "Games";
        QTest::newRow("Games foreign") << QStringList{"Launcher/", "Games/a", "Games1/"} << true << "Games1";
        QTest::newRow("earlier installation")
            << QStringList{"Launcher/", "Games/a", "Games1/b", "Games2/Halvest.exe"} << true << "Games2";
        QStringList crowded{"Launcher/", "Games/x"};
        for (int index = 1; index < InstallPathRules::kMaxCandidates - 1; ++index)
            crowded << QStringLiteral("Games%1/x").arg(index);
        QTest::newRow("no free candidate") << crowded << true << "-";
    }
    void resolveInstallFolder()
    {
        QFETCH(QStringList, existing);
        QFETCH(bool, inside);
        QFETCH(QString, expected);
        QTemporaryDir chosen;
        for (const QString &entry : existing) {
            QVERIFY(QDir(chosen.path()).mkpath(entry.endsWith('/') ? entry : QFileInfo(entry).path()));
            QVERIFY(entry.endsWith('/') || QFile(chosen.filePath(entry)).open(QIODevice::WriteOnly));
        }
        const QString app = inside ? chosen.filePath("Launcher") : "/elsewhere/app";
        const QString result = InstallPathRules::resolveInstallFolder(chosen.path(), app, "Halvest.exe");
        QCOMPARE(result, expected == "-" ? QString() : expected.isEmpty() ? chosen.path() : chosen.filePath(expected));
    }

    void untrustedNames_data()
    {
        QTest::addColumn<bool>("link"); // activity link, else executable name
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("used");
        QTest::newRow("plain name") << false << "Halvest.x86_64" << QString("Halvest.x86_64");
        for (const char *refused : {"", "../../bin/sh", "/usr/bin/xterm", "..\\cmd.exe", ".."})
            QTest::addRow("name \"%s\"", refused) << false << refused << "Halvest.exe";
        for (const char *web : {"https://127.0.0.1/news?id=1", "http://127.0.0.1/news"})
            QTest::newRow(web) << true << web << web;
        for (const char *other : {"file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm"})
            QTest::newRow(other) << true << other << "";
    }
    void untrustedNames()
    {
        QFETCH(bool, link);
        QFETCH(QString, given);
        QFETCH(QString, used);
        QCOMPARE(link ? ActivityLink::forBrowser(given) : InstallPathRules::safeExeName(given), used);
    }

    // Against this installer's 2.1.1.0; what each case then shows is the controller test's.
    void versionGate_data()
    {
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<bool>("turnsAway");
        for (const char *allowed : {"2.1.1", "2.1.1.0", "2.1.0.9", "1.99", "2.1.1.0a", "x.1", ""})
            QTest::addRow("minimum \"%s\" lets it run", allowed) << allowed << false;
        for (const char *newer : {"2.1.1.1", "2.1.2", "2.10", "3", "10.0.0.0"})
            QTest::addRow("minimum %s turns it away", newer) << newer << true;
    }
    void versionGate()
    {
        QFETCH(QString, minimum);
        QFETCH(bool, turnsAway);
        QCOMPARE(InstallerVersionGate::turnsAway(minimum), turnsAway);
    }

    void clickBurst_data()
    {
        QTest::addColumn<QVector<int>>("pressSeconds");
        QTest::addColumn<int>("opensOnPress"); // 0: never
        QTest::newRow("nine quick presses") << QVector<int>(9, 1) << 0;
        QTest::newRow("tenth within five seconds") << QVector<int>(10, 4) << 10;
        QTest::newRow("five seconds exactly") << QVector<int>(9, 0) + QVector<int>{5} << 0;
        QTest::newRow("six seconds later starts again") << QVector<int>(9, 0) + QVector<int>(11, 6) << 20;
    }
    void clickBurst()
    {
        QFETCH(QVector<int>, pressSeconds);
        QFETCH(int, opensOnPress);
        ClickBurst burst(10, 5);
        int opened = 0;
        for (int index = 0; index < pressSeconds.size() && !opened; ++index)
            opened = burst.press(QTime(12, 0).addSecs(pressSeconds[index])) ? index + 1 : 0;
        QCOMPARE(opened, opensOnPress);
    }
};

QTEST_GUILESS_MAIN(TestViewModelRules)
#include "tst_viewmodelrules.moc"

#include "viewmodel/activitylink.h"
#include "viewmodel/clickburst.h"
#include "viewmodel/installerversiongate.h"
#include "viewmodel/installpathrules.h"
#include "viewmodel/progresstexts.h"
#include "viewmodel/ratemeter.h"
#include "viewmodel/stageprogress.h"

#include <QtTest>

// The controller's rules that need no window: install folder, names, trigger, progress texts.
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

    // Time left and speed, from the same two figures: bytes left and kilobytes a second.
    void rateTexts_data()
    {
        QTest::addColumn<qint64>("remaining");
        QTest::addColumn<double>("kilobytesPerSecond");
        QTest::addColumn<QString>("text");
        QTest::newRow("one hour") << 3600LL * 1024 << 1.0 << "预计剩余时间：01:00:00";
        QTest::newRow("59 s") << 59LL * 1024 << 1.0 << "预计剩余时间：00:00:59";
        QTest::newRow("60 s") << 60LL * 1024 << 1.0 << "预计剩余时间：00:01:00";
        QTest::newRow("hours past two digits") << 90061LL * 1024 << 1.0 << "预计剩余时间：25:01:01";
        QTest::newRow("nothing arrived") << 500LL * 1024 << 0.0 << "预计剩余时间：00:00:00";
        QTest::newRow("just below 0.9 MB/s") << 1LL << 921.59 << "下载速度： 921.59KB/S";
        QTest::newRow("at 0.9 MB/s") << 1LL << 921.6 << "下载速度： 0.90MB/S";
        QTest::newRow("slow") << 1LL << 0.5 << "下载速度： 0.50KB/S";
        QTest::newRow("nothing left") << 0LL << 5000.0 << "下载速度： 0KB/S";
    }
    void rateTexts()
    {
        QFETCH(qint64, remaining);
        QFETCH(double, kilobytesPerSecond);
        QFETCH(QString, text);
        QCOMPARE(text.startsWith("预计") ? ProgressTexts::remainingTime(remaining, kilobytesPerSecond)
                                         : ProgressTexts::speed(kilobytesPerSecond, remaining),
                 text);
    }

    void sizes_data()
    {
        QTest::addColumn<qint64>("done");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("downloading");
        QTest::addColumn<QString>("installing");
        QTest::addColumn<QString>("downloadedField");
        const qint64 gigabyte = qint64(1) << 30;
        const auto row = [](const char *tag, qint64 done, qint64 total, const char *downloading, const char *installing,
                            const char *field) {
            QTest::newRow(tag) << done << total << QString(downloading) << QString(installing) << QString(field);
        };
        row("truncated percent", 999, 1000, "下载中99%  (0.00G/0.00G)", "安装中99%  (9.3E-07G/9.31E-07G)", "99.9%");
        row("half a GB", gigabyte / 2, gigabyte, "下载中50%  (0.50G/1.00G)", "安装中50%  (0.5G/1G)", "50%");
        row("three digits", gigabyte * 123 / 10, gigabyte * 123 / 10, "下载中100%  (12.30G/12.30G)",
            "安装中100%  (12.3G/12.3G)", "100%");
        row("size unknown", 0, 0, "下载中0%  (0.00G/0.00G)", "安装中0%  (0G/0G)", "0%");
    }
    void sizes()
    {
        QFETCH(qint64, done);
        QFETCH(qint64, total);
        QFETCH(QString, downloading);
        QFETCH(QString, installing);
        QFETCH(QString, downloadedField);
        QCOMPARE(ProgressTexts::downloading(done, total), downloading);
        QCOMPARE(ProgressTexts::installing(done, total), installing);
        QCOMPARE(ProgressTexts::downloadedField(done, total), downloadedField);
    }

    void speedStartsFromEachStagesFirstReport()
    {
        RateMeter meter;
        double speed = -1;
        meter.restart(100);
        // A resumed download: 500 MB already there.
        QVERIFY(!meter.sample(500 * 1024 * 1024, 100, &speed));
        QVERIFY(meter.sample(501 * 1024 * 1024, 101, &speed));
        QCOMPARE(speed, 1024.0);
        // The next stage counts from its own start, not from the download's bytes.
        meter.restart(200);
        QVERIFY(meter.sample(2048, 202, &speed));
        QCOMPARE(speed, 0.0);
        QVERIFY(meter.sample(2048 + 4096, 203, &speed));
        QCOMPARE(speed, 4.0);
    }

    void valueNeverGoesBackWithinAStage()
    {
        float highest = StageProgress::kNone;
        QVERIFY(StageProgress::raise(highest, 60, 100));
        QVERIFY(!StageProgress::raise(highest, 40, 100));
        QVERIFY(!StageProgress::raise(highest, 10, 0));
        QVERIFY(StageProgress::raise(highest, 200, 100));
        QCOMPARE(highest, 1.0f);
        highest = StageProgress::kNone;
        QVERIFY(!StageProgress::raise(highest, 0, 100));
        QVERIFY(StageProgress::raise(highest, 1, 100));
    }
};

QTEST_GUILESS_MAIN(TestViewModelRules)
#include "tst_viewmodelrules.moc"

#include "net/serviceaddresses.h"
#include "net/updateversioninfo.h"
#include "scenestandins.h"
#include "settings/configsettings.h"
#include "setup/archivefixture.h"
#include "setup/setupmanager.h"
#include "support/faultserver.h"
#include "viewmodel/activitylink.h"
#include "viewmodel/clickburst.h"
#include "viewmodel/flowclock.h"
#include "viewmodel/gameinstall.h"
#include "viewmodel/gameprocess.h"
#include "viewmodel/gamestatus.h"
#include "viewmodel/installerversiongate.h"
#include "viewmodel/installfolder.h"
#include "viewmodel/installjob.h"
#include "viewmodel/installpathrules.h"
#include "viewmodel/messages.h"
#include "viewmodel/pageactions.h"
#include "viewmodel/progresstexts.h"
#include "viewmodel/ratemeter.h"
#include "viewmodel/runninggame.h"
#include "viewmodel/sceneaccess.h"
#include "viewmodel/stageprogress.h"
#include "viewmodel/updatecheck.h"
#include "viewmodel/verifytip.h"

#include <QtTest>

namespace {

// A clock the test moves: tickers fire only when told.
class ManualTicker : public FlowTicker
{
public:
    ManualTicker(int intervalMs, QObject *parent)
        : FlowTicker(parent)
        , interval(intervalMs)
    {}
    void start() override { active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    int intervalMs() const override { return interval; }
    void fire()
    {
        if (active)
            emit tick();
    }

private:
    int interval;
    bool active = false;
};

class ManualClock : public FlowClock
{
public:
    qint64 nowSecs() const override { return 0; }
    FlowTicker *ticker(int intervalMs, QObject *parent) override
    {
        tickers << new ManualTicker(intervalMs, parent);
        return tickers.last();
    }
    QList<ManualTicker *> tickers;
};

const QByteArray kResourceAnswer =
    R"({"data":{"game":{"latest":{"version":"1.1.0","path":"http://127.0.0.1:9/game.7z","size":"1000"}}}})";

} // namespace

// The window's flows, each on its own, and the rules they apply, without the window.
class TestFlows : public QObject
{
    Q_OBJECT

    FaultServer service;
    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        QFile::remove(QCoreApplication::applicationDirPath() + "/config.ini");
        service.setHandler([](const FaultRequest &request) {
            return FaultReply::text(200, request.target.contains("/api/resource") ? kResourceAnswer : "{}");
        });
        QVERIFY(service.listen());
        const QString base = service.url("/").toString();
        ServiceAddresses::setCurrent({base + "qz7r_global", base + "launcher", base.chopped(1)});
    }

    // The game's program is in the folder in every row: the record decides.
    void gameState_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("latest");
        QTest::addColumn<int>("state");
        const auto row = [](const char *tag, const char *installed, const char *folder, const char *latest,
                            GameStatus::State state) {
            QTest::newRow(tag) << QString(installed) << QString(folder) << QString(latest) << int(state);
        };
        row("no folder recorded", "1.1", "", "1.1", GameStatus::STATE_NOT_INSTALLED);
        row("latest unknown", "1.0", "/g", "", GameStatus::STATE_NOT_INSTALLED);
    }
    void gameState()
    {
        QFETCH(QString, installed);
        QFETCH(QString, folder);
        QFETCH(QString, latest);
        QFETCH(int, state);
        QCOMPARE(int(GameStatus::judge(installed, folder, latest, true)), state);
    }

    // One step a second; the dots go on where they stopped, and each tip counts its own.
    void verifyTipSteps()
    {
        SceneRoot root;
        const SceneAccess scene(&root);
        ManualClock clock;
        VerifyTip tip(scene, clock);
        QCOMPARE(clock.tickers.last()->intervalMs(), 1000);
        QStringList shown;
        const auto step = [&] {
            clock.tickers.last()->fire();
            shown << root.value("setup_percentage", "text").toString();
        };
        tip.start();
        for (int index = 0; index < 5; ++index)
            step();
        tip.stop();
        step();
        tip.start();
        step();
        VerifyTip other(scene, clock);
        other.start();
        step();
        QCOMPARE(shown, QStringList({"校验中 ", "校验中.", "校验中..", "校验中...", "校验中 ", "校验中 ", "校验中.",
                                     "校验中 "}));
    }

    void installFolderSettles_data()
    {
        QTest::addColumn<QString>("chosen"); // below home
        QTest::addColumn<qint64>("needed");
        QTest::addColumn<int>("refusal");
        QTest::addColumn<QString>("held"); // below home
        QTest::newRow("made") << "new/game" << qint64(1000) << int(InstallFolder::Refusal::None) << "new/game";
        QTest::newRow("a file in the way")
            << "a-file/game" << qint64(1000) << int(InstallFolder::Refusal::CannotMake) << "a-file/game";
        QTest::newRow("holds the installer")
            << "outer" << qint64(0) << int(InstallFolder::Refusal::None) << "outer/Games";
    }
    void installFolderSettles()
    {
        QFETCH(QString, chosen);
        QFETCH(qint64, needed);
        QFETCH(int, refusal);
        QFETCH(QString, held);
        QFile(home.filePath("a-file")).open(QIODevice::WriteOnly);
        QDir().mkpath(home.filePath("outer/installer"));
        SceneRoot root;
        const SceneAccess scene(&root);
        InstallFolder folder(scene, home.filePath("outer/installer"));
        folder.set(home.filePath(chosen) + "//");
        // The folder's one holder records it and shows it in full; the same folder again is no change.
        QCOMPARE(ConfigSettings::instance()->getGameInstallPath(), folder.path());
        QCOMPARE(root.value("curinstallPath", "text").toString(), folder.path());
        QSignalSpy changed(&folder, &InstallFolder::changed);
        folder.set(folder.path());
        folder.load();
        QCOMPARE(int(folder.settle(needed, "Halvest.exe")), refusal);
        QCOMPARE(folder.path(), home.filePath(held));
        QCOMPARE(changed.count(), 1); // the doubled separator went, and "Games" came
        QCOMPARE(QFileInfo(folder.path()).isDir(), refusal != int(InstallFolder::Refusal::CannotMake));
    }

    // The scene's first refresh only reports: per controller, not once per process.
    void firstRefreshOfEachCheckSendsNothing()
    {
        for (int round = 0; round < 2; ++round) {
            const SceneAccess scene(nullptr);
            UpdateVersionInfo info;
            InstallFolder folder(scene, home.filePath("installer"));
            GameStatus status(info, folder);
            PageActions page(info, status, scene);
            Messages messages(scene);
            UpdateCheck check(info, status, page, messages, scene);
            const int before = queriesSeen();
            check.refresh();
            // No query within a moment; the second refresh's come at once.
            QTest::qWait(200);
            QCOMPARE(queriesSeen(), before);
            check.refresh();
            QTRY_COMPARE(queriesSeen(), before + 2);
            QTRY_COMPARE(info.version, QString("1.1.0"));
        }
    }

    // Two extractors at once, the game's failing: each job hears its own run and nothing of the other's.
    void eachJobHearsOnlyItsOwnExtractor()
    {
        using namespace ArchiveFixture;
        const QString gameDir = home.filePath("game"), pluginDir = home.filePath("plugin");
        writeFile(home.filePath("src-game/a_first.txt"), "FIRST-ITEM-MARKER");
        writeFile(home.filePath("src-game/b_second.txt"), "second");
        writeFile(home.filePath("src-plugin/helper.bin"), QByteArray("0123456789abcdef").repeated(1 << 21));
        QVERIFY(pack(home.filePath("src-game"), gameDir + "/game.7z", {"-mx0"}));
        QVERIFY(damage(gameDir + "/game.7z", "flip:FIRST-ITEM-MARKER"));
        QVERIFY(pack(home.filePath("src-plugin"), pluginDir + "/helper.7z", {"-mx0"}));
        InstallJob game(setupmanager::sharedInstance()), plugin;
        game.place(gameDir, "game.7z", QString());
        plugin.place(pluginDir, "helper.7z", QString());
        QSignalSpy gameFailed(&game, &InstallJob::extractFailed), gameDone(&game, &InstallJob::extracted);
        QSignalSpy pluginFailed(&plugin, &InstallJob::extractFailed), pluginDone(&plugin, &InstallJob::extracted);
        QSignalSpy pluginProgress(&plugin, &InstallJob::extractProgress);
        plugin.extract();
        game.extract();
        QTRY_COMPARE_WITH_TIMEOUT(pluginDone.count(), 1, 60000);
        QTRY_VERIFY(!game.isExtracting() && gameFailed.count() == 2);
        QCOMPARE(gameDone.count(), 0);
        QCOMPARE(pluginFailed.count(), 0);
        QVERIFY(!pluginProgress.isEmpty());
        QCOMPARE(pluginProgress.last().at(0), pluginProgress.last().at(1));
        QCOMPARE(pluginProgress.last().at(1).toLongLong(), qint64(32) << 20);
    }

    // The web view reloads once until a later launcher answer re-arms it; the first answer does not.
    void webViewReloadsOncePerAnswer()
    {
        SceneRoot root;
        const SceneAccess scene(&root);
        UpdateVersionInfo info;
        InstallFolder folder(scene, home.filePath("installer"));
        GameStatus status(info, folder);
        PageActions page(info, status, scene);
        QSignalSpy pageChanged(&page, &PageActions::mainBgResChanged);
        const auto reloadTwice = [&] {
            page.reloadWebOnce();
            page.reloadWebOnce();
            QCoreApplication::processEvents(); // the reload is queued
            return root.web.reloads;
        };
        QCOMPARE(reloadTwice(), 1);
        page.applyLauncherContent(true);
        QCOMPARE(reloadTwice(), 1);
        QCOMPARE(pageChanged.count(), 0);
        info.webUrl = "http://127.0.0.1:9/news";
        page.applyLauncherContent(false);
        QCOMPARE(root.web.property("visible"), QVariant(true));
        QCOMPARE(pageChanged.count(), 1);
        QCOMPARE(reloadTwice(), 2);
    }

    // A package found in the folder is checked, then unpacked; one that does not unpack ends the install.
    void gameInstallOfAFoundPackage_data()
    {
        QTest::addColumn<bool>("good");
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<QString>("message");
        const QList<int> checkAndUnpack{GameStatus::STATE_VERIFYING, GameStatus::STATE_INSTALLING,
                                        GameStatus::STATE_INSTALLING};
        QTest::newRow("unpacks") << true << checkAndUnpack + QList<int>{GameStatus::STATE_INSTALLED} << "";
        QTest::newRow("no archive") << false << checkAndUnpack + QList<int>{GameStatus::STATE_NOT_INSTALLED}
                                    << "[1013]:无法以archive形式打开";
    }
    void gameInstallOfAFoundPackage()
    {
        QFETCH(bool, good);
        QFETCH(QList<int>, states);
        QFETCH(QString, message);
        const QString dir = home.filePath(good ? "install-good" : "install-bad");
        ArchiveFixture::writeFile(home.filePath("src-exe/Halvest.exe"), "game");
        if (good)
            QVERIFY(ArchiveFixture::pack(home.filePath("src-exe"), dir + "/game.7z"));
        else
            ArchiveFixture::writeFile(dir + "/game.7z", QByteArray("no archive\n").repeated(100));
        QFile package(dir + "/game.7z");
        QVERIFY(package.open(QIODevice::ReadOnly));
        UpdateVersionInfo info;
        info.version = "1.1.0";
        info.path = "http://127.0.0.1:9/game.7z";
        info.entry = "Halvest.exe";
        info.md5 = QCryptographicHash::hash(package.readAll(), QCryptographicHash::Md5).toHex();
        ConfigSettings::instance()->setGameVersion(QString());
        SceneRoot root;
        const SceneAccess scene(&root);
        ManualClock clock;
        Messages messages(scene);
        InstallFolder folder(scene, home.filePath("installer"));
        GameStatus status(info, folder);
        GameInstall install(info, status, folder, messages, scene, clock);
        folder.set(dir);
        status.set(GameStatus::STATE_NOT_INSTALLED);
        QList<int> seen;
        connect(&status, &GameStatus::changed, this, [&] { seen << status.state(); });
        const Player::Step ok = Player::press({"btn_ok"});
        Player closer({ok, ok, ok});
        install.install();
        QVERIFY(install.verifyTip().isActive()); // the digest is checked on a thread of its own
        QTRY_COMPARE_WITH_TIMEOUT(seen, states, 20000);
        QVERIFY(!install.verifyTip().isActive());
        QCOMPARE(ConfigSettings::instance()->getGameVersion(), QString(good ? "1.1.0" : ""));
        QCOMPARE(install.progress(), good ? 1.0f : 0.0f);
        QTRY_COMPARE(closer.texts.join("").left(message.size()), message);
    }

    // A running game is ended only when the player agrees; the install goes on only then.
    void runningGameIsAsked_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("ended") << QString("btn_ok") << QString("proceed");
        QTest::newRow("kept") << QString("btn_cancel") << QString("decline");
    }
    void runningGameIsAsked()
    {
        QFETCH(QString, button);
        QFETCH(QString, outcome);
        const QString game = home.filePath("AurelithFlowTst");
        QVERIFY(QFile::exists(game) || QFile::copy("/bin/sleep", game));
        QProcess running;
        running.start(game, {"30"});
        QVERIFY(running.waitForStarted());
        const SceneAccess scene(nullptr);
        Messages messages(scene);
        RunningGame guard(messages);
        QString ran;
        QVERIFY(guard.allowsInstall(
            "NoSuchGameTst", [] {}, [] {}));
        Player closer({Player::press({button})});
        QTRY_VERIFY(GameProcess::isRunning("AurelithFlowTst"));
        QVERIFY(!guard.allowsInstall(
            "AurelithFlowTst", [&] { ran = "proceed"; }, [&] { ran = "decline"; }));
        QCOMPARE(ran, outcome);
        QCOMPARE(GameProcess::isRunning("AurelithFlowTst"), outcome == "decline");
        if (outcome == "proceed") // ended by a signal, not left to finish
            QVERIFY(running.waitForFinished(5000) && running.exitStatus() == QProcess::CrashExit);
        running.kill();
        running.waitForFinished();
    }

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

private:
    int queriesSeen() const
    {
        int count = 0;
        for (const FaultRequest &request : service.requests())
            count += request.target.contains("/api/") ? 1 : 0;
        return count;
    }
};

QTEST_MAIN(TestFlows)
#include "tst_flows.moc"

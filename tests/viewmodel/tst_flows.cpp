#include "net/serviceaddresses.h"
#include "net/updateversioninfo.h"
#include "scenestandins.h"
#include "settings/configsettings.h"
#include "setup/archivefixture.h"
#include "setup/setupmanager.h"
#include "support/faultserver.h"
#include "viewmodel/flowclock.h"
#include "viewmodel/gameinstall.h"
#include "viewmodel/gameprocess.h"
#include "viewmodel/gamestatus.h"
#include "viewmodel/installfolder.h"
#include "viewmodel/installjob.h"
#include "viewmodel/messages.h"
#include "viewmodel/pageactions.h"
#include "viewmodel/runninggame.h"
#include "viewmodel/sceneaccess.h"
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

// The window's flows, each on its own, without the window.
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

    void gameState_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("latest");
        QTest::addColumn<bool>("exeThere");
        QTest::addColumn<int>("state");
        const auto row = [](const char *tag, const char *installed, const char *folder, const char *latest,
                            bool exeThere, GameStatus::State state) {
            QTest::newRow(tag) << QString(installed) << QString(folder) << QString(latest) << exeThere << int(state);
        };
        row("nothing installed", "", "/g", "1.1", true, GameStatus::STATE_NOT_INSTALLED);
        row("no folder recorded", "1.1", "", "1.1", true, GameStatus::STATE_NOT_INSTALLED);
        row("latest, game there", "1.1", "/g", "1.1", true, GameStatus::STATE_INSTALLED);
        row("latest, game gone", "1.1", "/g", "1.1", false, GameStatus::STATE_NOT_INSTALLED);
        row("older", "1.0", "/g", "1.1", true, GameStatus::STATE_UPDATE_AVAILABLE);
        row("latest unknown", "1.0", "/g", "", true, GameStatus::STATE_NOT_INSTALLED);
    }
    void gameState()
    {
        QFETCH(QString, installed);
        QFETCH(QString, folder);
        QFETCH(QString, latest);
        QFETCH(bool, exeThere);
        QFETCH(int, state);
        QCOMPARE(int(GameStatus::judge(installed, folder, latest, exeThere)), state);
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

    // The folder's one holder records it, shows it in full and tells the scene once per change.
    void installFolderTellsEveryone()
    {
        SceneRoot root;
        const SceneAccess scene(&root);
        InstallFolder folder(scene, home.filePath("installer"));
        QSignalSpy changed(&folder, &InstallFolder::changed);
        const QString chosen = home.filePath("games/aurelith");
        folder.set(chosen);
        folder.set(chosen);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(folder.path(), chosen);
        QCOMPARE(ConfigSettings::instance()->getGameInstallPath(), chosen);
        QCOMPARE(root.value("curinstallPath", "text").toString(), chosen);
        folder.load();
        QCOMPARE(changed.count(), 1);
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
        const SceneAccess scene(nullptr);
        InstallFolder folder(scene, home.filePath("outer/installer"));
        folder.set(home.filePath(chosen) + "//");
        QSignalSpy changed(&folder, &InstallFolder::changed);
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

#include "net/serviceaddresses.h"
#include "report/statusreport.h"
#include "scenestandins.h"
#include "settings/configsettings.h"
#include "support/faultserver.h"
#include "viewmodel/mainviewmodel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QSystemTrayIcon>
#include <QtTest>

namespace {

QByteArray resourceAnswer(const QByteArray &minVersion, const QByteArray &address, const QByteArray &size)
{
    return R"({"data":{"game":{"latest":{"version":"1.1.0","path":")" + qgetenv("PACKAGE_URL") + R"(","size":")" +
           size + R"("}},"force_update":{"min_version":")" + minVersion + R"(","url":")" + address + R"("}}})";
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// The state's properties that read true, by name: what the scene's buttons and panels follow.
QString shownBy(MainViewModel &vm)
{
    QStringList names;
    const QMetaObject &meta = MainViewModel::staticMetaObject;
    for (int index = meta.propertyOffset(); index < meta.propertyCount(); ++index)
        if (meta.property(index).type() == QVariant::Bool && meta.property(index).read(&vm).toBool())
            names << meta.property(index).name();
    return names.join(' ');
}

QString shownIn(int state)
{
    MainViewModel vm;
    vm.setGameState(GameStatus::State(state));
    return shownBy(vm);
}

ServiceAddresses servedBy(const QString &apiBase)
{
    return {apiBase, qEnvironmentVariable("WEB_BASE"), qEnvironmentVariable("REPORT_BASE")};
}

// One scenario of messages: the API's answers, the player's presses, what follows.
struct Scenario
{
    QVector<int> codes; // resource and launcher answers
    QByteArray minVersion, address;
    QString folder;            // below the test's home; "huge" asks for more than any volume has
    int install;               // pressed: 0 never, 1 at once, 2 once offered
    QList<Player::Step> steps; // one per dialog
    QStringList seen;          // dialog texts, then the addresses opened
    QString reported;          // pattern of the errors and install presses reported
    int queries;
    bool quits = false; // the installer ends after the messages
};

struct CloseCase
{
    int noTipAgain, userInput;
    QStringList buttons;
    QString calls, event;
};

} // namespace

Q_DECLARE_METATYPE(Scenario)
Q_DECLARE_METATYPE(CloseCase)

// The controller against the local service and a scripted API server; reports are read from its log.
class TestMainViewModel : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void openUrl(const QUrl &url) { opened << url.toString(); }

private:
    // This process's reports, oldest first, as "ACTION extMsg".
    QStringList events() const
    {
        QFile log(qEnvironmentVariable("REPORT_LOG"));
        log.open(QIODevice::ReadOnly);
        const QString session = "sessionID=" + StatusReport::instance()->fields().value("sessionID") + "&";
        QStringList found;
        for (const QByteArray &line : log.readAll().split('\n')) {
            const QString query = QUrl::fromPercentEncoding(line);
            if (query.contains(session))
                found << (query.section('&', 0, 0).mid(7) + " " + query.section("extMsg=", 1)).trimmed();
        }
        return found;
    }

    FaultServer api;
    QTemporaryDir home;
    QStringList opened;

private slots:
    void initTestCase()
    {
        QFile::remove(QCoreApplication::applicationDirPath() + "/config.ini");
        QFile env(qEnvironmentVariable("LOCAL_SERVICE_DIR") + "/service.env");
        QVERIFY(env.open(QIODevice::ReadOnly));
        for (const QByteArray &line : env.readAll().split('\n'))
            if (line.contains('='))
                qputenv(line.left(line.indexOf('=')), line.mid(line.indexOf('=') + 1).replace("'", ""));
        QVERIFY(api.listen());
        QDesktopServices::setUrlHandler("http", this, "openUrl");
    }
    void init() { ServiceAddresses::setCurrent(servedBy(qEnvironmentVariable("API_BASE"))); }

    void metaObjectFollowsTheSceneContract()
    {
        const QMetaObject &meta = MainViewModel::staticMetaObject;
        QStringList names;
        for (int index = meta.propertyOffset(); index < meta.propertyCount(); ++index)
            names << meta.property(index).name();
        for (int index = meta.methodOffset(); index < meta.methodCount(); ++index)
            names << meta.method(index).name();
        QCOMPARE(names.join(' '),
                 QString("updateShowVersion progress startGameEnable startGameVisible updateEnable installEnable "
                         "downloading setupGameing isDownloadNotComplated installPath bgPath mainBgUrl versionTitle "
                         "versionDesc versionTitleColor versionDescColor versionChanged progressChanged "
                         "gameStateChanged installPathChanged bgPathChanged mainBgResChanged versionTitleChanged "
                         "versionDescChanged versionTitleColorChanged versionDescColorChanged handleMessage "
                         "startInstall UpdateInstallPath onDlgYesNoConfirmClicked UpdateCheckMd5Tip "
                         "onGlobalMetaDataDismiss onGlobalMetaDataError startGameBtnClicked updateBtnClicked "
                         "changeInstallPathBtnClicked pauseBtnClicked installEnsureBtnClicked "
                         "onGeneralDialogConfirmClicked onApplicationQuit onOpenWebsiteClick onOpenbbsClick "
                         "isDownloadNotComplated UpdateInfoByHttp btnExitClick appInfoAreaClick singleReloadWeb "
                         "btnMoreActiveJumpUrl"));
    }

    // Which buttons and panels each state offers, every property notified with the state.
    void stateTable_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0 nothing known") << 0 << "";
        QTest::newRow("1 checking") << 1 << "startGameVisible";
        QTest::newRow("2 not installed") << 2 << "installEnable";
        QTest::newRow("3 installed") << 3 << "startGameEnable startGameVisible";
        QTest::newRow("4 update available") << 4 << "updateEnable";
        QTest::newRow("5 unused") << 5 << "";
        QTest::newRow("6 downloading") << 6 << "startGameVisible downloading";
        QTest::newRow("7 installing") << 7 << "startGameVisible setupGameing";
        QTest::newRow("8 check failed") << 8 << "";
        QTest::newRow("9 verifying") << 9 << "startGameVisible setupGameing";
        QTest::newRow("10 out of range") << 10 << "";
    }
    void stateTable()
    {
        QFETCH(int, state);
        QFETCH(QString, shown);
        MainViewModel vm;
        QSignalSpy notified(&vm, &MainViewModel::gameStateChanged);
        vm.setGameState(GameStatus::State(state));
        QCOMPARE(notified.count(), 1);
        QCOMPARE(shownBy(vm), shown);
        const QMetaObject &meta = MainViewModel::staticMetaObject;
        for (int index = meta.propertyOffset(); index < meta.propertyCount(); ++index)
            if (meta.property(index).type() == QVariant::Bool)
                QCOMPARE(meta.property(index).notifySignal().name(), QByteArray("gameStateChanged"));
    }

    void runAgainstTheLocalServiceAndRefresh()
    {
        SceneRoot scene;
        MainViewModel vm;
        vm.setRootObject(&scene);
        QCOMPARE(vm.updateShowVersion(), QString("--")); // no version known yet
        vm.setLanguageCode("ja-jp");
        vm.initialise();
        QTRY_VERIFY(vm.installEnable());
        QCOMPARE(scene.value("versionText", "text").toString(), QString("1.1.0 "));
        QTRY_VERIFY(vm.bgPath().startsWith("file:///"));
        QTRY_COMPARE(scene.value("viewActivity", "visible"), QVariant(true));
        QStringList run{"PROGRAM_OPEN_OPEN", "GAME_LOADER_CHECK_UPDATE",
                        "LAUNCHER_LOADER_CHECK_UPDATE type:LauncherContent;",
                        "GAME_LOADER_CHECK_UPDATE_FINISH newVersion:1.1.0;oldVersion:;type:GameRes;",
                        "LAUNCHER_LOADER_CHECK_UPDATE_FINISH type:LauncherContent;"};
        QTRY_COMPARE(sorted(events()), sorted(run)); // reports travel side by side, so in any order
        QCOMPARE(StatusReport::instance()->fields().value("client_language"), QString("ja-jp"));
        vm.UpdateInfoByHttp();
        vm.UpdateInfoByHttp();
        run[0] = "PROGRAM_HOME_PAGE"; // the scene's first refresh only reports, the second asks again
        QTRY_COMPARE(sorted(events().mid(5)), sorted(run));
    }

    // The state the check's answer leaves with the offered 1.1.0 recorded: the game's program decides.
    void stateAfterTheCheck_data()
    {
        QTest::addColumn<bool>("program"); // the game's program is in the folder
        QTest::addColumn<int>("state");
        QTest::newRow("latest") << true << 3;
        QTest::newRow("latest, program gone") << false << 2;
    }
    void stateAfterTheCheck()
    {
        QFETCH(bool, program);
        QFETCH(int, state);
        const QString folder = home.filePath(QString("state %1").arg(program));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(!program || QFile(folder + "/Halvest.x86_64").open(QIODevice::WriteOnly));
        ConfigSettings::instance()->setGameInstallPath(folder);
        ConfigSettings::instance()->setGameVersion("1.1.0");
        MainViewModel vm;
        vm.initialise();
        QTRY_COMPARE(shownBy(vm), shownIn(state));
        ConfigSettings::instance()->setGameVersion("");
    }

    // A press in a state that does not offer it changes nothing.
    void pressesInEachState_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("after"); // the state whose properties then show
        for (int state : {2, 3, 4, 8})
            QTest::addRow("refresh in %d asks again", state) << "refresh" << state << 1;
        for (int state : {6, 7, 9})
            QTest::addRow("refresh in %d keeps it", state) << "refresh" << state << state;
        QTest::newRow("install after a failed check asks again") << "install" << 8 << 1;
        QTest::newRow("install with an older version installed") << "install" << 2 << 4;
        for (int state : {2, 3, 7, 9})
            QTest::addRow("pause in %d", state) << "pause" << state << state;
    }
    void pressesInEachState()
    {
        QFETCH(QString, press);
        QFETCH(int, state);
        QFETCH(int, after);
        ConfigSettings::instance()->setGameInstallPath(home.filePath("installed"));
        ConfigSettings::instance()->setGameVersion("1.0.0");
        const Player::Step ok = Player::press({"btn_ok"});
        Player player({ok, ok, ok}); // the messages of a wrong start
        SceneRoot scene;
        MainViewModel vm;
        vm.setRootObject(&scene);
        vm.initialise();
        QTRY_VERIFY(vm.updateEnable());
        vm.UpdateInfoByHttp(); // the scene's first call only reports, later ones ask again
        QTRY_VERIFY(vm.updateEnable());
        vm.setGameState(GameStatus::State(state));
        if (press == "refresh")
            vm.UpdateInfoByHttp();
        else if (press == "install")
            vm.installEnsureBtnClicked();
        else
            vm.pauseBtnClicked();
        QCOMPARE(shownBy(vm), shownIn(after));
        // Pause and continue during a download: the install flow's test.
        QVERIFY(!scene.value("pauseDownloadBtn", "nomal_Image").isValid());
        ConfigSettings::instance()->setGameVersion("");
    }

    // Messages and reports when a check fails, an install is refused, or the installer is too old.
    void messages_data()
    {
        QTest::addColumn<Scenario>("scenario");
        const QVector<int> ok{200, 200};
        const QByteArray min = "2.0.0.0", setup = "http://127.0.0.1:9/setup";
        const QString resource = "游戏资源检查更新失败，是否重新连接";
        const QString launcher = "启动器检查更新失败，是否重新连接";
        const QString noFolder = "创建文件夹失败，请确认路径是否正确！";
        const QString noSpace = "磁盘空间不足，请选择其他路径！";
        const QString update = "当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。";
        const QString tooOld = "当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。";
        const QString error = "GAME_LOADER_CHECK_UPDATE_ERROR error:[^;]+;", path = "CSetInstallPathDialog";
        const QString contentError = "LAUNCHER_LOADER_CHECK_UPDATE_ERROR error:[^;]+;type:LauncherContent;";
        const QString refused = "PROGRAM_HOME_DOWNLOAD / GAME_LOADER_CHECK_INSTALL_PATH_ERROR error:";
        const QList<Player::Step> cancel{Player::press({"btn_cancel"})}, confirm{Player::press({"btn_ok"})},
            reopen = confirm + QList<Player::Step>{Player::press({"btn_close"})};
        QTest::newRow("resource 500") << Scenario{{500, 200}, min, setup, "", 0, cancel, {resource}, error, 7};
        QTest::newRow("resource 404, retried") << Scenario{
            {404, 200}, min, setup, "", 0, confirm + cancel, {resource, resource}, error + " / " + error, 13};
        QTest::newRow("content 502") << Scenario{{200, 502}, min, setup, "", 0, cancel, {launcher}, contentError, 7};
        QTest::newRow("install while checking")
            << Scenario{ok, min, setup, "", 1, confirm, {"检查更新中，请稍后！"}, refused + "检查更新中;", 2};
        QTest::newRow("folder cannot be made")
            << Scenario{ok, min, setup, "a-file/game", 2, reopen, {noFolder, path}, refused + "文件夹创建失败;", 2};
        QTest::newRow("volume too small")
            << Scenario{ok, min, setup, "huge", 2, reopen, {noSpace, path}, refused + "磁盘空间不足;", 2};
        QTest::newRow("2.10 with an address")
            << Scenario{ok, "2.10", setup, "", 0, confirm, {update, setup}, "", 2, true};
        QTest::newRow("2.1.1.1 without") << Scenario{ok, "2.1.1.1", "", "", 0, confirm, {tooOld}, "", 2, true};
    }
    void messages()
    {
        QFETCH(Scenario, scenario);
        ServiceAddresses::setCurrent(servedBy(api.url("/qz7r_global").toString()));
        QFile(home.filePath("a-file")).open(QIODevice::WriteOnly);
        ConfigSettings::instance()->setGameInstallPath(home.filePath(scenario.folder));
        const QByteArray size = scenario.folder == "huge" ? "1152921504606846976" : "1000";
        api.setHandler(
            [=, resource = resourceAnswer(scenario.minVersion, scenario.address, size)](const FaultRequest &request) {
                const bool isResource = request.target.contains("/api/resource");
                return FaultReply::text(scenario.codes[isResource ? 0 : 1], isResource ? resource : "{}");
            });
        Player player(scenario.steps);
        MainViewModel vm;
        const int before = events().size(), firstQuery = api.requestCount();
        opened.clear();
        vm.initialise();
        if (scenario.install == 2)
            QTRY_VERIFY(vm.installEnable());
        if (scenario.install)
            vm.installEnsureBtnClicked();
        // A failed query is repeated five times before the player is asked.
        QTRY_COMPARE_WITH_TIMEOUT(api.requestCount() - firstQuery, scenario.queries, 20000);
        QTRY_COMPARE(player.texts + opened, scenario.seen);
        const QRegularExpression reported("^" + scenario.reported + "$");
        QTRY_VERIFY(reported.match(events().mid(before).filter(QRegularExpression("ERROR|HOME_DOWNLOAD")).join(" / "))
                        .hasMatch());
        QCOMPARE(ConfigSettings::instance()->getGameInstallPath(), home.filePath(scenario.folder));
        QTRY_COMPARE(vm.installEnable(), scenario.codes[0] == 200);
        // Asking the application to quit ends every event loop entered later at once, until exec() runs.
        QEventLoop probe;
        QTimer::singleShot(0, &probe, [&probe] { probe.exit(1); });
        QCOMPARE(probe.exec() == -1, scenario.quits);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    void nestedMessagesKeepTheirOwnActionsAndTheMask()
    {
        SceneRoot scene;
        MainViewModel vm;
        vm.setRootObject(&scene);
        QStringList ran, maskWhileOuterOpen;
        const auto record = [&ran](const QString &name) {
            return [&ran, name](bool value) { ran << name + ":" + QString::number(value); };
        };
        const auto openInner = [&](QWidget *) {
            QTimer::singleShot(0, [&] { vm.showMessageBox("inner", "inner", record("inner"), true); });
        };
        // Read as the outer message is answered, once the inner one has closed.
        const auto cancelOuter = [&](QWidget *dialog) {
            maskWhileOuterOpen << scene.value("bgMask_msgbox", "visible").toString();
            Player::press({"btn_cancel"})(dialog);
        };
        Player player({openInner, Player::press({"btn_ok"}), cancelOuter});
        vm.showMessageBox("outer", "outer", record("outer"), true);
        QCOMPARE(ran, QStringList({"inner:1", "outer:0"}));
        QCOMPARE(maskWhileOuterOpen, QStringList{"true"});
        QCOMPARE(scene.value("bgMask_msgbox", "visible").toString(), QString("false"));
        vm.onGeneralDialogConfirmClicked(true); // the stored action is the latest message's
        QCOMPARE(ran.last(), QString("inner:1"));
    }

    void closeChoices_data()
    {
        QTest::addColumn<CloseCase>("close");
        // Into the tray where there is one; without (as here), to the task bar.
        const QString tray =
            QSystemTrayIcon::isSystemTrayAvailable() ? "showMinimized hide raise requestActivate" : "showMinimized";
        QTest::newRow("stored exit") << CloseCase{1, 1, {}, "close", "PROGRAM_QUIT_QUIT"};
        QTest::newRow("stored tray") << CloseCase{1, 0, {}, tray, "PROGRAM_QUIT_MIN"};
        QTest::newRow("stored unknown") << CloseCase{1, 7, {}, "", ""};
        QTest::newRow("asked, exit") << CloseCase{0, 0, {"radio_exit", "btn_ok"}, "close", "PROGRAM_QUIT_QUIT"};
        QTest::newRow("asked, cancelled") << CloseCase{0, 0, {"btn_cancel"}, "", ""};
    }
    void closeChoices()
    {
        QFETCH(CloseCase, close);
        ConfigSettings::instance()->setIntValue("NoTipAgain", close.noTipAgain, "DLG_CLOSE_TIP");
        ConfigSettings::instance()->setIntValue("UserInput", close.userInput, "DLG_CLOSE_TIP");
        Player player({Player::press(close.buttons)});
        SceneRoot scene;
        MainViewModel vm;
        vm.setRootObject(&scene);
        const int before = events().size();
        vm.btnExitClick();
        vm.onGlobalMetaDataError(); // a marker: the reports before it have arrived with it
        QTRY_COMPARE(sorted(events().mid(before)),
                     sorted(QStringList({close.event, "GLOBAL_META_DATA_ERROR"}).filter(QRegularExpression("."))));
        QTRY_COMPARE(scene.calls.join(' '), close.calls);
        QCOMPARE(scene.value("bgMask_msgbox", "visible").toString(), close.buttons.isEmpty() ? "" : "false");
    }
};

QTEST_MAIN(TestMainViewModel)
#include "tst_mainviewmodel.moc"

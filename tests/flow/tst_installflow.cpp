#include "download/resumerecord.h"
#include "support/testpaths.h"
#include "window/windowharness.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>

// The real program installing the sample game from a local service of this
// test's own, whose package host is slowed so a download can be paused and
// killed. SCREENSHOT_DIR=docs also saves the window in each state.
class tst_installflow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void installsThroughKillAndResume();
    void updatesThroughDiffPackage();
    void killDuringExtractionEndsCorrect();
    void digestMismatchOffersInstallAgain();
    void completePackageNeedsNoHost();
    void errorsGiveTheButtonsBack_data();
    void errorsGiveTheButtonsBack();

private:
    bool clearLogs();
    bool logsInUse() const;
    bool startLauncher(LauncherRun &run, bool clickInstall, const QString &language = "en_US.UTF-8");
    QByteArray packageRequests() const;
    bool waitForReport(const QString &action, int timeoutMs = 120000);
    QStringList reports() const;
    void shot(const QString &name);
    void verifyInstalled(const QString &folder);

    VirtualScreen screen;
    QString serviceDir;
    const QSize pathDialog{740, 536};
    const QPoint mainButton{169, 659};
    const QSize message{460, 300};
};

namespace {

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    tool.waitForFinished(600000);
    return QString::fromLocal8Bit(tool.readAll()) + (tool.exitCode() == 0 ? "" : "\nexit code != 0");
}

QString signalService(const QString &signal)
{
    const QString dir = qEnvironmentVariable("LOCAL_SERVICE_DIR");
    return runTool("nginx", {"-p", dir, "-c", dir + "/nginx.conf", "-e", dir + "/logs/error.log", "-s", signal});
}

// The installer's own record beside its copy of the program.
void recordInstallFolder(const LauncherUser &user, const QString &folder)
{
    QSettings(QFileInfo(user.program()).path() + "/config.ini", QSettings::IniFormat)
        .setValue("game_install_path", folder);
}

// A process under the game's program name, which the installer must find running.
bool startPretendGame(QProcess &game, const LauncherUser &user, const QString &entry)
{
    const QString program = user.root.path() + "/" + entry;
    if (!QFile::copy("/bin/sleep", program))
        return false;
    game.start(program, {"100"});
    return game.waitForStarted();
}

QString recordedVersion(const QString &folder)
{
    return QSettings(folder + "/config.ini", QSettings::IniFormat).value("game_version").toString();
}

} // namespace

void tst_installflow::initTestCase()
{
    QVERIFY(!screen.display.isEmpty());
    serviceDir = qEnvironmentVariable("LOCAL_SERVICE_DIR");
    const QString script = TestPaths::sourceDir() + "/tools/local-service.sh";
    QVERIFY2(!runTool("bash", {script, "start"}).contains("exit code"), "local service did not start");
    // Package bytes at 1 MiB/s a connection (nginx lets each request have a
    // second's worth at once), and every package request's Range in a log of
    // its own.
    QFile conf(serviceDir + "/nginx.conf");
    QVERIFY(conf.open(QIODevice::ReadWrite));
    QString text = QString::fromUtf8(conf.readAll());
    text.replace("log_format report", "log_format ranges '$request_method $uri $http_range';\n    log_format report");
    text.replace("location /packages/ { }",
                 "location /packages/ { limit_rate 1m; access_log " + serviceDir + "/logs/ranges.log ranges; }");
    conf.resize(0);
    conf.write(text.toUtf8());
    conf.close();
    QVERIFY(!signalService("reload").contains("exit code"));
    QVERIFY(QTest::qWaitFor([this] { return logsInUse(); }, 20000));
}

bool tst_installflow::clearLogs()
{
    QFile::remove(serviceDir + "/logs/reports.log");
    QFile::remove(serviceDir + "/logs/ranges.log");
    signalService("reopen");
    return QTest::qWaitFor([this] { return logsInUse(); }, 20000);
}

// nginx takes a new configuration or reopens its logs after the signal's
// command returns: a probe to each logged location shows when it has. The
// probes are no reports and name no package.
bool tst_installflow::logsInUse() const
{
    const QString base = serviceValue("LOCAL_SERVICE_URL");
    runTool("curl", {"-s", "-o", "/dev/null", base + "/client_report?probe=1", "-o", "/dev/null",
                     base + "/packages/log-probe"});
    QFile log(serviceDir + "/logs/reports.log");
    return log.open(QIODevice::ReadOnly) && log.readAll().contains("probe=1") &&
           packageRequests().contains("/packages/log-probe");
}

void tst_installflow::cleanupTestCase()
{
    runTool("bash", {TestPaths::sourceDir() + "/tools/local-service.sh", "stop"});
}

QStringList tst_installflow::reports() const
{
    QFile log(serviceDir + "/logs/reports.log");
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray &line : log.readAll().split('\n'))
        if (line.startsWith("action="))
            lines << QUrl::fromPercentEncoding(line.mid(7));
    return lines;
}

bool tst_installflow::waitForReport(const QString &action, int timeoutMs)
{
    return QTest::qWaitFor([&] { return !reports().filter(QRegularExpression("^" + action + "(&|;|$)")).isEmpty(); },
                           timeoutMs);
}

void tst_installflow::shot(const QString &name)
{
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    // Taken once two pictures in a row are the same: the window has drawn
    // its state. A moving progress bar never holds still: the last one stays.
    const QString path = QDir(folder).absoluteFilePath(name + ".png");
    QByteArray last;
    for (int grab = 0; grab < 10; ++grab) {
        screen.run("import", {"-window", "root", "-crop", "1280x730+0+0", "-strip", path});
        QFile picture(path);
        const QByteArray now = picture.open(QIODevice::ReadOnly) ? picture.readAll() : QByteArray();
        if (now == last)
            return;
        last = now;
    }
}

bool tst_installflow::startLauncher(LauncherRun &run, bool clickInstall, const QString &language)
{
    QProcessEnvironment environment = run.process.processEnvironment();
    environment.insert("AURELITH_SAMPLE_SECONDS", "1");
    environment.remove("LC_ALL");
    environment.insert("LANG", language);
    run.process.setProcessEnvironment(environment);
    if (!clearLogs())
        return false;
    run.start();
    if (run.findWindow({1280, 730}, 60000).isEmpty() || !waitForReport("GAME_LOADER_CHECK_UPDATE_FINISH", 60000)) {
        qWarning() << run.process.readAll().right(3000);
        return false;
    }
    // Kept: the window shows no sign from outside when it takes a click.
    // Clicked at once, a run in a few lost it (waiting for the screen to hold
    // still, or for every version check to be answered, did not help).
    QTest::qWait(1000);
    return !clickInstall || run.click(mainButton);
}

QByteArray tst_installflow::packageRequests() const
{
    QFile log(serviceDir + "/logs/ranges.log");
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

// The install folder holds what `7z x` makes of the package, and its record names the version.
void tst_installflow::verifyInstalled(const QString &folder)
{
    QTemporaryDir reference;
    QVERIFY(!runTool("7z", {"x", "-y", "-o" + reference.path(), serviceValue("PACKAGE_FILE")}).contains("exit code"));
    QCOMPARE(runTool("diff", {"-r", "-x", "config.ini", reference.path(), folder}), QString());
    QCOMPARE(recordedVersion(folder), serviceValue("PACKAGE_VERSION"));
}

void tst_installflow::installsThroughKillAndResume()
{
    LauncherUser user;
    const QString folder = user.root.path() + "/选择的 folder";
    {
        LauncherRun run(screen, user);
        QVERIFY(startLauncher(run, false));
        shot("install-offered");
        // "修改安装路径" follows the shown path, whose width the scene's font decides.
        QFont font("微软雅黑");
        font.setPixelSize(14);
        font.setWeight(QFont::Light);
        const qreal pathWidth = QFontMetricsF(font).horizontalAdvance(user.home() + "/Games/Aurelith");
        QVERIFY(run.click({int(365 + pathWidth + 40), 656}));
        const QRect dialog = run.findWindow(pathDialog, 20000);
        QVERIFY(!dialog.isEmpty());
        shot("install-pathdialog");
        const QPoint edit = dialog.topLeft() + QPoint(460, 232);
        // xdotool types a character the keymap lacks by remapping a spare key
        // for it; typed quickly on a busy machine, the program can read the
        // next character's mapping instead. So the Chinese part goes slowly.
        const QString chinese = QStringLiteral("选择的");
        const int at = folder.indexOf(chinese);
        screen.run("xdotool", {"mousemove", QString::number(edit.x()), QString::number(edit.y()), "click", "1", "key",
                               "ctrl+a", "BackSpace", "type", "--delay", "20", folder.left(at)});
        screen.run("xdotool", {"type", "--delay", "400", chinese});
        screen.run("xdotool", {"type", "--delay", "20", folder.mid(at + chinese.size())});
        QVERIFY(run.click({508, 424}, pathDialog));

        QVERIFY(waitForReport("GAME_LOADER_DOWNLOAD_INSTALL_GAME"));
        shot("install-downloading");
        // Paused once the first slice has bytes on disk and in the record, and
        // the helper fetched alongside is unpacked.
        const QString package = serviceValue("PACKAGE_FILE").section('/', -1);
        const QString recordFile = user.home() + "/xdg_config_home/Tavoro/Aurelith Launcher.conf";
        const auto recorded = [&] {
            return QSettings(recordFile, QSettings::IniFormat).value(package + "/0").toLongLong();
        };
        const QString helper = user.root.path() + "/bin/AurelithHelper/AurelithHelper.exe";
        QTRY_VERIFY_WITH_TIMEOUT(recorded() > 0 && QFile::exists(helper), 30000);
        QVERIFY(run.click({851, 665}));
        QVERIFY(waitForReport("GAME_LOADER_PAUSE_DOWNLOAD&.*action:暂停下载"));
        shot("install-paused");
        // Continued in the same run, the transfer goes on from the paused byte
        // (the request is logged when it ends: at the kill below).
        const qint64 pausedAt = recorded();
        QVERIFY(pausedAt > 0);
        QVERIFY(run.click({859, 673})); // away from the last click: no double click
        QVERIFY(waitForReport("GAME_LOADER_PAUSE_DOWNLOAD&.*action:继续下载"));
        run.process.kill();
        run.process.waitForFinished();
        QTRY_VERIFY_WITH_TIMEOUT(packageRequests().contains(QString("bytes=%1-").arg(pausedAt).toUtf8()), 20000);
    }
    const QString package = serviceValue("PACKAGE_FILE").section('/', -1);
    QSettings record(user.home() + "/xdg_config_home/Tavoro/Aurelith Launcher.conf", QSettings::IniFormat);
    const qint64 total = serviceValue("PACKAGE_SIZE").toLongLong();
    const int slices = record.value(package + "/segments", 1).toInt();
    QStringList resumeAt; // where each slice not complete goes on
    for (int slice = 0; slice < slices; ++slice) {
        const qint64 at = resumerecord::sliceStart(total, slices, slice) +
                          record.value(package + "/" + QString::number(slice)).toLongLong();
        if (at < resumerecord::sliceStart(total, slices, slice + 1))
            resumeAt << QString::number(at);
    }
    QVERIFY2(record.value(package + "/0").toLongLong() > 0 && !resumeAt.isEmpty(), qPrintable(record.fileName()));
    // The folder the installer took, should the typed one have arrived garbled.
    const QString took = QSettings(QFileInfo(user.program()).path() + "/config.ini", QSettings::IniFormat)
                             .value("game_install_path")
                             .toString();
    QVERIFY2(QFile::exists(folder + "/" + package + "_tmp"), qPrintable("installer's folder: " + took));
    QVERIFY(recordedVersion(folder).isEmpty());

    LauncherRun run(screen, user);
    QVERIFY(startLauncher(run, true));
    QVERIFY(waitForReport("GAME_LOADER_DOWNLOAD_INSTALL_GAME&.*resumeDownload:true"));
    // A second start brings the window to the front; the transfer and its
    // strip go on, and the installed state is not looked up over them.
    LauncherRun second(screen, user);
    second.start();
    QVERIFY(second.process.waitForFinished(30000));
    QCOMPARE(second.process.exitCode(), 255);
    QVERIFY(waitForReport("PROGRAM_HOME_DOWNLOADED"));
    QCOMPARE(reports().filter("GAME_LOADER_CHECK_UPDATE_FINISH").size(), 1);
    QCOMPARE(reports().filter("GAME_LOADER_DOWNLOAD_INSTALL_GAME").size(), 1);
    shot("install-verifying");
    QVERIFY(waitForReport("PROGRAM_HOME_INSTALL"));
    shot("install-installing");
    QVERIFY(waitForReport("PROGRAM_HOME_INSTALLED"));
    shot("install-start");
    // The plugin fetched during the first download runs quietly at this extraction.
    QVERIFY(run.process.peek(1 << 24).contains("AurelithHelper ran with: /silent"));
    for (const QString &at : qAsConst(resumeAt))
        QVERIFY2(packageRequests().contains(QString("GET /packages/%1 bytes=%2-").arg(package, at).toUtf8()),
                 "the download did not resume where the record says");
    verifyInstalled(folder);

    const QStringList expected{"GAME_LOADER_DOWNLOAD_INSTALL_GAME", "PROGRAM_HOME_DOWNLOADED",
                               "GAME_LOADER_CHECK_MD5_FINISH", "PROGRAM_HOME_INSTALL", "PROGRAM_HOME_INSTALLED"};
    int at = 0; // the stage events in this order, others between them
    for (const QString &line : reports())
        at += at < expected.size() && line.section('&', 0, 0) == expected.at(at);
    QCOMPARE(at, expected.size());

    QVERIFY(run.click(mainButton));
    QVERIFY(waitForReport("PROGRAM_HOME_OPEN", 20000));
    QVERIFY(QTest::qWaitFor(
        [&] { return run.process.peek(1 << 24).contains("Aurelith 1.1.0 started in " + folder.toUtf8()); }, 20000));
}

void tst_installflow::updatesThroughDiffPackage()
{
    LauncherUser user;
    const QString folder = user.installFolder();
    QVERIFY(!runTool("7z", {"x", "-y", "-o" + folder, serviceValue("OLD_PACKAGE_FILE")}).contains("exit code"));
    QSettings(folder + "/config.ini", QSettings::IniFormat).setValue("game_version", serviceValue("OLD_VERSION"));
    recordInstallFolder(user, folder);
    // The game runs when the update is to be unpacked: the player lets the installer end it.
    QProcess game;
    QVERIFY(startPretendGame(game, user, serviceValue("GAME_ENTRY")));

    LauncherRun run(screen, user);
    QVERIFY(startLauncher(run, true));
    QVERIFY(waitForReport("GAME_LOADER_DOWNLOAD_UPDATE_GAME"));
    QVERIFY(!run.findWindow(message, 60000).isEmpty());
    shot("install-gamerunning");
    QVERIFY(run.click({331, 224}, message));
    QVERIFY(game.waitForFinished(20000));
    QVERIFY(waitForReport("PROGRAM_HOME_INSTALLED"));
    QVERIFY(packageRequests().contains("GET /packages/" + serviceValue("DIFF_PACKAGE_FILE").section('/', -1).toUtf8()));
    verifyInstalled(folder);
}

void tst_installflow::killDuringExtractionEndsCorrect()
{
    LauncherUser user;
    const QString folder = user.installFolder();
    recordInstallFolder(user, folder);
    {
        LauncherRun run(screen, user);
        QVERIFY(startLauncher(run, true));
        // Killed while the bulk data is being written (the program's output read meanwhile).
        const QFileInfo bulk(folder + "/Halvest_Data/Resources/sharedassets0.assets");
        for (QDeadlineTimer deadline(120000); !QFileInfo::exists(bulk.filePath()) && !deadline.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        run.process.kill();
        run.process.waitForFinished();
        QVERIFY(bulk.exists());
        QVERIFY(recordedVersion(folder).isEmpty());
    }
    LauncherRun run(screen, user);
    QVERIFY(startLauncher(run, true));
    QVERIFY(waitForReport("PROGRAM_HOME_INSTALLED"));
    verifyInstalled(folder);
    // The package found complete is checked again, not fetched again.
    QVERIFY(reports().filter("GAME_LOADER_DOWNLOAD_").isEmpty());
    QVERIFY(!reports().filter("GAME_LOADER_CHECK_MD5_FINISH").isEmpty());
}

void tst_installflow::digestMismatchOffersInstallAgain()
{
    QFile answer(serviceDir + "/www/api/resource.json");
    QVERIFY(answer.open(QIODevice::ReadWrite));
    const QByteArray original = answer.readAll();
    answer.resize(0);
    answer.write(QByteArray(original).replace(serviceValue("PACKAGE_MD5").toUtf8(), QByteArray(32, '0')));
    answer.close();

    LauncherUser user;
    LauncherRun run(screen, user);
    QVERIFY(startLauncher(run, true, "zh_CN.UTF-8")); // the message reads "[1004]:文件校验错误"
    QVERIFY(!run.findWindow(message, 120000).isEmpty());
    shot("install-digesterror");
    QVERIFY(answer.open(QIODevice::WriteOnly));
    answer.write(original);
    answer.close();
    QVERIFY(run.click({129, 224}, message));
    QVERIFY(waitForReport("GAME_LOADER_ERROR&.*errorCode:DOWNLOAD_MD5_ERROR;errorDesc:文件校验错误;", 20000));
    QVERIFY(waitForReport("PROGRAM_HOME_MD5", 20000));
    QVERIFY(!QFile::exists(user.home() + "/Games/Aurelith/" + serviceValue("PACKAGE_FILE").section('/', -1)));
    // Install is offered again: the same button starts a new download.
    QVERIFY(clearLogs());
    QVERIFY(run.click(mainButton));
    QVERIFY(waitForReport("GAME_LOADER_DOWNLOAD_INSTALL_GAME", 20000));
}

// The package is complete in the install folder and its host answers 404: it
// is checked and unpacked without a request to the host and without a network
// error over the extraction. The game runs at first: cancelling its warning
// unpacks nothing and gives the install button back.
void tst_installflow::completePackageNeedsNoHost()
{
    LauncherUser user;
    const QString folder = user.installFolder();
    recordInstallFolder(user, folder);
    const QString served = serviceValue("PACKAGE_FILE");
    const QString package = served.section('/', -1);
    QVERIFY(QFile::copy(served, folder + "/" + package));
    QVERIFY(QFile::rename(served, served + ".away"));
    auto restore = qScopeGuard([&] { QFile::rename(served + ".away", served); });
    QProcess game;
    QVERIFY(startPretendGame(game, user, serviceValue("GAME_ENTRY")));

    LauncherRun run(screen, user);
    QVERIFY(startLauncher(run, true));
    QVERIFY(!run.findWindow(message, 60000).isEmpty());
    QVERIFY(run.click({129, 224}, message));
    QTRY_VERIFY_WITH_TIMEOUT(run.findWindow(message).isEmpty(), 10000);
    QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    left.removeAll("config.ini");
    QCOMPARE(left, QStringList{package});
    game.kill();
    game.waitForFinished();
    QVERIFY(run.click(mainButton));
    const bool installed = waitForReport("PROGRAM_HOME_INSTALLED");
    QVERIFY2(installed, qPrintable(reports().join(' ') + "\nwindows: " + QString::number(run.windows().size()) + "\n" +
                                   QString::fromLocal8Bit(run.process.readAll().right(4000))));
    QCOMPARE(reports().filter(QRegularExpression("^PROGRAM_HOME_INSTALL(&|;|$)")).size(), 1);
    QVERIFY2(!packageRequests().contains("/packages/" + package.toUtf8()), packageRequests().constData());
    QVERIFY(reports().filter("GAME_LOADER_ERROR").isEmpty());
    QVERIFY(run.findWindow(message).isEmpty());
    restore.dismiss();
    QVERIFY(QFile::rename(served + ".away", served));
    verifyInstalled(folder);
}

void tst_installflow::errorsGiveTheButtonsBack_data()
{
    QTest::addColumn<bool>("packageHere");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("again");
    QTest::newRow("transfer: the host has no package") << false << "DOWNLOAD_NETWORK_GETHEADER_ERROR"
                                                       << "GAME_LOADER_DOWNLOAD_INSTALL_GAME";
    QTest::newRow("extraction: a file where the game's folder goes") << true << "SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR"
                                                                     << "PROGRAM_HOME_INSTALL";
}

// A failed transfer or extraction shows its message; its report is sent once
// the player has closed it, and the install button is offered again.
void tst_installflow::errorsGiveTheButtonsBack()
{
    QFETCH(bool, packageHere);
    QFETCH(QString, code);
    QFETCH(QString, again);
    LauncherUser user;
    const QString folder = user.installFolder();
    recordInstallFolder(user, folder);
    const QString served = serviceValue("PACKAGE_FILE");
    // The helper is there already: its download and unpacking stay out of this run.
    QVERIFY(QDir(user.root.path()).mkpath("bin/AurelithHelper"));
    if (packageHere) {
        QVERIFY(QFile::copy(served, folder + "/" + served.section('/', -1)));
        QVERIFY(QFile(folder + "/Halvest_Data").open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::rename(served, served + ".away"));
    auto restore = qScopeGuard([&] { QFile::rename(served + ".away", served); });

    LauncherRun run(screen, user);
    QVERIFY(startLauncher(run, true));
    QVERIFY(!run.findWindow(message, 120000).isEmpty());
    QVERIFY(reports().filter("GAME_LOADER_ERROR").isEmpty());
    // One message per failure report: each closed in turn.
    QTRY_VERIFY_WITH_TIMEOUT(run.findWindow(message).isEmpty() || (run.click({129, 224}, message), false), 30000);
    QVERIFY(waitForReport("GAME_LOADER_ERROR&.*errorCode:" + code + ";.*", 20000));
    restore.dismiss();
    QVERIFY(QFile::rename(served + ".away", served));
    QVERIFY(clearLogs());
    QVERIFY(run.click(mainButton));
    QVERIFY(waitForReport(again, 20000));
}

QTEST_MAIN(tst_installflow)
#include "tst_installflow.moc"

#include "download/resumerecord.h"
#include "window/windowharness.h"

#include <QDeadlineTimer>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QScopeGuard>

// The real program installing the sample game from a local service of this test's own, whose package host is slowed so
// a download can be paused and killed. SCREENSHOT_DIR=docs also saves the window in each state.
class tst_installflow : public QObject
{
    Q_OBJECT
    VirtualScreen screen;
    const QString serviceDir = qEnvironmentVariable("LOCAL_SERVICE_DIR");
    QString served, package;         // the package as the service has it, and its name
    QHash<QString, qint64> logStart; // where the logs are read from
    const QSize pathDialog{740, 536};
    const QPoint mainButton{169, 659};
    const QSize message{460, 300};

    static QString runTool(const QString &program, const QStringList &arguments)
    {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(program, arguments);
        tool.waitForFinished(600000);
        return QString::fromLocal8Bit(tool.readAll()) + (tool.exitCode() == 0 ? "" : "\nexit code != 0");
    }

    // A process under the game's program name, which the installer must find running.
    static bool startPretendGame(QProcess &game, const LauncherUser &user)
    {
        const QString program = user.root.path() + "/" + serviceValue("GAME_ENTRY");
        QFile::copy("/bin/sleep", program);
        game.start(program, {"100"});
        return game.waitForStarted();
    }

    static QString recordedVersion(const QString &folder)
    {
        return QSettings(folder + "/config.ini", QSettings::IniFormat).value("game_version").toString();
    }

    QByteArray logged(const QString &name) const
    {
        QFile log(serviceDir + "/logs/" + name);
        return log.open(QIODevice::ReadOnly) && log.seek(logStart.value(name)) ? log.readAll() : QByteArray();
    }

    void forgetLogs() // what the logs hold so far
    {
        for (const char *name : {"reports.log", "ranges.log"})
            logStart[name] = QFileInfo(serviceDir + "/logs/" + name).size();
    }

    QStringList reports(const QString &pattern = QString()) const
    {
        QStringList lines;
        for (const QByteArray &line : logged("reports.log").split('\n'))
            if (line.startsWith("action="))
                lines << QUrl::fromPercentEncoding(line.mid(7));
        return lines.filter(QRegularExpression(pattern));
    }

    bool waitForReport(const QString &action, int timeoutMs = 120000)
    {
        return QTest::qWaitFor([&] { return !reports("^" + action + "(&|;|$)").isEmpty(); }, timeoutMs);
    }

    // The package host answers 404 until the guard goes.
    auto hidePackage() const
    {
        QFile::rename(served, served + ".away"); // else a check on the host fails
        return qScopeGuard([this] { QFile::rename(served + ".away", served); });
    }

    // Taken once two pictures in a row are the same: the window has drawn its state. A moving progress bar never
    // holds still: the last one stays.
    void shot(const QString &name)
    {
        const QString folder = qEnvironmentVariable("SCREENSHOT_DIR"), path = QDir(folder).filePath(name + ".png");
        QByteArray last, now;
        for (int grab = 0; !folder.isEmpty() && grab < 10 && (grab == 0 || now != last); ++grab) {
            last = now;
            screen.run("import", {"-window", "root", "-crop", "1280x730+0+0", "-strip", path});
            QFile picture(path);
            now = picture.open(QIODevice::ReadOnly) ? picture.readAll() : QByteArray();
        }
    }

    bool startLauncher(LauncherRun &run, bool clickInstall, const QString &language = "en_US.UTF-8")
    {
        run.environment.insert("AURELITH_SAMPLE_SECONDS", "1");
        run.environment.remove("LC_ALL");
        run.environment.insert("LANG", language);
        forgetLogs();
        if (!run.startSettled() || !waitForReport("GAME_LOADER_CHECK_UPDATE_FINISH", 60000))
            return false;
        // Kept: the window shows no sign from outside when it takes a click. Clicked at once, a run in a few lost it
        // (waiting for the screen to hold still, or for every version check to be answered, did not help).
        QTest::qWait(1000);
        return !clickInstall || run.click(mainButton);
    }

    // One message per failure report, each closed in turn; the report comes after.
    void closeMessagesReporting(const LauncherRun &run, const QString &code)
    {
        QVERIFY(!run.findWindow(message, 120000).isEmpty());
        QVERIFY(reports("GAME_LOADER_ERROR").isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(run.findWindow(message).isEmpty() || (run.click({129, 224}, message), false), 30000);
        QVERIFY(waitForReport("GAME_LOADER_ERROR&.*errorCode:" + code + ";.*", 20000));
    }

    // The install folder holds what `7z x` makes of the package, and its record names the version.
    void verifyInstalled(const QString &folder)
    {
        QTemporaryDir reference;
        QVERIFY(!runTool("7z", {"x", "-y", "-o" + reference.path(), served}).contains("exit code"));
        QCOMPARE(runTool("diff", {"-r", "-x", "config.ini", reference.path(), folder}), QString());
        QCOMPARE(recordedVersion(folder), serviceValue("PACKAGE_VERSION"));
    }

private slots:
    void initTestCase()
    {
        const QString script = TestPaths::sourceDir() + "/tools/local-service.sh";
        QVERIFY2(!runTool("bash", {script, "start"}).contains("exit code"), "local service did not start");
        served = serviceValue("PACKAGE_FILE");
        package = served.section('/', -1);
        // Package bytes at 1 MiB/s a connection (nginx lets each request have a second's worth at once), and every
        // package request's Range in a log of its own.
        const QString edit = "s|log_format report|log_format ranges '$request_method $uri $http_range';\\n&|;"
                             "s|location /packages/ { }|location /packages/ { limit_rate 1m; access_log " +
                             serviceDir + "/logs/ranges.log ranges; }|";
        const QString conf = serviceDir + "/nginx.conf", errors = serviceDir + "/logs/error.log";
        QVERIFY(runTool("sed", {"-i", edit, conf}).isEmpty());
        forgetLogs();
        QVERIFY(!runTool("nginx", {"-p", serviceDir, "-c", conf, "-e", errors, "-s", "reload"}).contains("exit code"));
        // nginx takes the configuration after the command returns: a probe to each logged location (no report, no
        // package) shows when it has.
        const QString base = serviceValue("LOCAL_SERVICE_URL");
        const auto probed = [&] {
            runTool("curl", {"-s", "-o", "/dev/null", base + "/client_report?probe=1", "-o", "/dev/null",
                             base + "/packages/log-probe"});
            return logged("reports.log").contains("probe=1") && logged("ranges.log").contains("/packages/log-probe");
        };
        QVERIFY(QTest::qWaitFor(probed, 20000));
    }

    void cleanupTestCase() { runTool("bash", {TestPaths::sourceDir() + "/tools/local-service.sh", "stop"}); }

    void installsThroughKillAndResume()
    {
        LauncherUser user;
        const QString folder = user.root.path() + "/选择的 folder";
        const QString recordFile = user.home() + "/xdg_config_home/Tavoro/Aurelith Launcher.conf";
        {
            LauncherRun run(screen, user);
            QVERIFY(startLauncher(run, false));
            shot("install-offered");
            // "修改安装路径" follows the shown path, whose width the scene's font decides.
            QFont font("微软雅黑", -1, QFont::Light);
            font.setPixelSize(14);
            const qreal pathWidth = QFontMetricsF(font).horizontalAdvance(user.home() + "/Games/Aurelith");
            QVERIFY(run.click({int(365 + pathWidth + 40), 656}));
            const QRect dialog = run.findWindow(pathDialog, 20000);
            QVERIFY(!dialog.isEmpty());
            shot("install-pathdialog");
            const QPoint edit = dialog.topLeft() + QPoint(460, 232);
            // xdotool types a character the keymap lacks by remapping a spare key for it; typed quickly on a busy
            // machine, the program can read the next character's mapping instead. So the Chinese part goes slowly.
            const QString chinese = QStringLiteral("选择的");
            const int at = folder.indexOf(chinese);
            screen.run("xdotool", {"mousemove", QString::number(edit.x()), QString::number(edit.y()), "click", "1",
                                   "key", "ctrl+a", "BackSpace", "type", "--delay", "20", folder.left(at)});
            screen.run("xdotool", {"type", "--delay", "400", chinese});
            screen.run("xdotool", {"type", "--delay", "20", folder.mid(at + chinese.size())});
            QVERIFY(run.click({508, 424}, pathDialog));

            QVERIFY(waitForReport("GAME_LOADER_DOWNLOAD_INSTALL_GAME"));
            shot("install-downloading");
            // Paused once the first slice has bytes on disk and in the record, and the helper fetched alongside is
            // unpacked.
            const auto recorded = [&] {
                return QSettings(recordFile, QSettings::IniFormat).value(package + "/0").toLongLong();
            };
            const QString helper = user.root.path() + "/bin/AurelithHelper/AurelithHelper.exe";
            QTRY_VERIFY_WITH_TIMEOUT(recorded() > 0 && QFile::exists(helper), 30000);
            QVERIFY(run.click({851, 665}));
            QVERIFY(waitForReport("GAME_LOADER_PAUSE_DOWNLOAD&.*action:暂停下载"));
            shot("install-paused");
            // Continued in the same run, the transfer goes on from the paused byte (the request is logged when it ends:
            // at the kill below).
            const qint64 pausedAt = recorded();
            QVERIFY(pausedAt > 0);
            QVERIFY(run.click({859, 673})); // away from the last click: no double click
            QVERIFY(waitForReport("GAME_LOADER_PAUSE_DOWNLOAD&.*action:继续下载"));
            run.process.kill();
            run.process.waitForFinished();
            QTRY_VERIFY_WITH_TIMEOUT(logged("ranges.log").contains(QString("bytes=%1-").arg(pausedAt).toUtf8()), 20000);
        }
        QSettings record(recordFile, QSettings::IniFormat);
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
        const QString took = QSettings(user.installerIni(), QSettings::IniFormat).value("game_install_path").toString();
        QVERIFY2(QFile::exists(folder + "/" + package + "_tmp"), qPrintable("installer's folder: " + took));
        QVERIFY(recordedVersion(folder).isEmpty());

        LauncherRun run(screen, user);
        QVERIFY(startLauncher(run, true));
        QVERIFY(waitForReport("GAME_LOADER_DOWNLOAD_INSTALL_GAME&.*resumeDownload:true"));
        // A second start brings the window to the front; the transfer and its strip go on, and the installed state is
        // not looked up over them.
        LauncherRun second(screen, user);
        second.start();
        QVERIFY(second.process.waitForFinished(30000));
        QCOMPARE(second.process.exitCode(), 255);
        QVERIFY(waitForReport("PROGRAM_HOME_DOWNLOADED"));
        QCOMPARE(reports("GAME_LOADER_CHECK_UPDATE_FINISH").size(), 1);
        QCOMPARE(reports("GAME_LOADER_DOWNLOAD_INSTALL_GAME").size(), 1);
        shot("install-verifying");
        QVERIFY(waitForReport("PROGRAM_HOME_INSTALL"));
        shot("install-installing");
        QVERIFY(waitForReport("PROGRAM_HOME_INSTALLED"));
        shot("install-start");
        // The plugin fetched during the first download runs quietly at this extraction.
        QVERIFY(run.printed("AurelithHelper ran with: /silent"));
        for (const QString &at : qAsConst(resumeAt))
            QVERIFY2(logged("ranges.log").contains(QString("GET /packages/%1 bytes=%2-").arg(package, at).toUtf8()),
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
        QVERIFY(run.printed("Aurelith 1.1.0 started in " + folder.toUtf8(), 20000));
    }

    void updatesThroughDiffPackage()
    {
        LauncherUser user;
        const QString folder = user.installFolder();
        QVERIFY(!runTool("7z", {"x", "-y", "-o" + folder, serviceValue("OLD_PACKAGE_FILE")}).contains("exit code"));
        QSettings(folder + "/config.ini", QSettings::IniFormat).setValue("game_version", serviceValue("OLD_VERSION"));
        QSettings(user.installerIni(), QSettings::IniFormat).setValue("game_install_path", folder);
        // The game runs when the update is to be unpacked: the player lets the installer end it.
        QProcess game;
        QVERIFY(startPretendGame(game, user));

        LauncherRun run(screen, user);
        QVERIFY(startLauncher(run, true));
        QVERIFY(waitForReport("GAME_LOADER_DOWNLOAD_UPDATE_GAME"));
        QVERIFY(!run.findWindow(message, 60000).isEmpty());
        shot("install-gamerunning");
        QVERIFY(run.click({331, 224}, message));
        QVERIFY(game.waitForFinished(20000));
        QVERIFY(waitForReport("PROGRAM_HOME_INSTALLED"));
        const QString diff = serviceValue("DIFF_PACKAGE_FILE").section('/', -1);
        QVERIFY(logged("ranges.log").contains("GET /packages/" + diff.toUtf8()));
        verifyInstalled(folder);
    }

    // A failed transfer, then a package whose digest is not the listed one (its message reads "[1004]:文件校验错误"):
    // after each, the install button starts a new download.
    void digestMismatchOffersInstallAgain()
    {
        const QString md5 = serviceValue("PACKAGE_MD5"), zeros(32, '0'), answer = serviceDir + "/www/api/resource.json";
        QVERIFY(runTool("sed", {"-i", "s/" + md5 + "/" + zeros + "/g", answer}).isEmpty());
        LauncherUser user;
        // The helper is there already: its download and unpacking stay out of this run.
        QVERIFY(QDir(user.root.path()).mkpath("bin/AurelithHelper"));
        LauncherRun run(screen, user);
        {
            const auto hidden = hidePackage();
            QVERIFY(startLauncher(run, true, "zh_CN.UTF-8"));
            closeMessagesReporting(run, "DOWNLOAD_NETWORK_GETHEADER_ERROR");
            if (QTest::currentTestFailed())
                return;
        }
        forgetLogs();
        QVERIFY(run.click(mainButton));
        QVERIFY(waitForReport("GAME_LOADER_DOWNLOAD_INSTALL_GAME", 20000));
        QVERIFY(!run.findWindow(message, 120000).isEmpty());
        shot("install-digesterror");
        QVERIFY(runTool("sed", {"-i", "s/" + zeros + "/" + md5 + "/g", answer}).isEmpty());
        QVERIFY(run.click({129, 224}, message));
        QVERIFY(waitForReport("GAME_LOADER_ERROR&.*errorCode:DOWNLOAD_MD5_ERROR;errorDesc:文件校验错误;", 20000));
        QVERIFY(waitForReport("PROGRAM_HOME_MD5", 20000));
        QVERIFY(!QFile::exists(user.home() + "/Games/Aurelith/" + package));
        forgetLogs();
        QVERIFY(run.click(mainButton));
        QVERIFY(waitForReport("GAME_LOADER_DOWNLOAD_INSTALL_GAME", 20000));
    }

    // Killed while the bulk data is being written, the next start finds the package complete. Its host answering 404,
    // it is checked and unpacked without a request to the host and without a network error. The game runs at first:
    // cancelling its warning unpacks nothing and gives the install button back. A file where a game's folder goes fails
    // the extraction: the button is back again.
    void killDuringExtractionNeedsNoHost()
    {
        LauncherUser user;
        const QString folder = user.installFolder();
        QSettings(user.installerIni(), QSettings::IniFormat).setValue("game_install_path", folder);
        {
            LauncherRun run(screen, user);
            QVERIFY(startLauncher(run, true));
            // Polled with the event loop running, so the program's output goes on being read.
            const QFileInfo bulk(folder + "/Halvest_Data/Resources/sharedassets0.assets");
            for (QDeadlineTimer deadline(120000); !QFileInfo::exists(bulk.filePath()) && !deadline.hasExpired();)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            run.process.kill();
            run.process.waitForFinished();
            QVERIFY(bulk.exists());
            QVERIFY(recordedVersion(folder).isEmpty());
        }
        QFile blocker(folder + "/Halvest_Data/StreamingAssets");
        QVERIFY(QDir(blocker.fileName()).removeRecursively() && blocker.open(QIODevice::WriteOnly));
        const auto unpacked = [&] { return runTool("ls", {"-lR", "--full-time", "--ignore=config.ini", folder}); };
        const auto hostAsked = [&] { return logged("ranges.log").contains("/packages/" + package.toUtf8()); };
        LauncherRun run(screen, user);
        {
            const auto hidden = hidePackage();
            QProcess game;
            QVERIFY(startPretendGame(game, user));
            QVERIFY(startLauncher(run, false));
            const QString before = unpacked();
            QVERIFY(run.click(mainButton));
            QVERIFY(!run.findWindow(message, 60000).isEmpty());
            QVERIFY(run.click({129, 224}, message));
            QTRY_VERIFY_WITH_TIMEOUT(run.findWindow(message).isEmpty(), 10000);
            QCOMPARE(unpacked(), before);
            game.kill();
            game.waitForFinished();
            QVERIFY(run.click(mainButton));
            closeMessagesReporting(run, "SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR");
            if (QTest::currentTestFailed())
                return;
            QVERIFY(!hostAsked());
            QVERIFY(reports("GAME_LOADER_DOWNLOAD_").isEmpty());
            QVERIFY(!reports("GAME_LOADER_CHECK_MD5_FINISH").isEmpty());

            QVERIFY(blocker.remove());
            forgetLogs();
            QVERIFY(run.click(mainButton));
            QVERIFY2(waitForReport("PROGRAM_HOME_INSTALLED"), qPrintable(reports().join(' ')));
            QCOMPARE(reports("^PROGRAM_HOME_INSTALL(&|;|$)").size(), 1);
            QVERIFY2(!hostAsked(), logged("ranges.log").constData());
            QVERIFY(reports("GAME_LOADER_ERROR").isEmpty());
            QVERIFY(run.findWindow(message).isEmpty());
        }
        verifyInstalled(folder);
    }
};

QTEST_MAIN(tst_installflow)
#include "tst_installflow.moc"

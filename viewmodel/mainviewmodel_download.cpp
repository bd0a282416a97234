#include "viewmodel/mainviewmodel.h"

#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"
#include "setup/setupmanager.h"
#include "viewmodel/gameprocess.h"
#include "viewmodel/packagechoice.h"
#include "viewmodel/progresstexts.h"
#include "viewmodel/sceneaccess.h"
#include "viewmodel/stallwatch.h"

#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QProcess>

namespace {

qint64 nowSecs()
{
    return QDateTime::currentSecsSinceEpoch();
}

void sendReport(StatusReport::StatusType type, const StatusReport::Fields &fields = {})
{
    StatusReport::instance()->report(type, fields.isEmpty() ? nullptr : &fields);
}

StatusReport::Fields costTimeSince(qint64 startSecs)
{
    return {{QStringLiteral("costTime"), QStringLiteral("%1").arg(nowSecs() - startSecs)}};
}

} // namespace

void MainViewModel::beginInstall()
{
    if (gameState == STATE_NOT_INSTALLED)
        configureGamePackage(true);
}

// LAUNCHER_STALL_LOG=1 writes how long the install took and the longest the
// GUI thread was kept from its events meanwhile (for bench/install.sh).
void MainViewModel::watchStallsWhenAsked()
{
    if (qEnvironmentVariableIsEmpty("LAUNCHER_STALL_LOG"))
        return;
    if (!stallWatch)
        stallWatch = new StallWatch(this);
    stallWatch->restart();
}

void MainViewModel::updateBtnClicked()
{
    configureGamePackage(false);
}

void MainViewModel::configureGamePackage(bool isInstall)
{
    // Runs before the state leaves 9, so an error during the check stops the dots too.
    connect(this, &MainViewModel::gameStateChanged, this, &MainViewModel::stopVerifyTipOutsideVerifying,
            Qt::UniqueConnection);
    lastProgress = StageProgress::kNone;
    watchStallsWhenAsked();
    const PackageChoice package = PackageChoice::forVersion(*updateInfo, ConfigSettings::instance()->getGameVersion());
    const QString folder = fullInstallPath();
    gameDownloader->setFilePath(folder);
    gameDownloader->setFileMD5(package.md5);
    gameSetup->setZipFilePath(folder);
    gameSetup->setZipFileName(package.fileName);
    packageFilePath = package.fileName.isEmpty() ? QString() : folder + QLatin1Char('/') + package.fileName;
    configurePlugin();
    const bool complete = !packageFilePath.isEmpty() && QFileInfo(packageFilePath).isFile();
    // A downloader that finished before still wants to download: the size
    // answer would fetch the package again under the extraction.
    if (complete)
        gameDownloader->stopDownlaod();
    // Also for a package found complete: a mismatching digest makes the
    // downloader delete the file its address names. Only a download asks the
    // size: the host's answer is no concern of a package already here.
    complete ? gameDownloader->nameByUrl(package.url) : gameDownloader->setUrl(package.url);
    if (!complete) {
        startGameDownload(isInstall);
    } else if (packageFilePath == verifiedPackagePath) {
        startGameSetup();
    } else {
        verifyCompletePackage();
    }
}

// A package found complete on disk may be a leftover of anything; only a
// package whose digest matched is ever unpacked.
void MainViewModel::verifyCompletePackage()
{
    lastProgress = StageProgress::kNone;
    phaseStartSecs = nowSecs();
    setGameState(STATE_VERIFYING);
    verifyTipTimer.start();
    gameDownloader->fileMd5(packageFilePath);
}

void MainViewModel::startGameDownload(bool isInstall)
{
    lastProgress = StageProgress::kNone;
    // Set before the start: a download found complete may finish at once.
    phaseStartSecs = nowSecs();
    downloadRate.restart(phaseStartSecs);
    setGameState(STATE_DOWNLOADING);
    gameDownloader->startDownload();
    checkPlugin(false);
    const StatusReport::Fields fields{
        {QStringLiteral("resumeDownload"), isDownloadNotComplated() ? QStringLiteral("true") : QStringLiteral("false")},
        {QStringLiteral("downloaded"),
         ProgressTexts::downloadedField(gameDownloader->getDownloadedSize(), gameDownloader->getTotalSize())}};
    sendReport(isInstall ? StatusReport::GAME_LOADER_DOWNLOAD_INSTALL_GAME
                         : StatusReport::GAME_LOADER_DOWNLOAD_UPDATE_GAME,
               fields);
}

void MainViewModel::onDownloadProgress(qint64 bytesRead, qint64 totalBytes)
{
    const qint64 now = nowSecs();
    double speed = 0.0;
    if (downloadRate.sample(bytesRead, now, &speed)) {
        const SceneAccess scene(rootObject);
        const qint64 remaining = totalBytes - bytesRead;
        scene.write(QStringLiteral("download_percentage"), "text", ProgressTexts::downloading(bytesRead, totalBytes));
        scene.write(QStringLiteral("download_speed"), "text", ProgressTexts::speed(speed, remaining));
        scene.write(QStringLiteral("task_needtime"), "text", ProgressTexts::remainingTime(remaining, speed));
    }
    raiseProgress(bytesRead, totalBytes);
}

void MainViewModel::raiseProgress(qint64 done, qint64 total)
{
    if (!StageProgress::raise(lastProgress, done, total))
        return;
    progress = lastProgress;
    emit progressChanged();
}

void MainViewModel::pauseBtnClicked()
{
    // Outside the download there is nothing to pause; a "continue" then
    // would start the package afresh under the digest check or extraction.
    if (gameState != STATE_DOWNLOADING)
        return;
    const SceneAccess scene(rootObject);
    QString action;
    if (gameDownloader->isDownloading()) {
        gameDownloader->stopDownlaod();
        setPauseButtonPictures(scene, QStringLiteral("pause"));
        scene.write(QStringLiteral("download_speed"), "text", ProgressTexts::idleSpeed());
        scene.write(QStringLiteral("task_needtime"), "text", ProgressTexts::idleRemainingTime());
        action = QStringLiteral("暂停下载");
    } else {
        gameDownloader->startDownload();
        setPauseButtonPictures(scene, QStringLiteral("continue"));
        action = QStringLiteral("继续下载");
    }
    sendReport(StatusReport::GAME_LOADER_PAUSE_DOWNLOAD, {{QStringLiteral("action"), action}});
}

void MainViewModel::setPauseButtonPictures(const SceneAccess &scene, const QString &stem)
{
    const QString name = QStringLiteral("pauseDownloadBtn");
    scene.write(name, "nomal_Image", QStringLiteral("pic/%1_n.png").arg(stem));
    scene.write(name, "hover_Image", QStringLiteral("pic/%1_o.png").arg(stem));
    scene.write(name, "press_Image", QStringLiteral("pic/%1_d.png").arg(stem));
}

void MainViewModel::onDownloadFinished()
{
    setGameState(STATE_VERIFYING);
    sendReport(StatusReport::PROGRAM_HOME_DOWNLOADED, costTimeSince(phaseStartSecs));
    lastProgress = StageProgress::kNone;
    verifyTipTimer.start();
}

void MainViewModel::stopVerifyTipOutsideVerifying()
{
    if (gameState != STATE_VERIFYING)
        verifyTipTimer.stop();
}

void MainViewModel::onMd5CheckFinished()
{
    verifyTipTimer.stop();
    verifiedPackagePath = packageFilePath;
    setGameState(STATE_INSTALLING);
    lastProgress = StageProgress::kNone;
    sendReport(StatusReport::GAME_LOADER_CHECK_MD5_FINISH, costTimeSince(phaseStartSecs));
    startGameSetup();
}

void MainViewModel::startGameSetup()
{
    lastProgress = StageProgress::kNone;
    const QString exeName = gameExeName();
    if (GameProcess::isRunning(exeName)) {
        showMessageBox(
            tr("警告"), tr("游戏已启动，点击将关闭游戏，继续安装！"),
            [this, exeName](bool confirmed) {
                // After the kill the extraction runs: the state stays 7 rather
                // than offering install or start over a folder being written.
                if (confirmed) {
                    GameProcess::kill(exeName);
                    startGameSetup();
                } else {
                    refreshGameState();
                }
            },
            true);
        return;
    }
    checkPlugin(true);
    phaseStartSecs = nowSecs();
    setupRate.restart(phaseStartSecs);
    gameSetup->start(QThread::InheritPriority);
    setGameState(STATE_INSTALLING);
    sendReport(StatusReport::PROGRAM_HOME_INSTALL);
}

void MainViewModel::onSetupProgress(qint64 finishSize, qint64 totalSize)
{
    if (pluginSetupRunning)
        return;
    double speed = 0.0;
    if (setupRate.sample(finishSize, nowSecs(), &speed)) {
        const SceneAccess scene(rootObject);
        scene.write(QStringLiteral("setup_percentage"), "text", ProgressTexts::installing(finishSize, totalSize));
        scene.write(QStringLiteral("task_needtime"), "text",
                    ProgressTexts::remainingTime(totalSize - finishSize, speed));
    }
    raiseProgress(finishSize, totalSize);
}

void MainViewModel::onSetupFinished()
{
    lastProgress = StageProgress::kNone;
    // The plugin's run emits its finish on its own extractor, never on this
    // one: ignoring this while the plugin unpacks would lose the game's end
    // and leave the window installing for ever.
    // setupFinished comes only after every item was written and the delete
    // list was done, so the version is never recorded over a partial folder.
    verifiedPackagePath.clear();
    ConfigSettings::instance()->setGameVersion(updateInfo->version);
    gameVersion = updateInfo->version;
    emit versionChanged(gameVersion);
    refreshGameState();
    if (stallWatch)
        qInfo().noquote() << QStringLiteral("install flow: %1 ms, worst GUI stall %2 ms")
                                 .arg(stallWatch->elapsedMilliseconds())
                                 .arg(stallWatch->worstMilliseconds());
    sendReport(StatusReport::PROGRAM_HOME_INSTALLED, costTimeSince(phaseStartSecs));
}

QString MainViewModel::pluginName() const
{
    if (updateInfo->plugins.isEmpty())
        return QString();
    return UpdateVersionInfo::urlBaseName(updateInfo->plugins.first().value(QStringLiteral("path")).toString());
}

void MainViewModel::configurePlugin()
{
    if (updateInfo->plugins.isEmpty())
        return;
    const QVariantMap plugin = updateInfo->plugins.first();
    const QString address = plugin.value(QStringLiteral("path")).toString();
    const QString appDir = ConfigSettings::installerFolder();
    pluginDownloader->setUrl(QUrl(address, QUrl::TolerantMode));
    pluginDownloader->setFilePath(appDir);
    pluginDownloader->setFileMD5(plugin.value(QStringLiteral("md5")).toString());
    pluginSetup->setZipFilePath(appDir);
    pluginSetup->setZipFileName(UpdateVersionInfo::urlFileName(address));
}

void MainViewModel::checkPlugin(bool launch)
{
    const QString name = pluginName();
    // A name that is no plain file name would point at the installer's own folder.
    if (name.isEmpty())
        return;
    if (!QFileInfo(ConfigSettings::installerFolder() + QLatin1Char('/') + name).isDir()) {
        pluginDownloader->startDownload();
        return;
    }
    if (launch)
        launchPlugin();
}

void MainViewModel::launchPlugin()
{
    const QString name = pluginName();
    const QString program =
        ConfigSettings::installerFolder() + QLatin1Char('/') + name + QLatin1Char('/') + name + ".exe";
    QProcess::startDetached(program, {QStringLiteral("/silent")});
}

void MainViewModel::onPluginMd5CheckFinished()
{
    if (!pluginSetup)
        return;
    pluginSetupRunning = true;
    pluginSetup->start(QThread::InheritPriority);
}

void MainViewModel::onPluginSetupDone()
{
    pluginSetupRunning = false;
}

void MainViewModel::startGameBtnClicked()
{
    QProcess::startDetached(gameExePath(), {});
    sendReport(StatusReport::PROGRAM_HOME_OPEN);
}

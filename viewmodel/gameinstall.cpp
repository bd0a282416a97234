#include "viewmodel/gameinstall.h"

#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"
#include "setup/setupmanager.h"
#include "viewmodel/flowclock.h"
#include "viewmodel/gamestatus.h"
#include "viewmodel/installfolder.h"
#include "viewmodel/packagechoice.h"
#include "viewmodel/progresstexts.h"
#include "viewmodel/stallwatch.h"

#include <QDebug>
#include <QFileInfo>
#include <QProcess>

namespace {

void sendReport(StatusReport::StatusType type, const StatusReport::Fields &fields = {})
{
    StatusReport::instance()->report(type, fields.isEmpty() ? nullptr : &fields);
}

StatusReport::Fields costTime(qint64 seconds)
{
    return {{QStringLiteral("costTime"), QString::number(seconds)}};
}

} // namespace

GameInstall::GameInstall(const UpdateVersionInfo &info, GameStatus &status, InstallFolder &folder, Messages &messages,
                         const SceneAccess &scene, FlowClock &clock, QObject *parent)
    : QObject(parent)
    , info(info)
    , status(status)
    , folder(folder)
    , clock(clock)
    , game(setupmanager::sharedInstance())
    , plugin(info, ConfigSettings::installerFolder())
    , tip(scene, clock)
    , display(scene, clock)
    , errors(status, messages, display)
    , runningGame(messages)
{
    connectJob();
    connect(&errors, &InstallErrors::pageStale, this, &GameInstall::pageStale);
    connect(&display, &ProgressDisplay::changed, this, &GameInstall::progressChanged);
    // Runs before the state leaves 9, so an error during the check stops the dots too.
    connect(&status, &GameStatus::changed, this, &GameInstall::stopTipOutsideVerifying);
}

GameInstall::~GameInstall() = default;

void GameInstall::connectJob()
{
    connect(&game, &InstallJob::downloadProgress, &display, &ProgressDisplay::showDownload);
    connect(&game, &InstallJob::downloaded, this, &GameInstall::onDownloaded);
    connect(&game, &InstallJob::downloadFailed, &errors, &InstallErrors::downloadFailed);
    connect(&game, &InstallJob::httpFailed, &errors, &InstallErrors::httpFailed);
    connect(&game, &InstallJob::verified, this, &GameInstall::onVerified);
    connect(&game, &InstallJob::extractProgress, &display, &ProgressDisplay::showExtract);
    connect(&game, &InstallJob::extracted, this, &GameInstall::onExtracted);
    connect(&game, &InstallJob::extractFailed, &errors, &InstallErrors::extractFailed);
    connect(&game, &InstallJob::metaDataDismissed, this, &InstallErrors::reportMetaDataDismissed);
    connect(&game, &InstallJob::metaDataFailed, this, &InstallErrors::reportMetaDataFailed);
}

void GameInstall::install()
{
    if (status.state() == GameStatus::STATE_NOT_INSTALLED)
        configure(true);
}

void GameInstall::update()
{
    configure(false);
}

// LAUNCHER_STALL_LOG=1 writes how long the install took and the longest the
// GUI thread was kept from its events meanwhile (for bench/install.sh).
void GameInstall::watchStallsWhenAsked()
{
    if (qEnvironmentVariableIsEmpty("LAUNCHER_STALL_LOG"))
        return;
    if (!stallWatch)
        stallWatch = new StallWatch(this);
    stallWatch->restart();
}

void GameInstall::configure(bool isInstall)
{
    display.newStage();
    watchStallsWhenAsked();
    const PackageChoice package = PackageChoice::forVersion(info, ConfigSettings::instance()->getGameVersion());
    const QString path = folder.full();
    game.place(path, package.fileName, package.md5);
    packageFilePath = package.fileName.isEmpty() ? QString() : path + QLatin1Char('/') + package.fileName;
    plugin.configure();
    const bool complete = !packageFilePath.isEmpty() && QFileInfo(packageFilePath).isFile();
    // A downloader that finished before still wants to download: the size
    // answer would fetch the package again under the extraction.
    if (complete)
        game.stopDownload();
    // Also for a package found complete: a mismatching digest makes the
    // downloader delete the file its address names. Only a download asks the
    // size: the host's answer is no concern of a package already here.
    complete ? game.nameByUrl(package.url) : game.setUrl(package.url);
    if (!complete)
        startDownload(isInstall);
    else if (packageFilePath == verifiedPackagePath)
        startExtract();
    else
        verifyCompletePackage();
}

// A package found complete on disk may be a leftover of anything; only a
// package whose digest matched is ever unpacked.
void GameInstall::verifyCompletePackage()
{
    display.newStage();
    phaseStartSecs = clock.nowSecs();
    status.set(GameStatus::STATE_VERIFYING);
    tip.start();
    game.verify(packageFilePath);
}

void GameInstall::startDownload(bool isInstall)
{
    display.newStage();
    // Set before the start: a download found complete may finish at once.
    phaseStartSecs = clock.nowSecs();
    display.startDownload(phaseStartSecs);
    status.set(GameStatus::STATE_DOWNLOADING);
    game.startDownload();
    plugin.check(false);
    const StatusReport::Fields fields{
        {QStringLiteral("resumeDownload"), isDownloadNotComplated() ? QStringLiteral("true") : QStringLiteral("false")},
        {QStringLiteral("downloaded"), ProgressTexts::downloadedField(game.downloadedSize(), game.totalSize())}};
    sendReport(isInstall ? StatusReport::GAME_LOADER_DOWNLOAD_INSTALL_GAME
                         : StatusReport::GAME_LOADER_DOWNLOAD_UPDATE_GAME,
               fields);
}

bool GameInstall::isDownloadNotComplated() const
{
    if (folder.path().isEmpty())
        return false;
    const QString package = UpdateVersionInfo::urlFileName(info.getPackageUrl(status.installedVersion()).toString());
    return !package.isEmpty() && QFileInfo::exists(folder.filePath(package + QStringLiteral("_tmp")));
}

void GameInstall::pause()
{
    // Outside the download there is nothing to pause; a "continue" then
    // would start the package afresh under the digest check or extraction.
    if (!status.downloading())
        return;
    const bool pausing = game.isDownloading();
    if (pausing)
        game.stopDownload();
    else
        game.startDownload();
    display.showPaused(pausing);
    const QString action = pausing ? QStringLiteral("暂停下载") : QStringLiteral("继续下载");
    sendReport(StatusReport::GAME_LOADER_PAUSE_DOWNLOAD, {{QStringLiteral("action"), action}});
}

void GameInstall::onDownloaded()
{
    status.set(GameStatus::STATE_VERIFYING);
    sendReport(StatusReport::PROGRAM_HOME_DOWNLOADED, costTime(clock.nowSecs() - phaseStartSecs));
    display.newStage();
    tip.start();
}

void GameInstall::stopTipOutsideVerifying()
{
    if (status.state() != GameStatus::STATE_VERIFYING)
        tip.stop();
}

void GameInstall::onVerified()
{
    tip.stop();
    verifiedPackagePath = packageFilePath;
    status.set(GameStatus::STATE_INSTALLING);
    display.newStage();
    sendReport(StatusReport::GAME_LOADER_CHECK_MD5_FINISH, costTime(clock.nowSecs() - phaseStartSecs));
    startExtract();
}

void GameInstall::startExtract()
{
    display.newStage();
    // After the kill the extraction runs: the state stays 7 rather than
    // offering install or start over a folder being written.
    if (!runningGame.allowsInstall(
            status.exeName(), [this] { startExtract(); }, [this] { status.refresh(); }))
        return;
    plugin.check(true);
    phaseStartSecs = clock.nowSecs();
    display.startExtract(phaseStartSecs);
    game.extract();
    status.set(GameStatus::STATE_INSTALLING);
    sendReport(StatusReport::PROGRAM_HOME_INSTALL);
}

void GameInstall::onExtracted()
{
    display.newStage();
    // The game's extractor ends only after every item was written and the
    // delete list was done, so the version is never recorded over a partial folder.
    verifiedPackagePath.clear();
    status.recordInstalledVersion(info.version);
    status.refresh();
    if (stallWatch)
        qInfo().noquote() << QStringLiteral("install flow: %1 ms, worst GUI stall %2 ms")
                                 .arg(stallWatch->elapsedMilliseconds())
                                 .arg(stallWatch->worstMilliseconds());
    sendReport(StatusReport::PROGRAM_HOME_INSTALLED, costTime(clock.nowSecs() - phaseStartSecs));
}

void GameInstall::quit()
{
    game.stopDownload();
    game.stopExtracting();
}

void GameInstall::startGame()
{
    QProcess::startDetached(status.exePath(), {});
    sendReport(StatusReport::PROGRAM_HOME_OPEN);
}

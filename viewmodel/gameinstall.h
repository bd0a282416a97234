#pragma once

#include "viewmodel/installerrors.h"
#include "viewmodel/installjob.h"
#include "viewmodel/plugininstall.h"
#include "viewmodel/progressdisplay.h"
#include "viewmodel/runninggame.h"
#include "viewmodel/verifytip.h"

#include <QObject>
#include <QString>

class FlowClock;
class GameStatus;
class InstallFolder;
class Messages;
class SceneAccess;
class StallWatch;
class UpdateVersionInfo;

// The game's package from the press of install or update to the installed
// version: download (with pause), digest check, a running game ended,
// extraction; the plugin goes along as a job of its own.
class GameInstall : public QObject
{
    Q_OBJECT

public:
    GameInstall(const UpdateVersionInfo &info, GameStatus &status, InstallFolder &folder, Messages &messages,
                const SceneAccess &scene, FlowClock &clock, QObject *parent = nullptr);
    ~GameInstall() override;

    float progress() const { return display.value(); }
    // Installs when nothing is installed; update() brings the installed version up.
    void install();
    void update();
    void pause();
    void quit();
    void startGame();
    // A partial download of the package for the installed version is waiting.
    bool isDownloadNotComplated() const;
    VerifyTip &verifyTip() { return tip; }

signals:
    void progressChanged();
    // A failed download leaves the page as the last answer made it.
    void pageStale();

private:
    void configure(bool isInstall);
    void verifyCompletePackage();
    void startDownload(bool isInstall);
    void onDownloaded();
    void onVerified();
    void startExtract();
    void onExtracted();
    void stopTipOutsideVerifying();
    void watchStallsWhenAsked();
    void connectJob();

    const UpdateVersionInfo &info;
    GameStatus &status;
    InstallFolder &folder;
    FlowClock &clock;
    InstallJob game;
    PluginInstall plugin;
    VerifyTip tip;
    ProgressDisplay display;
    InstallErrors errors;
    RunningGame runningGame;
    qint64 phaseStartSecs = 0;
    // The package being installed and the one whose digest matched in this run.
    QString packageFilePath;
    QString verifiedPackagePath;
    StallWatch *stallWatch = nullptr;
};

#pragma once

#include "common/errordefine.h"
#include "viewmodel/ratemeter.h"
#include "viewmodel/stageprogress.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class CSetInstallPathDialog;
class QWidget;
class HttpRequestAPI;
class UpdateVersionInfo;
class downloadmanager;
class setupmanager;
class SceneAccess;
class StallWatch;

// The controller behind the QML scene ("mainViewModel"). The scene looks its
// properties, signals and methods up by name and relies on their order, so the
// declarations below are a contract: add nothing to the meta-object in between.
// Flows live in their own sources: mainviewmodel_updatecheck.cpp,
// _installpath.cpp, _messages.cpp, _window.cpp and _download.cpp.
class MainViewModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString updateShowVersion READ updateShowVersion NOTIFY gameStateChanged)
    Q_PROPERTY(float progress READ getProgress NOTIFY progressChanged)
    Q_PROPERTY(bool startGameEnable READ startGameEnable NOTIFY gameStateChanged)
    Q_PROPERTY(bool startGameVisible READ startGameVisible NOTIFY gameStateChanged)
    Q_PROPERTY(bool updateEnable READ updateEnable NOTIFY gameStateChanged)
    Q_PROPERTY(bool installEnable READ installEnable NOTIFY gameStateChanged)
    Q_PROPERTY(bool downloading READ isDownloading NOTIFY gameStateChanged)
    Q_PROPERTY(bool setupGameing READ setupGameing NOTIFY gameStateChanged)
    Q_PROPERTY(bool isDownloadNotComplated READ isDownloadNotComplated NOTIFY gameStateChanged)
    Q_PROPERTY(QString installPath READ getInstallPath WRITE setInstallPath NOTIFY installPathChanged)
    Q_PROPERTY(QString bgPath READ bgPath NOTIFY bgPathChanged)
    Q_PROPERTY(QString mainBgUrl READ mainBgUrl NOTIFY mainBgResChanged)
    Q_PROPERTY(QString versionTitle READ versionTitle NOTIFY versionTitleChanged)
    Q_PROPERTY(QString versionDesc READ versionDesc NOTIFY versionDescChanged)
    Q_PROPERTY(QString versionTitleColor READ versionTitleColor NOTIFY versionTitleColorChanged)
    Q_PROPERTY(QString versionDescColor READ versionDescColor NOTIFY versionDescColorChanged)

public:
    enum GameState {
        STATE_UNKNOWN = 0,
        STATE_CHECKING = 1,
        STATE_NOT_INSTALLED = 2,
        STATE_INSTALLED = 3,
        STATE_UPDATE_AVAILABLE = 4,
        STATE_UNUSED = 5,
        STATE_DOWNLOADING = 6,
        STATE_INSTALLING = 7,
        STATE_CHECK_FAILED = 8,
        STATE_VERIFYING = 9,
    };

    using ConfirmAction = std::function<void(bool)>;

    explicit MainViewModel(QObject *parent = nullptr);
    ~MainViewModel() override;

    void initialise();
    void setRootObject(QObject *root);
    void setLanguageCode(const QString &code);

    // Property reads.
    QString updateShowVersion();
    float getProgress() const { return progress; }
    bool startGameEnable() const;
    bool startGameVisible() const;
    bool updateEnable() const;
    bool installEnable() const;
    bool isDownloading() const;
    bool setupGameing() const;
    QString getInstallPath();
    void setInstallPath(const QString &path);
    QString bgPath() const;
    QString mainBgUrl() const;
    QString versionTitle() const;
    QString versionDesc() const;
    QString versionTitleColor() const;
    QString versionDescColor() const;

signals:
    void versionChanged(QString version);
    void progressChanged();
    void gameStateChanged();
    void installPathChanged();
    void bgPathChanged(QString path);
    void mainBgResChanged();
    void versionTitleChanged(QString text);
    void versionDescChanged(QString text);
    void versionTitleColorChanged(QString text);
    void versionDescColorChanged(QString text);

public slots:
    void handleMessage(QString message);
    void startInstall();
    void UpdateInstallPath(QString strPath);
    void onDlgYesNoConfirmClicked(bool value);
    void UpdateCheckMd5Tip();
    void onGlobalMetaDataDismiss();
    void onGlobalMetaDataError();

public:
    Q_INVOKABLE void startGameBtnClicked();
    Q_INVOKABLE void updateBtnClicked();
    Q_INVOKABLE void changeInstallPathBtnClicked();
    Q_INVOKABLE void pauseBtnClicked();
    Q_INVOKABLE void installEnsureBtnClicked();
    Q_INVOKABLE void onGeneralDialogConfirmClicked(bool value);
    Q_INVOKABLE void onApplicationQuit();
    Q_INVOKABLE void onOpenWebsiteClick();
    Q_INVOKABLE void onOpenbbsClick();
    Q_INVOKABLE bool isDownloadNotComplated();
    Q_INVOKABLE void UpdateInfoByHttp();
    Q_INVOKABLE void btnExitClick();
    Q_INVOKABLE void appInfoAreaClick();
    Q_INVOKABLE void singleReloadWeb();
    Q_INVOKABLE QString btnMoreActiveJumpUrl();

    // Launcher queries (mainviewmodel_updatecheck.cpp).
    QString makeApiUrl(bool isResource) const;
    void requestGameRes();
    void requestLauncherContent();
    void onGameResAnswer(bool ok, const QByteArray &body, const QString &errorText, int status);
    void onLauncherContentAnswer(bool ok, const QByteArray &body, const QString &errorText, int status);
    void checkInstallerVersion();

    // Install folder (mainviewmodel_installpath.cpp).
    void refreshGameState();
    QString fullInstallPath();
    QString gameExeName() const;
    QString gameExePath(const QString &folder = QString());
    bool isPackageDownloaded();
    void resolveInstallFolder();

    // Messages (mainviewmodel_messages.cpp).
    void showMessageBox(const QString &title, const QString &text, ConfirmAction action, bool withCancel);
    void onDownloadError(ErrorDefine::ErrorCode error, QString msg);
    void onHttpError(ErrorDefine::ErrorCode error, QString msg);
    void onSetupError(ErrorDefine::ErrorCode error, QString msg);

    // Page and window (mainviewmodel_window.cpp).
    void applyPageContent();
    void startBgImageDownload();
    void onBgImageDownloaded();
    void onActivityIconDownloaded();

    // Download and install (mainviewmodel_download.cpp).
    void beginInstall();
    void configureGamePackage(bool isInstall);
    void startGameDownload(bool isInstall);
    void startGameSetup();
    void configurePlugin();
    void checkPlugin(bool launch);
    void launchPlugin();
    void onDownloadProgress(qint64 bytesRead, qint64 totalBytes);
    void onDownloadFinished();
    void onMd5CheckFinished();
    void onSetupProgress(qint64 finishSize, qint64 totalSize);
    void onSetupFinished();
    void onPluginMd5CheckFinished();
    void onPluginSetupDone();

    // The state the boolean properties derive from; the flows set it, and a
    // test can put the controller into any state without a window.
    void setGameState(GameState state, bool notify = true);

private:
    void verifyCompletePackage();
    void raiseProgress(qint64 done, qint64 total);
    void setPauseButtonPictures(const SceneAccess &scene, const QString &stem);
    void stopVerifyTipOutsideVerifying();
    QString pluginName() const;
    void watchStallsWhenAsked();
    void connectGamePipeline();
    void connectPluginPipeline();
    void readInstalledVersion();
    ConfirmAction gameResRetry();
    ConfirmAction launcherContentRetry();
    void gameResFailed(const QString &errorText);
    void launcherContentFailed(const QString &errorText);
    void applyLauncherContent(const QByteArray &body);
    bool stillChecking() const;
    bool settleInstallFolder();
    void refuseInstallFolder(const QString &text, const QString &error);
    void centreOverRoot(QWidget *dialog) const;
    int runOverMask(const std::function<int()> &runModal);

    float lastProgress = StageProgress::kNone;
    QTimer verifyTipTimer;
    bool webReloadArmed = true;
    QString languageCode = QStringLiteral("en");
    QString gameVersion;
    float progress = 0.0f;
    QString installPath;
    int gameResRetryCount = 0;
    int launcherRetryCount = 0;
    qint64 phaseStartSecs = 0;
    QObject *rootObject = nullptr;
    GameState gameState = STATE_UNKNOWN;
    HttpRequestAPI *gameResClient = nullptr;
    HttpRequestAPI *launcherClient = nullptr;
    UpdateVersionInfo *updateInfo = nullptr;
    downloadmanager *gameDownloader = nullptr;
    downloadmanager *pluginDownloader = nullptr;
    setupmanager *gameSetup = nullptr;
    setupmanager *pluginSetup = nullptr;
    bool pluginSetupRunning = false;
    downloadmanager *bgImageDownloader = nullptr;
    downloadmanager *activityIconDownloader = nullptr;
    CSetInstallPathDialog *installPathDialog = nullptr;
    ConfirmAction pendingConfirmAction;
    // Download and install: speed per stage, the package being installed and
    // the one whose digest matched in this run.
    RateMeter downloadRate;
    RateMeter setupRate;
    QString packageFilePath;
    QString verifiedPackagePath;
    StallWatch *stallWatch = nullptr;
};

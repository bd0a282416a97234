#include "viewmodel/mainviewmodel.h"

#include "app/language.h"
#include "dialogs/csetinstallpathdialog.h"
#include "download/downloadmanager.h"
#include "net/httprequestapi.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"
#include "setup/setupmanager.h"
#include "viewmodel/sceneaccess.h"

#include <QWidget>
#include <QWindow>

namespace {

// startGameVisible: states 1, 3, 6, 7 and 9.
constexpr unsigned kStartVisibleMask = 714;

} // namespace

MainViewModel::MainViewModel(QObject *parent)
    : QObject(parent)
{}

MainViewModel::~MainViewModel()
{
    delete gameResClient;
    gameResClient = nullptr;
    delete updateInfo;
    updateInfo = nullptr;
    delete gameDownloader;
    gameDownloader = nullptr;
    delete pluginDownloader;
    pluginDownloader = nullptr;
    if (pluginSetup) {
        // A plugin extraction may still run; its thread must end before it goes.
        pluginSetup->wait();
        delete pluginSetup;
        pluginSetup = nullptr;
    }
    delete bgImageDownloader;
    bgImageDownloader = nullptr;
    delete activityIconDownloader;
    activityIconDownloader = nullptr;
    delete installPathDialog;
    installPathDialog = nullptr;
    delete launcherClient;
    launcherClient = nullptr;
    if (gameSetup && gameSetup->isRunning())
        gameSetup->quit();
}

void MainViewModel::setLanguageCode(const QString &code)
{
    languageCode = code;
}

void MainViewModel::initialise()
{
    if (!currentLanguage().isEmpty())
        languageCode = currentLanguage();
    // The reporter reads the language once, when the first report makes it.
    StatusReport::setClientLanguage(languageCode);
    StatusReport::instance()->report(StatusReport::PROGRAM_OPEN_OPEN);
    ConfigSettings::applyProxyChoice(ConfigSettings::installerIniPath());

    updateInfo = new UpdateVersionInfo();
    gameDownloader = new downloadmanager();
    gameSetup = setupmanager::sharedInstance();
    connectGamePipeline();
    pluginDownloader = new downloadmanager();
    pluginSetup = new setupmanager();
    connectPluginPipeline();

    verifyTipTimer.setInterval(1000);
    connect(&verifyTipTimer, &QTimer::timeout, this, &MainViewModel::UpdateCheckMd5Tip);

    installPath = ConfigSettings::instance()->getGameInstallPath();

    bgImageDownloader = new downloadmanager();
    connect(bgImageDownloader, &downloadmanager::downloadFinished, this, &MainViewModel::onBgImageDownloaded);
    activityIconDownloader = new downloadmanager();
    connect(activityIconDownloader, &downloadmanager::downloadFinished, this, &MainViewModel::onActivityIconDownloaded);

    requestGameRes();
    requestLauncherContent();
}

void MainViewModel::connectGamePipeline()
{
    connect(gameDownloader, &downloadmanager::downloadReplyProgress, this, &MainViewModel::onDownloadProgress);
    connect(gameDownloader, &downloadmanager::downloadFinished, this, &MainViewModel::onDownloadFinished);
    connect(gameDownloader, &downloadmanager::downloadError, this, &MainViewModel::onDownloadError);
    connect(gameDownloader, &downloadmanager::httpError, this, &MainViewModel::onHttpError);
    connect(gameDownloader, &downloadmanager::md5CheckFinish, this, &MainViewModel::onMd5CheckFinished);
    connect(gameSetup, &setupmanager::setupProgress, this, &MainViewModel::onSetupProgress);
    connect(gameSetup, &setupmanager::setupFinished, this, &MainViewModel::onSetupFinished);
    connect(gameSetup, &setupmanager::setupError, this, &MainViewModel::onSetupError);
    connect(gameSetup, &setupmanager::globalMetaDataDismiss, this, &MainViewModel::onGlobalMetaDataDismiss);
    connect(gameSetup, &setupmanager::globalMetaDataError, this, &MainViewModel::onGlobalMetaDataError);
}

void MainViewModel::connectPluginPipeline()
{
    // The plugin is best effort: its progress and failures are not shown.
    connect(pluginDownloader, &downloadmanager::md5CheckFinish, this, &MainViewModel::onPluginMd5CheckFinished);
    connect(pluginSetup, &setupmanager::setupFinished, this, &MainViewModel::onPluginSetupDone);
    connect(pluginSetup, &setupmanager::setupError, this, &MainViewModel::onPluginSetupDone);
    connect(pluginSetup, &setupmanager::setupUnzipFilePath, this, &MainViewModel::onPluginSetupDone);
}

void MainViewModel::setRootObject(QObject *root)
{
    rootObject = root;
}

void MainViewModel::setGameState(GameState state, bool notify)
{
    gameState = state;
    if (notify)
        emit gameStateChanged();
}

bool MainViewModel::startGameEnable() const
{
    return gameState == STATE_INSTALLED;
}

bool MainViewModel::startGameVisible() const
{
    return gameState <= STATE_VERIFYING && ((kStartVisibleMask >> gameState) & 1u);
}

bool MainViewModel::updateEnable() const
{
    return gameState == STATE_UPDATE_AVAILABLE;
}

bool MainViewModel::installEnable() const
{
    return gameState == STATE_NOT_INSTALLED;
}

bool MainViewModel::isDownloading() const
{
    return gameState == STATE_DOWNLOADING;
}

bool MainViewModel::setupGameing() const
{
    return gameState == STATE_INSTALLING || gameState == STATE_VERIFYING;
}

void MainViewModel::handleMessage(QString message)
{
    if (message != QLatin1String("raise_window_noop"))
        return;
    if (auto *window = qobject_cast<QWindow *>(rootObject)) {
        // The tray choice minimises before it hides; a plain show() would bring
        // the window back minimised behind everything else.
        window->showNormal();
        window->raise();
        window->requestActivate();
    }
}

void MainViewModel::onDlgYesNoConfirmClicked(bool value)
{
    if (pendingConfirmAction)
        pendingConfirmAction(value);
}

void MainViewModel::onGeneralDialogConfirmClicked(bool value)
{
    onDlgYesNoConfirmClicked(value);
}

void MainViewModel::UpdateCheckMd5Tip()
{
    static int dotCount = 0;
    QString text = tr("校验中");
    text += dotCount == 0 ? QStringLiteral(" ") : QString(dotCount, QLatin1Char('.'));
    SceneAccess(rootObject).write(QStringLiteral("setup_percentage"), "text", text);
    dotCount = (dotCount + 1) % 4;
}

void MainViewModel::onGlobalMetaDataDismiss()
{
    StatusReport::instance()->report(StatusReport::GLOBAL_META_DATA_DISSMISS_OR_ZERO);
}

void MainViewModel::onGlobalMetaDataError()
{
    StatusReport::instance()->report(StatusReport::GLOBAL_META_DATA_ERROR);
}

void MainViewModel::onApplicationQuit()
{
    if (gameDownloader)
        gameDownloader->stopDownlaod();
    if (gameSetup)
        gameSetup->exit(0);
}

void MainViewModel::centreOverRoot(QWidget *dialog) const
{
    dialog->move(SceneAccess(rootObject).centredTopLeft(dialog->size()));
}

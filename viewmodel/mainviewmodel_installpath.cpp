#include "viewmodel/mainviewmodel.h"

#include "dialogs/csetinstallpathdialog.h"
#include "dialogs/installpathcheck.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"
#include "viewmodel/installpathrules.h"
#include "viewmodel/sceneaccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

void reportPathError(const QString &error)
{
    const StatusReport::Fields fields{{QStringLiteral("error"), error}};
    StatusReport::instance()->report(StatusReport::GAME_LOADER_CHECK_INSTALL_PATH_ERROR, &fields);
}

} // namespace

QString MainViewModel::fullInstallPath()
{
    if (installPath.isEmpty()) {
        installPath = InstallPathRules::defaultInstallPath(QCoreApplication::applicationDirPath());
        ConfigSettings::instance()->setGameInstallPath(installPath);
    }
    return installPath;
}

QString MainViewModel::getInstallPath()
{
    return InstallPathRules::displayForm(fullInstallPath());
}

void MainViewModel::setInstallPath(const QString &path)
{
    installPath = InstallPathRules::absoluteForm(path);
    ConfigSettings::instance()->setGameInstallPath(installPath);
    SceneAccess(rootObject).write(QStringLiteral("curinstallPath"), "text", installPath);
}

void MainViewModel::UpdateInstallPath(QString strPath)
{
    setInstallPath(strPath);
    const StatusReport::Fields fields{{QStringLiteral("installPath"), strPath}};
    StatusReport::instance()->report(StatusReport::GAME_LOADER_CHANGE_INSTALL_PATH, &fields);
}

void MainViewModel::changeInstallPathBtnClicked()
{
    if (!installPathDialog) {
        installPathDialog = new CSetInstallPathDialog();
        connect(installPathDialog, &CSetInstallPathDialog::startInstallClicked, this, &MainViewModel::startInstall);
        connect(installPathDialog, &CSetInstallPathDialog::updateInstallPath, this, &MainViewModel::UpdateInstallPath);
    }
    installPathDialog->setNeededBytes(updateInfo ? updateInfo->size : 0);
    installPathDialog->setPath(installPath.isEmpty()
                                   ? InstallPathRules::defaultInstallPath(QCoreApplication::applicationDirPath())
                                   : installPath);
    centreOverRoot(installPathDialog);
    runOverMask([this] { return installPathDialog->exec(); });
}

void MainViewModel::installEnsureBtnClicked()
{
    startInstall();
}

void MainViewModel::startInstall()
{
    if (!isDownloadNotComplated())
        StatusReport::instance()->report(StatusReport::PROGRAM_HOME_DOWNLOAD);
    if (gameState == STATE_CHECK_FAILED) {
        requestGameRes();
        return;
    }
    if (stillChecking()) {
        showMessageBox(tr("提示"), tr("检查更新中，请稍后！"), ConfirmAction(), false);
        reportPathError(QStringLiteral("检查更新中"));
        return;
    }
    if (!settleInstallFolder())
        return;
    ConfigSettings::instance()->setGameInstallPath(installPath);
    refreshGameState();
    beginInstall();
}

bool MainViewModel::stillChecking() const
{
    const bool noPackage = !updateInfo || updateInfo->path.isEmpty();
    return gameState == STATE_UNKNOWN || gameState == STATE_CHECKING || (gameState == STATE_NOT_INSTALLED && noPackage);
}

bool MainViewModel::settleInstallFolder()
{
    installPath = InstallPathRules::absoluteForm(InstallPathRules::normalised(fullInstallPath()));
    const QString chosen = installPath;
    resolveInstallFolder();
    if (installPath.isEmpty()) {
        // No free candidate beside the installer: refused as a folder that cannot be made.
        installPath = chosen;
        refuseInstallFolder(tr("创建文件夹失败，请确认路径是否正确！"), QStringLiteral("文件夹创建失败"));
        return false;
    }
    if (!QDir().mkpath(installPath)) {
        refuseInstallFolder(tr("创建文件夹失败，请确认路径是否正确！"), QStringLiteral("文件夹创建失败"));
        return false;
    }
    const qint64 packageSize = updateInfo ? updateInfo->size : 0;
    const qint64 available = InstallPathCheck::availableBytes(InstallPathCheck::volumeOf(installPath));
    if (packageSize != 0 && available < packageSize) {
        refuseInstallFolder(tr("磁盘空间不足，请选择其他路径！"), QStringLiteral("磁盘空间不足"));
        return false;
    }
    return true;
}

void MainViewModel::refuseInstallFolder(const QString &text, const QString &error)
{
    // Confirming lets the player choose another folder.
    showMessageBox(
        tr("错误"), text,
        [this](bool confirmed) {
            if (confirmed)
                changeInstallPathBtnClicked();
        },
        false);
    reportPathError(error);
}

void MainViewModel::resolveInstallFolder()
{
    installPath =
        InstallPathRules::resolveInstallFolder(installPath, QCoreApplication::applicationDirPath(), gameExeName());
}

bool MainViewModel::isDownloadNotComplated()
{
    if (installPath.isEmpty() || !updateInfo)
        return false;
    const QString package = UpdateVersionInfo::urlFileName(updateInfo->getPackageUrl(gameVersion).toString());
    return !package.isEmpty() &&
           QFileInfo::exists(installPath + QStringLiteral("/") + package + QStringLiteral("_tmp"));
}

bool MainViewModel::isPackageDownloaded()
{
    if (installPath.isEmpty() || !updateInfo)
        return false;
    const QString package = UpdateVersionInfo::urlFileName(updateInfo->getPackageUrl(gameVersion).toString());
    return !package.isEmpty() && QFileInfo::exists(installPath + QStringLiteral("/") + package);
}

QString MainViewModel::gameExeName() const
{
    return InstallPathRules::safeExeName(updateInfo ? updateInfo->entry : QString());
}

QString MainViewModel::gameExePath(const QString &folder)
{
    return (folder.isEmpty() ? fullInstallPath() : folder) + QStringLiteral("/") + gameExeName();
}

void MainViewModel::refreshGameState()
{
    ConfigSettings *settings = ConfigSettings::instance();
    const QString installed = settings->getGameVersion();
    const QString recordedFolder = settings->getGameInstallPath();
    const QString latest = updateInfo ? updateInfo->version : QString();
    GameState state = STATE_NOT_INSTALLED;
    if (!installed.isEmpty() && !recordedFolder.isEmpty()) {
        if (installed != latest)
            state = latest.isEmpty() ? STATE_NOT_INSTALLED : STATE_UPDATE_AVAILABLE;
        else
            state = QFileInfo::exists(gameExePath()) ? STATE_INSTALLED : STATE_NOT_INSTALLED;
    }
    setGameState(state);
}

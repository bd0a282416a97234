#include "viewmodel/mainviewmodel.h"

#include "dialogs/cdlgappinfo.h"
#include "dialogs/cdlgclosetip.h"
#include "download/downloadmanager.h"
#include "net/launcherapi.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"
#include "viewmodel/activitylink.h"
#include "viewmodel/clickburst.h"
#include "viewmodel/installerversiongate.h"
#include "viewmodel/sceneaccess.h"
#include "viewmodel/traychoice.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSystemTrayIcon>
#include <QUrl>

namespace {

const QString kDefaultBackground = QStringLiteral("qrc:/pic/bg.png");
const QString kFilePrefix = QStringLiteral("file:///");
const QString kDefaultTextColour = QStringLiteral("#ffffff");

QString applicationFile(const QString &fileName)
{
    return ConfigSettings::installerFolder() + QStringLiteral("/") + fileName;
}

QString orDefault(const QString &value, const QString &fallback)
{
    return value.isEmpty() ? fallback : value;
}

} // namespace

QString MainViewModel::updateShowVersion()
{
    QString result = QStringLiteral("--");
    if (!gameVersion.isEmpty())
        result = gameVersion;
    else if (updateInfo && !updateInfo->version.isEmpty())
        result = updateInfo->version;
    SceneAccess(rootObject).write(QStringLiteral("versionText"), "text", result + QStringLiteral(" "));
    return result;
}

QString MainViewModel::versionTitle() const
{
    return ConfigSettings::instance()->getDynamicVersionTitle();
}

QString MainViewModel::versionDesc() const
{
    return ConfigSettings::instance()->getDynamicVersionDesc();
}

QString MainViewModel::versionTitleColor() const
{
    return orDefault(ConfigSettings::instance()->getDynamicVersionTitleColor(), kDefaultTextColour);
}

QString MainViewModel::versionDescColor() const
{
    return orDefault(ConfigSettings::instance()->getDynamicVersionDescColor(), kDefaultTextColour);
}

void MainViewModel::applyPageContent()
{
    updateShowVersion();
    refreshGameState();
    const SceneAccess scene(rootObject);
    scene.write(QStringLiteral("bbsBtn"), "visible", updateInfo && !updateInfo->bbsUrl.isEmpty());
    scene.write(QStringLiteral("websiteBtn"), "visible", updateInfo && !updateInfo->websiteUrl.isEmpty());

    // A text once received is kept in the settings, so it survives answers that lack it.
    ConfigSettings *settings = ConfigSettings::instance();
    if (updateInfo && !updateInfo->dynamicVersionTitle.isEmpty())
        settings->setDynamicVersionTitle(updateInfo->dynamicVersionTitle);
    emit versionTitleChanged(versionTitle());
    if (updateInfo && !updateInfo->dynamicVersionDesc.isEmpty())
        settings->setDynamicVersionDesc(updateInfo->dynamicVersionDesc);
    emit versionDescChanged(versionDesc());
    if (updateInfo && !updateInfo->dynamicVersionTitleColor.isEmpty())
        settings->setDynamicVersionTitleColor(updateInfo->dynamicVersionTitleColor);
    emit versionTitleColorChanged(versionTitleColor());
    if (updateInfo && !updateInfo->dynamicVersionDescColor.isEmpty())
        settings->setDynamicVersionDescColor(updateInfo->dynamicVersionDescColor);
    emit versionDescColorChanged(versionDescColor());
}

QString MainViewModel::bgPath() const
{
    const QString fileName = updateInfo ? UpdateVersionInfo::urlFileName(updateInfo->advBackground) : QString();
    if (fileName.isEmpty() || !QFileInfo::exists(applicationFile(fileName)))
        return kDefaultBackground;
    return kFilePrefix + applicationFile(fileName);
}

void MainViewModel::startBgImageDownload()
{
    const QString fileName = UpdateVersionInfo::urlFileName(updateInfo->advBackground);
    if (fileName.isEmpty() || QFileInfo::exists(applicationFile(fileName)))
        return;
    bgImageDownloader->setUrl(QUrl(updateInfo->advBackground));
    bgImageDownloader->setFilePath(ConfigSettings::installerFolder());
    bgImageDownloader->startDownload();
}

void MainViewModel::onBgImageDownloaded()
{
    const QString fileName = UpdateVersionInfo::urlFileName(updateInfo->advBackground);
    if (!fileName.isEmpty() && QFileInfo::exists(applicationFile(fileName)))
        emit bgPathChanged(kFilePrefix + applicationFile(fileName));
}

void MainViewModel::onActivityIconDownloaded()
{
    const QString fileName = UpdateVersionInfo::urlFileName(updateInfo->advIcon);
    const bool shown =
        !fileName.isEmpty() && QFileInfo::exists(applicationFile(fileName)) && !updateInfo->advUrl.isEmpty();
    const SceneAccess scene(rootObject);
    const QString picture = kFilePrefix + applicationFile(fileName);
    if (scene.write(QStringLiteral("viewActivity"), "visible", shown)) {
        scene.write(QStringLiteral("viewActivity"), "nomal_Image", picture);
        scene.write(QStringLiteral("viewActivity"), "hover_Image", picture);
        scene.write(QStringLiteral("viewActivity"), "press_Image", picture);
    }
}

QString MainViewModel::btnMoreActiveJumpUrl()
{
    StatusReport::instance()->report(StatusReport::PROGRAM_HOME_AD);
    return ActivityLink::forBrowser(updateInfo ? updateInfo->advUrl : QString());
}

void MainViewModel::singleReloadWeb()
{
    const SceneAccess scene(rootObject);
    if (!webReloadArmed || !scene.find(QStringLiteral("bgWebView")))
        return;
    scene.invokeQueued(QStringLiteral("bgWebView"), "reload");
    webReloadArmed = false;
}

void MainViewModel::onOpenWebsiteClick()
{
    if (updateInfo && !updateInfo->websiteUrl.isEmpty())
        QDesktopServices::openUrl(QUrl(updateInfo->websiteUrl, QUrl::TolerantMode));
}

void MainViewModel::onOpenbbsClick()
{
    if (updateInfo && !updateInfo->bbsUrl.isEmpty())
        QDesktopServices::openUrl(QUrl(updateInfo->bbsUrl, QUrl::TolerantMode));
}

void MainViewModel::btnExitClick()
{
    ConfigSettings *settings = ConfigSettings::instance();
    int choice = -1;
    if (settings->getIntValue(SettingKeys::kCloseTipNoTipAgain, SettingKeys::kCloseTipGroup) != 0) {
        choice = settings->getIntValue(SettingKeys::kCloseTipUserInput, SettingKeys::kCloseTipGroup);
    } else {
        CDlgCloseTip dialog;
        centreOverRoot(&dialog);
        if (runOverMask([&dialog] { return dialog.exec(); }) == QDialog::Accepted)
            choice = dialog.isExitChosen();
    }

    const SceneAccess scene(rootObject);
    if (choice == 1) {
        scene.invokeOnRootQueued("close");
        StatusReport::instance()->report(StatusReport::PROGRAM_QUIT_QUIT);
    } else if (choice == 0) {
        for (const QByteArray &method : TrayChoice::windowMethods(QSystemTrayIcon::isSystemTrayAvailable()))
            scene.invokeOnRootQueued(method.constData());
        StatusReport::instance()->report(StatusReport::PROGRAM_QUIT_MIN);
    }
}

void MainViewModel::appInfoAreaClick()
{
    static ClickBurst burst(10, 5);
    if (!burst.press(QTime::currentTime()))
        return;
    CDlgAppInfo dialog;
    dialog.setInfo(updateInfo ? updateInfo->version : QString(), LauncherApi::kLauncherId,
                   InstallerVersionGate::installerVersion());
    centreOverRoot(&dialog);
    runOverMask([&dialog] { return dialog.exec(); });
}

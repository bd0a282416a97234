#include "viewmodel/pageactions.h"

#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"
#include "viewmodel/activitylink.h"
#include "viewmodel/gamestatus.h"
#include "viewmodel/sceneaccess.h"

#include <QDesktopServices>
#include <QFileInfo>
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

// A text once received is kept in the settings, so it survives answers that lack it.
void keep(const QString &value, void (ConfigSettings::*setter)(const QString &))
{
    if (!value.isEmpty())
        (ConfigSettings::instance()->*setter)(value);
}

} // namespace

PageActions::PageActions(const UpdateVersionInfo &info, GameStatus &status, const SceneAccess &scene, QObject *parent)
    : QObject(parent)
    , info(info)
    , status(status)
    , scene(scene)
{
    connect(&bgImageDownloader, &downloadmanager::downloadFinished, this, &PageActions::onBgImageDownloaded);
    connect(&activityIconDownloader, &downloadmanager::downloadFinished, this, &PageActions::onActivityIconDownloaded);
}

QString PageActions::showVersion()
{
    QString result = QStringLiteral("--");
    if (!status.installedVersion().isEmpty())
        result = status.installedVersion();
    else if (!info.version.isEmpty())
        result = info.version;
    scene.write(QStringLiteral("versionText"), "text", result + QStringLiteral(" "));
    return result;
}

QString PageActions::versionTitle() const
{
    return ConfigSettings::instance()->getDynamicVersionTitle();
}

QString PageActions::versionDesc() const
{
    return ConfigSettings::instance()->getDynamicVersionDesc();
}

QString PageActions::versionTitleColor() const
{
    return orDefault(ConfigSettings::instance()->getDynamicVersionTitleColor(), kDefaultTextColour);
}

QString PageActions::versionDescColor() const
{
    return orDefault(ConfigSettings::instance()->getDynamicVersionDescColor(), kDefaultTextColour);
}

void PageActions::applyPageContent()
{
    showVersion();
    status.refresh();
    scene.write(QStringLiteral("bbsBtn"), "visible", !info.bbsUrl.isEmpty());
    scene.write(QStringLiteral("websiteBtn"), "visible", !info.websiteUrl.isEmpty());
    keepDynamicTexts();
}

void PageActions::keepDynamicTexts()
{
    keep(info.dynamicVersionTitle, &ConfigSettings::setDynamicVersionTitle);
    emit versionTitleChanged(versionTitle());
    keep(info.dynamicVersionDesc, &ConfigSettings::setDynamicVersionDesc);
    emit versionDescChanged(versionDesc());
    keep(info.dynamicVersionTitleColor, &ConfigSettings::setDynamicVersionTitleColor);
    emit versionTitleColorChanged(versionTitleColor());
    keep(info.dynamicVersionDescColor, &ConfigSettings::setDynamicVersionDescColor);
    emit versionDescColorChanged(versionDescColor());
}

void PageActions::applyLauncherContent(bool first)
{
    startBgImageDownload();
    startActivityIconDownload();
    // The first answer leaves the web view as the scene made it; later ones show or hide it and re-arm its reload.
    if (!first && scene.write(QStringLiteral("bgWebView"), "visible", !info.webUrl.isEmpty())) {
        webReloadArmed = true;
        emit mainBgResChanged();
    }
}

QString PageActions::bgPath() const
{
    const QString fileName = UpdateVersionInfo::urlFileName(info.advBackground);
    if (fileName.isEmpty() || !QFileInfo::exists(applicationFile(fileName)))
        return kDefaultBackground;
    return kFilePrefix + applicationFile(fileName);
}

void PageActions::startBgImageDownload()
{
    const QString fileName = UpdateVersionInfo::urlFileName(info.advBackground);
    if (fileName.isEmpty() || QFileInfo::exists(applicationFile(fileName)))
        return;
    bgImageDownloader.setUrl(QUrl(info.advBackground));
    bgImageDownloader.setFilePath(ConfigSettings::installerFolder());
    bgImageDownloader.startDownload();
}

void PageActions::startActivityIconDownload()
{
    if (info.advIcon.isEmpty())
        return;
    activityIconDownloader.setUrl(QUrl(info.advIcon));
    activityIconDownloader.setFilePath(ConfigSettings::installerFolder());
    activityIconDownloader.startDownload();
}

void PageActions::onBgImageDownloaded()
{
    const QString fileName = UpdateVersionInfo::urlFileName(info.advBackground);
    if (!fileName.isEmpty() && QFileInfo::exists(applicationFile(fileName)))
        emit bgPathChanged(kFilePrefix + applicationFile(fileName));
}

void PageActions::onActivityIconDownloaded()
{
    const QString fileName = UpdateVersionInfo::urlFileName(info.advIcon);
    const bool shown = !fileName.isEmpty() && QFileInfo::exists(applicationFile(fileName)) && !info.advUrl.isEmpty();
    const QString picture = kFilePrefix + applicationFile(fileName);
    if (scene.write(QStringLiteral("viewActivity"), "visible", shown)) {
        scene.write(QStringLiteral("viewActivity"), "nomal_Image", picture);
        scene.write(QStringLiteral("viewActivity"), "hover_Image", picture);
        scene.write(QStringLiteral("viewActivity"), "press_Image", picture);
    }
}

QString PageActions::moreActiveJumpUrl()
{
    StatusReport::instance()->report(StatusReport::PROGRAM_HOME_AD);
    return ActivityLink::forBrowser(info.advUrl);
}

void PageActions::reloadWebOnce()
{
    if (!webReloadArmed || !scene.find(QStringLiteral("bgWebView")))
        return;
    scene.invokeQueued(QStringLiteral("bgWebView"), "reload");
    webReloadArmed = false;
}

void PageActions::openWebsite()
{
    if (!info.websiteUrl.isEmpty())
        QDesktopServices::openUrl(QUrl(info.websiteUrl, QUrl::TolerantMode));
}

void PageActions::openBbs()
{
    if (!info.bbsUrl.isEmpty())
        QDesktopServices::openUrl(QUrl(info.bbsUrl, QUrl::TolerantMode));
}

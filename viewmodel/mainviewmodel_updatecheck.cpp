#include "viewmodel/mainviewmodel.h"

#include "dialogs/cdlgyesno.h"
#include "download/downloadmanager.h"
#include "net/httprequestapi.h"
#include "net/launcherapi.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"
#include "viewmodel/installerversiongate.h"
#include "viewmodel/sceneaccess.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QUrl>

#include <exception>

namespace {

constexpr int kAutomaticRepeats = 5;

} // namespace

QString MainViewModel::makeApiUrl(bool isResource) const
{
    return LauncherApi::makeApiUrl(isResource, languageCode);
}

QString MainViewModel::mainBgUrl() const
{
    return LauncherApi::mainBgUrl(languageCode);
}

void MainViewModel::readInstalledVersion()
{
    gameVersion = ConfigSettings::instance()->getGameVersion();
    emit versionChanged(gameVersion);
}

void MainViewModel::requestGameRes()
{
    readInstalledVersion();
    setGameState(STATE_CHECKING, false);
    if (!gameResClient)
        gameResClient = new HttpRequestAPI();
    gameResClient->setRawHeader("content-type", "application/json");
    gameResClient->get(makeApiUrl(true), [this](bool ok, const QByteArray &body, const QString &error, int status) {
        onGameResAnswer(ok, body, error, status);
    });
    StatusReport::instance()->report(StatusReport::GAME_LOADER_CHECK_UPDATE);
}

void MainViewModel::requestLauncherContent()
{
    readInstalledVersion();
    if (!launcherClient)
        launcherClient = new HttpRequestAPI();
    launcherClient->setRawHeader("content-type", "application/json");
    launcherClient->get(makeApiUrl(false), [this](bool ok, const QByteArray &body, const QString &error, int status) {
        onLauncherContentAnswer(ok, body, error, status);
    });
    const StatusReport::Fields fields{{QStringLiteral("type"), QStringLiteral("LauncherContent")}};
    StatusReport::instance()->report(StatusReport::LAUNCHER_LOADER_CHECK_UPDATE, &fields);
}

void MainViewModel::UpdateInfoByHttp()
{
    static bool firstHomePageCall = true;
    if (firstHomePageCall) {
        // Initialisation has just sent both queries.
        StatusReport::instance()->report(StatusReport::PROGRAM_HOME_PAGE);
        firstHomePageCall = false;
        return;
    }
    if (gameState != STATE_DOWNLOADING && gameState != STATE_INSTALLING && gameState != STATE_VERIFYING) {
        gameResRetryCount = 0;
        requestGameRes();
    }
    launcherRetryCount = 0;
    requestLauncherContent();
}

MainViewModel::ConfirmAction MainViewModel::gameResRetry()
{
    return [this](bool confirmed) {
        if (!confirmed)
            return;
        gameResRetryCount = 0;
        requestGameRes();
    };
}

MainViewModel::ConfirmAction MainViewModel::launcherContentRetry()
{
    return [this](bool confirmed) {
        if (!confirmed)
            return;
        launcherRetryCount = 0;
        requestLauncherContent();
    };
}

void MainViewModel::onGameResAnswer(bool ok, const QByteArray &body, const QString &errorText, int status)
{
    if (!ok || status != 200) {
        gameResFailed(errorText);
        return;
    }
    try {
        updateInfo->parseGameRes(body);
        updateShowVersion();
        checkInstallerVersion();
        const StatusReport::Fields fields{{QStringLiteral("type"), QStringLiteral("GameRes")},
                                          {QStringLiteral("newVersion"), updateInfo->version},
                                          {QStringLiteral("oldVersion"), gameVersion}};
        StatusReport::instance()->report(StatusReport::GAME_LOADER_CHECK_UPDATE_FINISH, &fields);
    } catch (const std::exception &) {
        showMessageBox(tr("错误"), tr("游戏资源检查更新失败，是否重新连接"), gameResRetry(), false);
        setGameState(STATE_CHECK_FAILED, false);
    }
    applyPageContent();
}

void MainViewModel::gameResFailed(const QString &errorText)
{
    SceneAccess(rootObject).write(QStringLiteral("bgWebView"), "visible", QStringLiteral("false"));
    qDebug() << "request server game version error " << errorText;
    if (gameResRetryCount < kAutomaticRepeats) {
        requestGameRes();
        ++gameResRetryCount;
        return;
    }
    showMessageBox(tr("错误"), tr("游戏资源检查更新失败，是否重新连接"), gameResRetry(), true);
    setGameState(STATE_CHECK_FAILED, false);
    const StatusReport::Fields fields{{QStringLiteral("error"), errorText}};
    StatusReport::instance()->report(StatusReport::GAME_LOADER_CHECK_UPDATE_ERROR, &fields);
}

void MainViewModel::onLauncherContentAnswer(bool ok, const QByteArray &body, const QString &errorText, int status)
{
    if (!ok || status != 200) {
        launcherContentFailed(errorText);
        return;
    }
    try {
        applyLauncherContent(body);
    } catch (const std::exception &) {
        showMessageBox(tr("错误"), tr("启动器检查更新失败，是否重新连接"), launcherContentRetry(), true);
    }
}

void MainViewModel::launcherContentFailed(const QString &errorText)
{
    if (launcherRetryCount < kAutomaticRepeats) {
        requestLauncherContent();
        ++launcherRetryCount;
        return;
    }
    showMessageBox(tr("错误"), tr("启动器检查更新失败，是否重新连接"), launcherContentRetry(), true);
    const StatusReport::Fields fields{{QStringLiteral("error"), errorText},
                                      {QStringLiteral("type"), QStringLiteral("LauncherContent")}};
    StatusReport::instance()->report(StatusReport::LAUNCHER_LOADER_CHECK_UPDATE_ERROR, &fields);
}

void MainViewModel::applyLauncherContent(const QByteArray &body)
{
    static bool firstLauncherAnswer = true;
    updateInfo->parseLauncherContent(body);
    const StatusReport::Fields fields{{QStringLiteral("type"), QStringLiteral("LauncherContent")}};
    StatusReport::instance()->report(StatusReport::LAUNCHER_LOADER_CHECK_UPDATE_FINISH, &fields);
    startBgImageDownload();
    if (!updateInfo->advIcon.isEmpty()) {
        activityIconDownloader->setUrl(QUrl(updateInfo->advIcon));
        activityIconDownloader->setFilePath(ConfigSettings::installerFolder());
        activityIconDownloader->startDownload();
    }
    // The first answer leaves the web view as the scene made it; later ones show or hide it and re-arm its reload.
    if (!firstLauncherAnswer &&
        SceneAccess(rootObject).write(QStringLiteral("bgWebView"), "visible", !updateInfo->webUrl.isEmpty())) {
        webReloadArmed = true;
        emit mainBgResChanged();
    }
    firstLauncherAnswer = false;
}

void MainViewModel::checkInstallerVersion()
{
    if (!updateInfo || !InstallerVersionGate::turnsAway(updateInfo->minVersion))
        return;
    const bool hasAddress = InstallerVersionGate::hasDownloadAddress(updateInfo->forceUpdateUrl);
    auto *dialog = new CDlgYesNo();
    dialog->setCloseButtonVisible(false);
    dialog->setCancelHidden(true);
    dialog->setTitleAndText(QString(),
                            hasAddress ? tr("当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。")
                                       : tr("当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。"));
    dialog->setOkText(tr("确认"));
    dialog->resize(460, 300);
    dialog->exec();
    if (hasAddress)
        QDesktopServices::openUrl(QUrl(updateInfo->forceUpdateUrl));
    QCoreApplication::quit();
    delete dialog;
}

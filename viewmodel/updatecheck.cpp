#include "viewmodel/updatecheck.h"

#include "dialogs/cdlgyesno.h"
#include "net/httprequestapi.h"
#include "net/launcherapi.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "viewmodel/gamestatus.h"
#include "viewmodel/installerversiongate.h"
#include "viewmodel/pageactions.h"
#include "viewmodel/sceneaccess.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QUrl>

#include <exception>

namespace {

const QString kLauncherContent = QStringLiteral("LauncherContent");

QString gameResFailedText()
{
    return QCoreApplication::translate("MainViewModel", "游戏资源检查更新失败，是否重新连接");
}

QString launcherFailedText()
{
    return QCoreApplication::translate("MainViewModel", "启动器检查更新失败，是否重新连接");
}

QString errorTitle()
{
    return QCoreApplication::translate("MainViewModel", "错误");
}

} // namespace

UpdateCheck::UpdateCheck(UpdateVersionInfo &info, GameStatus &status, PageActions &page, Messages &messages,
                         const SceneAccess &scene, QObject *parent)
    : QObject(parent)
    , info(info)
    , status(status)
    , page(page)
    , messages(messages)
    , scene(scene)
{}

UpdateCheck::~UpdateCheck() = default;

QString UpdateCheck::makeApiUrl(bool isResource) const
{
    return LauncherApi::makeApiUrl(isResource, languageCode);
}

void UpdateCheck::requestGameRes()
{
    status.readInstalledVersion();
    status.set(GameStatus::STATE_CHECKING, false);
    if (!gameResClient)
        gameResClient = std::make_unique<HttpRequestAPI>();
    gameResClient->setRawHeader("content-type", "application/json");
    gameResClient->get(makeApiUrl(true), [this](bool ok, const QByteArray &body, const QString &error, int code) {
        onGameResAnswer(ok, body, error, code);
    });
    StatusReport::instance()->report(StatusReport::GAME_LOADER_CHECK_UPDATE);
}

void UpdateCheck::requestLauncherContent()
{
    status.readInstalledVersion();
    if (!launcherClient)
        launcherClient = std::make_unique<HttpRequestAPI>();
    launcherClient->setRawHeader("content-type", "application/json");
    launcherClient->get(makeApiUrl(false), [this](bool ok, const QByteArray &body, const QString &error, int code) {
        onLauncherContentAnswer(ok, body, error, code);
    });
    const StatusReport::Fields fields{{QStringLiteral("type"), kLauncherContent}};
    StatusReport::instance()->report(StatusReport::LAUNCHER_LOADER_CHECK_UPDATE, &fields);
}

void UpdateCheck::refresh()
{
    if (firstHomePageCall) {
        StatusReport::instance()->report(StatusReport::PROGRAM_HOME_PAGE);
        firstHomePageCall = false;
        return;
    }
    if (!status.busy()) {
        gameResRetryCount = 0;
        requestGameRes();
    }
    launcherRetryCount = 0;
    requestLauncherContent();
}

Messages::ConfirmAction UpdateCheck::gameResRetry()
{
    return [this](bool confirmed) {
        if (!confirmed)
            return;
        gameResRetryCount = 0;
        requestGameRes();
    };
}

Messages::ConfirmAction UpdateCheck::launcherContentRetry()
{
    return [this](bool confirmed) {
        if (!confirmed)
            return;
        launcherRetryCount = 0;
        requestLauncherContent();
    };
}

void UpdateCheck::onGameResAnswer(bool ok, const QByteArray &body, const QString &errorText, int code)
{
    if (!ok || code != 200) {
        gameResFailed(errorText);
        return;
    }
    try {
        applyGameRes(body);
    } catch (const std::exception &) {
        messages.show(errorTitle(), gameResFailedText(), gameResRetry(), false);
        status.set(GameStatus::STATE_CHECK_FAILED, false);
    }
    page.applyPageContent();
}

void UpdateCheck::applyGameRes(const QByteArray &body)
{
    info.parseGameRes(body);
    page.showVersion();
    turnAwayOldInstaller();
    const StatusReport::Fields fields{{QStringLiteral("type"), QStringLiteral("GameRes")},
                                      {QStringLiteral("newVersion"), info.version},
                                      {QStringLiteral("oldVersion"), status.installedVersion()}};
    StatusReport::instance()->report(StatusReport::GAME_LOADER_CHECK_UPDATE_FINISH, &fields);
}

void UpdateCheck::gameResFailed(const QString &errorText)
{
    scene.write(QStringLiteral("bgWebView"), "visible", QStringLiteral("false"));
    qDebug() << "request server game version error " << errorText;
    if (gameResRetryCount < kAutomaticRepeats) {
        requestGameRes();
        ++gameResRetryCount;
        return;
    }
    messages.show(errorTitle(), gameResFailedText(), gameResRetry(), true);
    status.set(GameStatus::STATE_CHECK_FAILED, false);
    const StatusReport::Fields fields{{QStringLiteral("error"), errorText}};
    StatusReport::instance()->report(StatusReport::GAME_LOADER_CHECK_UPDATE_ERROR, &fields);
}

void UpdateCheck::onLauncherContentAnswer(bool ok, const QByteArray &body, const QString &errorText, int code)
{
    if (!ok || code != 200) {
        launcherContentFailed(errorText);
        return;
    }
    try {
        applyLauncherContent(body);
    } catch (const std::exception &) {
        messages.show(errorTitle(), launcherFailedText(), launcherContentRetry(), true);
    }
}

void UpdateCheck::launcherContentFailed(const QString &errorText)
{
    if (launcherRetryCount < kAutomaticRepeats) {
        requestLauncherContent();
        ++launcherRetryCount;
        return;
    }
    messages.show(errorTitle(), launcherFailedText(), launcherContentRetry(), true);
    const StatusReport::Fields fields{{QStringLiteral("error"), errorText}, {QStringLiteral("type"), kLauncherContent}};
    StatusReport::instance()->report(StatusReport::LAUNCHER_LOADER_CHECK_UPDATE_ERROR, &fields);
}

void UpdateCheck::applyLauncherContent(const QByteArray &body)
{
    info.parseLauncherContent(body);
    const StatusReport::Fields fields{{QStringLiteral("type"), kLauncherContent}};
    StatusReport::instance()->report(StatusReport::LAUNCHER_LOADER_CHECK_UPDATE_FINISH, &fields);
    const bool first = firstLauncherAnswer;
    firstLauncherAnswer = false;
    page.applyLauncherContent(first);
}

void UpdateCheck::turnAwayOldInstaller()
{
    if (!InstallerVersionGate::turnsAway(info.minVersion))
        return;
    const bool hasAddress = InstallerVersionGate::hasDownloadAddress(info.forceUpdateUrl);
    CDlgYesNo dialog;
    dialog.setCloseButtonVisible(false);
    dialog.setCancelHidden(true);
    const char *const text =
        hasAddress
            ? QT_TRANSLATE_NOOP("MainViewModel",
                                "当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。")
            : QT_TRANSLATE_NOOP("MainViewModel", "当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。");
    dialog.setTitleAndText(QString(), QCoreApplication::translate("MainViewModel", text));
    dialog.setOkText(QCoreApplication::translate("MainViewModel", "确认"));
    dialog.resize(460, 300);
    dialog.exec();
    if (hasAddress)
        QDesktopServices::openUrl(QUrl(info.forceUpdateUrl));
    QCoreApplication::quit();
}

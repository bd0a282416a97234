#pragma once

#include "viewmodel/messages.h"

#include <QObject>
#include <QString>

#include <memory>

class GameStatus;
class HttpRequestAPI;
class PageActions;
class SceneAccess;
class UpdateVersionInfo;

// Asks the launcher service for the game's resources and the launcher's
// content, repeats failed queries, and turns an installer that is too old away.
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    static constexpr int kAutomaticRepeats = 5;

    UpdateCheck(UpdateVersionInfo &info, GameStatus &status, PageActions &page, Messages &messages,
                const SceneAccess &scene, QObject *parent = nullptr);
    ~UpdateCheck() override;

    void setLanguage(const QString &code) { languageCode = code; }
    QString language() const { return languageCode; }
    QString makeApiUrl(bool isResource) const;

    void requestGameRes();
    void requestLauncherContent();
    // The scene's refresh; its first call only reports, as both queries have just gone out.
    void refresh();

    void onGameResAnswer(bool ok, const QByteArray &body, const QString &errorText, int status);
    void onLauncherContentAnswer(bool ok, const QByteArray &body, const QString &errorText, int status);

private:
    Messages::ConfirmAction gameResRetry();
    Messages::ConfirmAction launcherContentRetry();
    void applyGameRes(const QByteArray &body);
    void gameResFailed(const QString &errorText);
    void launcherContentFailed(const QString &errorText);
    void applyLauncherContent(const QByteArray &body);
    void turnAwayOldInstaller();

    UpdateVersionInfo &info;
    GameStatus &status;
    PageActions &page;
    Messages &messages;
    const SceneAccess &scene;
    QString languageCode = QStringLiteral("en");
    std::unique_ptr<HttpRequestAPI> gameResClient;
    std::unique_ptr<HttpRequestAPI> launcherClient;
    int gameResRetryCount = 0;
    int launcherRetryCount = 0;
    // Once per process: the controller holds the one check.
    bool firstHomePageCall = true;
    bool firstLauncherAnswer = true;
};

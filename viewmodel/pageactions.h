#pragma once

#include "download/downloadmanager.h"

#include <QObject>
#include <QString>

class GameStatus;
class SceneAccess;
class UpdateVersionInfo;

// The page around the buttons: version texts, background and activity
// pictures, the web view and the website and forum links.
class PageActions : public QObject
{
    Q_OBJECT

public:
    PageActions(const UpdateVersionInfo &info, GameStatus &status, const SceneAccess &scene, QObject *parent = nullptr);

    // The version shown: the installed one, else the latest, else "--".
    QString showVersion();
    QString versionTitle() const;
    QString versionDesc() const;
    QString versionTitleColor() const;
    QString versionDescColor() const;
    QString bgPath() const;

    // After the game's resources were asked for: version, state, links, texts.
    void applyPageContent();
    // After the launcher's content arrived; first: its first answer.
    void applyLauncherContent(bool first);

    QString moreActiveJumpUrl();
    void reloadWebOnce();
    void openWebsite();
    void openBbs();

signals:
    void bgPathChanged(QString path);
    void mainBgResChanged();
    void versionTitleChanged(QString text);
    void versionDescChanged(QString text);
    void versionTitleColorChanged(QString text);
    void versionDescColorChanged(QString text);

private:
    void keepDynamicTexts();
    void startBgImageDownload();
    void startActivityIconDownload();
    void onBgImageDownloaded();
    void onActivityIconDownloaded();

    const UpdateVersionInfo &info;
    GameStatus &status;
    const SceneAccess &scene;
    downloadmanager bgImageDownloader;
    downloadmanager activityIconDownloader;
    bool webReloadArmed = true;
};

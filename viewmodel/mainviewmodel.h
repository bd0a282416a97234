#pragma once

#include "net/launcherapi.h"
#include "net/updateversioninfo.h"
#include "viewmodel/flowclock.h"
#include "viewmodel/folderchoice.h"
#include "viewmodel/gameinstall.h"
#include "viewmodel/gamestatus.h"
#include "viewmodel/installfolder.h"
#include "viewmodel/installrequest.h"
#include "viewmodel/messages.h"
#include "viewmodel/pageactions.h"
#include "viewmodel/sceneaccess.h"
#include "viewmodel/updatecheck.h"
#include "viewmodel/windowactions.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>

// The controller behind the QML scene ("mainViewModel"). The scene looks its
// properties, signals and methods up by name and relies on their order, so the
// declarations below are a contract: add nothing to the meta-object in between.
// Each body hands over to the flow it belongs to: UpdateCheck, InstallFolder
// and FolderChoice, InstallRequest and GameInstall, Messages, PageActions and
// WindowActions.
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
    using ConfirmAction = Messages::ConfirmAction;

    explicit MainViewModel(QObject *parent = nullptr);
    ~MainViewModel() override;

    void initialise();
    void setRootObject(QObject *root);
    void setLanguageCode(const QString &code);

    // Property reads.
    QString updateShowVersion() { return page.showVersion(); }
    float getProgress() const { return install.progress(); }
    bool startGameEnable() const { return status.startEnable(); }
    bool startGameVisible() const { return status.startVisible(); }
    bool updateEnable() const { return status.updateEnable(); }
    bool installEnable() const { return status.installEnable(); }
    bool isDownloading() const { return status.downloading(); }
    bool setupGameing() const { return status.installing(); }
    QString getInstallPath() { return folder.display(); }
    void setInstallPath(const QString &path) { folder.set(path); }
    QString bgPath() const { return page.bgPath(); }
    QString mainBgUrl() const { return LauncherApi::mainBgUrl(updateCheck.language()); }
    QString versionTitle() const { return page.versionTitle(); }
    QString versionDesc() const { return page.versionDesc(); }
    QString versionTitleColor() const { return page.versionTitleColor(); }
    QString versionDescColor() const { return page.versionDescColor(); }

    void showMessageBox(const QString &title, const QString &text, ConfirmAction action, bool withCancel)
    {
        messages.show(title, text, action, withCancel);
    }

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
    void handleMessage(QString message) { window.handleMessage(message); }
    void startInstall() { request.start(); }
    void UpdateInstallPath(QString strPath) { folder.choose(strPath); }
    void onDlgYesNoConfirmClicked(bool value) { messages.confirm(value); }
    void UpdateCheckMd5Tip() { install.verifyTip().showNext(); }
    void onGlobalMetaDataDismiss() { InstallErrors::reportMetaDataDismissed(); }
    void onGlobalMetaDataError() { InstallErrors::reportMetaDataFailed(); }

public:
    Q_INVOKABLE void startGameBtnClicked() { install.startGame(); }
    Q_INVOKABLE void updateBtnClicked() { install.update(); }
    Q_INVOKABLE void changeInstallPathBtnClicked() { choice.open(); }
    Q_INVOKABLE void pauseBtnClicked() { install.pause(); }
    Q_INVOKABLE void installEnsureBtnClicked() { request.start(); }
    Q_INVOKABLE void onGeneralDialogConfirmClicked(bool value) { messages.confirm(value); }
    Q_INVOKABLE void onApplicationQuit() { install.quit(); }
    Q_INVOKABLE void onOpenWebsiteClick() { page.openWebsite(); }
    Q_INVOKABLE void onOpenbbsClick() { page.openBbs(); }
    Q_INVOKABLE bool isDownloadNotComplated() { return install.isDownloadNotComplated(); }
    Q_INVOKABLE void UpdateInfoByHttp() { updateCheck.refresh(); }
    Q_INVOKABLE void btnExitClick() { window.exitClicked(); }
    Q_INVOKABLE void appInfoAreaClick() { window.appInfoClicked(); }
    Q_INVOKABLE void singleReloadWeb() { page.reloadWebOnce(); }
    Q_INVOKABLE QString btnMoreActiveJumpUrl() { return page.moreActiveJumpUrl(); }

    // The state the boolean properties derive from; the flows set it, and a
    // test can put the controller into any state without a window.
    void setGameState(GameStatus::State state, bool notify = true) { status.set(state, notify); }

private:
    void connectFlows();

    FlowClock clock;
    SceneAccess scene{nullptr};
    Messages messages{scene};
    UpdateVersionInfo info;
    InstallFolder folder{scene, QCoreApplication::applicationDirPath()};
    GameStatus status{info, folder};
    PageActions page{info, status, scene};
    UpdateCheck updateCheck{info, status, page, messages, scene};
    GameInstall install{info, status, folder, messages, scene, clock};
    InstallRequest request{info, status, folder, messages, install};
    FolderChoice choice{info, folder, messages};
    WindowActions window{info, messages, scene};
};

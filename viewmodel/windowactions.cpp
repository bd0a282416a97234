#include "viewmodel/windowactions.h"

#include "dialogs/cdlgappinfo.h"
#include "dialogs/cdlgclosetip.h"
#include "net/launcherapi.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"
#include "viewmodel/installerversiongate.h"
#include "viewmodel/messages.h"
#include "viewmodel/sceneaccess.h"
#include "viewmodel/traychoice.h"

#include <QSystemTrayIcon>
#include <QWindow>

WindowActions::WindowActions(const UpdateVersionInfo &info, Messages &messages, const SceneAccess &scene)
    : info(info)
    , messages(messages)
    , scene(scene)
{}

void WindowActions::handleMessage(const QString &message)
{
    if (message == QLatin1String("raise_window_noop"))
        bringToFront(qobject_cast<QWindow *>(scene.root()));
}

void WindowActions::bringToFront(QWindow *window)
{
    if (!window)
        return;
    // The tray choice minimises before it hides; a plain show() would bring
    // the window back minimised behind everything else.
    window->showNormal();
    window->raise();
    window->requestActivate();
}

// 1 exit, 0 tray, anything else nothing: stored, or asked when not.
int WindowActions::closeChoice()
{
    ConfigSettings *settings = ConfigSettings::instance();
    if (settings->getIntValue(SettingKeys::kCloseTipNoTipAgain, SettingKeys::kCloseTipGroup) != 0)
        return settings->getIntValue(SettingKeys::kCloseTipUserInput, SettingKeys::kCloseTipGroup);
    CDlgCloseTip dialog;
    messages.centre(&dialog);
    if (messages.runOverMask([&dialog] { return dialog.exec(); }) == QDialog::Accepted)
        return dialog.isExitChosen();
    return -1;
}

void WindowActions::exitClicked()
{
    const int choice = closeChoice();
    if (choice == 1) {
        scene.invokeOnRootQueued("close");
        StatusReport::instance()->report(StatusReport::PROGRAM_QUIT_QUIT);
    } else if (choice == 0) {
        for (const QByteArray &method : TrayChoice::windowMethods(QSystemTrayIcon::isSystemTrayAvailable()))
            scene.invokeOnRootQueued(method.constData());
        StatusReport::instance()->report(StatusReport::PROGRAM_QUIT_MIN);
    }
}

void WindowActions::appInfoClicked()
{
    if (!infoBurst.press(QTime::currentTime()))
        return;
    CDlgAppInfo dialog;
    dialog.setInfo(info.version, LauncherApi::kLauncherId, InstallerVersionGate::installerVersion());
    messages.centre(&dialog);
    messages.runOverMask([&dialog] { return dialog.exec(); });
}

#pragma once

#include "viewmodel/clickburst.h"

#include <QString>

class Messages;
class QWindow;
class SceneAccess;
class UpdateVersionInfo;

// The window itself: brought to the front for a second copy, closed or sent
// to the tray as the player chose, and the hidden information dialog.
class WindowActions
{
public:
    WindowActions(const UpdateVersionInfo &info, Messages &messages, const SceneAccess &scene);

    // Only the raise message acts.
    void handleMessage(const QString &message);
    // Shown, raised and activated, also from the tray; nothing without a window.
    static void bringToFront(QWindow *window);
    void exitClicked();
    // The tenth press within five seconds opens the information dialog.
    void appInfoClicked();

private:
    int closeChoice();

    const UpdateVersionInfo &info;
    Messages &messages;
    const SceneAccess &scene;
    ClickBurst infoBurst{10, 5};
};

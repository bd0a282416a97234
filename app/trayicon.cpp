#include "app/trayicon.h"

#include "viewmodel/windowactions.h"

#include <QWindow>

void TrayIcon::show(QWindow *window)
{
    this->window = window;
    menu.addAction(tr("打开主窗口"), &menu, [this] { WindowActions::bringToFront(this->window); });
    // As the window's own close: its closing handler ends the install flow.
    menu.addAction(tr("退出"), &menu, [this] { this->window->close(); });
    icon.setContextMenu(&menu);
    QObject::connect(&icon, &QSystemTrayIcon::activated, &menu,
                     [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
    // Before it is shown: shown first, it warns and sits empty in the tray
    // until the picture comes.
    icon.setIcon(QIcon(QStringLiteral(":/icon/launcher.ico")));
    icon.show();
}

// The context menu opens by itself on the context reason.
void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Context)
        WindowActions::bringToFront(window);
}

#include "app/trayicon.h"

#include "viewmodel/windowactions.h"

#include <QGuiApplication>
#include <QWindow>

void TrayIcon::show(QWindow *window)
{
    this->window = window;
    menu.addAction(tr("打开主窗口"), &menu, [this] { WindowActions::bringToFront(this->window); });
    menu.addAction(tr("退出"), &menu, [this] { exit(); });
    icon.setContextMenu(&menu);
    QObject::connect(&icon, &QSystemTrayIcon::activated, &menu,
                     [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
    // Before it is shown: shown first, it warns and sits empty in the tray
    // until the picture comes.
    icon.setIcon(QIcon(QStringLiteral(":/icon/launcher.ico")));
    icon.show();
}

// As the window's own close: its closing handler ends the install flow. Qt
// ends the program only when the window closed was shown, and from the tray
// it is hidden: left alone, the program would stay behind its tray icon.
void TrayIcon::exit()
{
    if (window->close() && QGuiApplication::quitOnLastWindowClosed())
        QCoreApplication::quit();
}

// The context menu opens by itself on the context reason.
void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Context)
        WindowActions::bringToFront(window);
}

#pragma once

#include <QCoreApplication>
#include <QMenu>
#include <QSystemTrayIcon>

class QWindow;

// The program's icon in the system tray, the way back to a window sent there
// by the close question. Built here rather than in the scene because the
// scene's tray showed itself before its picture was set, on every start.
class TrayIcon
{
    Q_DECLARE_TR_FUNCTIONS(TrayIcon)

public:
    // Once, with the translator installed. Where the desktop has no tray
    // nothing shows; the close question then minimises instead of hiding
    // (TrayChoice).
    void show(QWindow *window);

private:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void exit();

    QWindow *window = nullptr;
    QMenu menu; // before the icon, which points to it
    QSystemTrayIcon icon;
};

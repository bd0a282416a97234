#pragma once

#include "app/trayicon.h"
#include "viewmodel/mainviewmodel.h"

#include <QQmlApplicationEngine>
#include <QTranslator>

class SingleApplication;

// What the program builds once it knows it is the only copy: the QML engine,
// the translator, the controller, the scene and the tray icon. The members are
// declared in creation order, so they go in the reverse one: tray icon,
// controller, translator, engine (the application object outlives them all).
class LauncherShell
{
public:
    // Process-wide settings the scene and the settings store depend on;
    // called after the application object exists, before a shell is made.
    static void prepareProcess();

    ~LauncherShell();

    // Language, controller, scene and the single-instance message. False when
    // the scene did not load.
    bool start(SingleApplication &app);

    QObject *window() const;

private:
    QQmlApplicationEngine engine;
    QTranslator translator;
    MainViewModel viewModel;
    TrayIcon tray;
};

#pragma once

#include "viewmodel/mainviewmodel.h"

#include <QQmlApplicationEngine>
#include <QTranslator>

class SingleApplication;

// What the program builds once it knows it is the only copy: the QML engine,
// the translator, the controller and the scene. The members are declared in
// creation order, so they go in the reverse one: controller, translator,
// engine (the application object outlives all three).
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
};

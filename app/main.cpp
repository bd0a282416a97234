#include "app/launchershell.h"
#include "app/singleapplication.h"

#include <QtWebEngine>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    // The web view's renderer shares the scene's contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    // Qt 5.15 wants this before the application object exists.
    QtWebEngine::initialize();

    SingleApplication app(argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QStringLiteral("raise_window_noop"), 5000);
        return -1;
    }
    LauncherShell::prepareProcess();

    LauncherShell shell;
    if (!shell.start(app))
        return -1;
    return app.exec();
}

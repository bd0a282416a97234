#include "app/launchershell.h"

#include "app/language.h"
#include "app/singleapplication.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQmlContext>
#include <QQuickWindow>

void LauncherShell::prepareProcess()
{
    QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    // These names key the per-user store that holds the download's resume record.
    QCoreApplication::setOrganizationName(QStringLiteral("Tavoro"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("tavoro.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Aurelith Launcher"));
    // Docks and the tray match the window to the desktop entry and show its icon.
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/launcher.ico")));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.tavoro.AurelithLauncher"));
}

LauncherShell::~LauncherShell()
{
    // The controller goes first; the scene's bindings to it then fail once
    // each while the engine is torn down, which is expected, not worth a line.
    engine.setOutputWarningsToStandardError(false);
}

bool LauncherShell::start(SingleApplication &app)
{
    const QString languageCode = selectLanguage(&translator);
    QCoreApplication::installTranslator(&translator);

    viewModel.setLanguageCode(languageCode);
    viewModel.initialise();

    engine.rootContext()->setContextProperty(QStringLiteral("mainViewModel"), &viewModel);
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    if (engine.rootObjects().isEmpty())
        return false;

    viewModel.setRootObject(engine.rootObjects().constFirst());
    tray.show(qobject_cast<QWindow *>(engine.rootObjects().constFirst()));
    QObject::connect(&app, SIGNAL(messageReceived(QString)), &viewModel, SLOT(handleMessage(QString)));
    return true;
}

QObject *LauncherShell::window() const
{
    const QList<QObject *> roots = engine.rootObjects();
    return roots.isEmpty() ? nullptr : roots.constFirst();
}

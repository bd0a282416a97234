// The smallest program that shows a page the way the launcher does: one QML
// window holding one WebEngineView, on the same software scene graph.
// bench/startup.sh compares the launcher's start with this one's.
//
//   bare_webview URL
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QtWebEngine>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    QtWebEngine::initialize();
    QGuiApplication app(argc, argv);
    QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);

    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("pageUrl"), QUrl(app.arguments().value(1)));
    engine.loadData("import QtQuick 2.12\n"
                    "import QtQuick.Window 2.2\n"
                    "import QtWebEngine 1.2\n"
                    "Window { width: 1280; height: 730; visible: true\n"
                    "    WebEngineView { anchors.fill: parent; url: pageUrl } }\n");
    return engine.rootObjects().isEmpty() ? 1 : app.exec();
}

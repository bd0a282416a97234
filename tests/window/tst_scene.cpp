#include "app/launchershell.h"
#include "app/singleapplication.h"
#include "window/windowharness.h"

#include <QAction>
#include <QQmlContext>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtWebEngine>

SingleApplication *app;
QQuickWindow *window;

// The scene as the program starts it (real controller, local service), headless.
class TestScene : public QObject
{
    Q_OBJECT

    // The scene's buttons by their text (a "+" when it takes presses) and its named panels, as far as they show.
    static QString shownControls()
    {
        QStringList shown;
        for (const char *text : {"获取游戏", "更新", "开始游戏"})
            for (QObject *item : window->findChildren<QObject *>())
                if (item->property("nomal_Image").isValid() && item->property("visible").toBool() &&
                    item->property("text") == QCoreApplication::translate("main", text))
                    shown << QString(text) + (item->property("interactable").toBool() ? "+" : "");
        for (const char *name : {"curinstallPath", "bgBottomMask", "download_percentage", "setup_percentage",
                                 "progress", "task_needtime", "download_speed", "pauseDownloadBtn"})
            if (window->findChild<QObject *>(name)->property("visible").toBool())
                shown << name;
        return shown.join(' ');
    }

private slots:
    void stateShowsItsControls_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("shown");
        const QString progress = "bgBottomMask %1 progress task_needtime";
        const QString download = "开始游戏 " + progress.arg("download_percentage") + " download_speed pauseDownloadBtn";
        const QString setup = "开始游戏 " + progress.arg("setup_percentage");
        const QStringList rows{"", "开始游戏", "获取游戏+ curinstallPath", "开始游戏+", "更新+", "", download, setup,
                               "", setup};
        for (int state = 0; state < rows.size(); ++state)
            QTest::addRow("state %d", state) << state << rows[state];
    }

    void stateShowsItsControls()
    {
        QFETCH(int, state);
        QFETCH(QString, shown);
        auto *controller =
            qobject_cast<MainViewModel *>(qmlContext(window)->contextProperty("mainViewModel").value<QObject *>());
        QVERIFY(controller);
        QTRY_VERIFY(controller->installEnable()); // the first answers have arrived
        controller->setGameState(GameStatus::State(state));
        const QString seen = shownControls();
        controller->setGameState(GameStatus::STATE_NOT_INSTALLED); // as the answers left it, for the next row
        QCOMPARE(seen, shown);
    }

    void controllerFindsWhatItWrites() // each object by its name, with the property the controller writes
    {
        for (const QString target :
             {"bgWebView.visible", "versionText.text", "setup_percentage.text", "download_percentage.text",
              "download_speed.text", "task_needtime.text", "pauseDownloadBtn.nomal_Image",
              "pauseDownloadBtn.press_Image", "curinstallPath.text", "viewActivity.visible", "viewActivity.hover_Image",
              "bgMask_msgbox.visible"}) {
            const QObject *object = window->findChild<QObject *>(target.section('.', 0, 0));
            QVERIFY2(object && object->property(target.section('.', 1).toLatin1()).isValid(), qPrintable(target));
        }
    }

    void dragsOnlyOutsideInformationArea_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<bool>("moves");
        QTest::newRow("information area in the bar") << QPoint(40, 15) << false;
        QTest::newRow("information area below the bar") << QPoint(79, 79) << false;
        QTest::newRow("bar just past the area") << QPoint(81, 15) << true;
        QTest::newRow("below the bar") << QPoint(600, 300) << false;
    }

    void dragsOnlyOutsideInformationArea()
    {
        QFETCH(QPoint, press);
        QFETCH(bool, moves);
        const QPoint start(100, 100), offset(50, 30);
        window->setPosition(start);
        QTRY_COMPARE(window->position(), start);
        QTest::mousePress(window, Qt::LeftButton, {}, press);
        QTest::mouseMove(window, press + offset);
        if (moves)
            QTRY_COMPARE(window->position(), start + offset);
        else
            QTest::qWait(100); // the window stays: a move would have come by now
        // Released where the mouse is, wherever the window went.
        QTest::mouseRelease(window, Qt::LeftButton, {}, press + offset - (window->position() - start));
        QCOMPARE(window->position(), moves ? start + offset : start);
    }

    void onlyRaiseMessageActs_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("raises");
        QTest::newRow("raise") << "raise_window_noop" << true;
        for (const char *other : {"", "RAISE_WINDOW_NOOP", "Raise_window_noop", "raise_window_noop "})
            QTest::newRow(qPrintable('"' + QString(other) + '"')) << QString(other) << false;
    }

    void onlyRaiseMessageActs()
    {
        QFETCH(QString, message);
        QFETCH(bool, raises);
        window->hide();
        QSignalSpy received(app, &SingleApplication::messageReceived);
        QVERIFY(app->sendMessage(message, 5000));
        QVERIFY(received.wait());
        QCOMPARE(received.at(0).at(0).toString(), message);
        QCOMPARE(window->isVisible(), raises);
    }

    void trayMenuItems_data() // last: its second row closes the window
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QWindow::Visibility>("after"); // before: sent to the tray (minimised, hidden), or shown
        QTest::newRow("open main window") << "打开主窗口" << QWindow::Windowed;
        QTest::newRow("exit") << "退出" << QWindow::Hidden;
    }

    void trayMenuItems()
    {
        QFETCH(QString, text);
        QFETCH(QWindow::Visibility, after);
        const QString shown = QCoreApplication::translate("TrayIcon", text.toUtf8().constData());
        QAction *item = nullptr;
        for (QWidget *menu : QApplication::topLevelWidgets())
            for (QAction *candidate : menu->inherits("QMenu") ? menu->actions() : QList<QAction *>())
                item = candidate->text() == shown ? candidate : item;
        QVERIFY(item);
        after == QWindow::Hidden ? window->showNormal() : (window->showMinimized(), window->hide());
        item->trigger();
        QTRY_COMPARE(window->visibility(), after);
    }
};

int main(int argc, char *argv[])
{
    LauncherUser user;
    const QProcessEnvironment environment = user.environment(QString());
    for (const QString &key : environment.keys())
        qputenv(key.toLocal8Bit(), environment.value(key).toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    QtWebEngine::initialize();
    SingleApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // the tray's exit must not end the test run
    LauncherShell::prepareProcess();
    LauncherShell shell;
    if (!shell.start(app))
        return 1;
    ::app = &app;
    window = qobject_cast<QQuickWindow *>(shell.window());
    TestScene test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scene.moc"

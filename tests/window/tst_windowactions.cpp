#include "window/windowharness.h"

#include <QScopeGuard>

// The real window's own actions on the desktops players use: dialogs opened from the scene leave every button working,
// the close question's tray choice on a desktop without a tray, and a start under a Wayland compositor.
class TestWindowActions : public QObject
{
    Q_OBJECT
    VirtualScreen screen;
    const QSize appInfo{480, 340};  // 460 x 320 and its shadow
    const QSize closeTip{480, 364}; // 460 x 344 and its shadow

private slots:
    void dragsTheWindow_data()
    {
        QTest::addColumn<bool>("windowManagerMoves");
        QTest::newRow("X11 without a window manager: by hand, and its dialogs") << false;
        QTest::newRow("a window system that moves windows itself") << true;
    }

    // Dragging the top bar asks the window system to move the window; only where it declines is it moved by hand. A
    // window manager that offers moves announces _NET_WM_MOVERESIZE on the root window, and is sent the request.
    void dragsTheWindow()
    {
        QFETCH(bool, windowManagerMoves);
        QProcess rootEvents; // what the root window is sent, and its property changes
        QByteArray seen;
        rootEvents.start("stdbuf", {"-oL", "xev", "-root", "-event", "substructure", "-event", "property"});
        const auto rootSaw = [&](const QByteArray &what) {
            seen += rootEvents.readAllStandardOutput();
            return seen.contains(what);
        };
        const auto announce = [&] {
            screen.run("xprop",
                       {"-root", "-f", "_NET_SUPPORTED", "32a", "-set", "_NET_SUPPORTED", "_NET_WM_MOVERESIZE"});
            return rootSaw("_NET_SUPPORTED");
        };
        if (windowManagerMoves)
            QTRY_VERIFY_WITH_TIMEOUT(announce(), 20000);
        const auto withdraw = qScopeGuard([&] {
            screen.run("xprop", {"-root", "-remove", "_NET_SUPPORTED"});
            rootEvents.kill();
            rootEvents.waitForFinished();
        });
        const LauncherUser user;
        LauncherRun run(screen, user);
        QVERIFY(run.startSettled());
        const QRect before = run.findWindow();
        const auto at = [&](int dx, int dy) {
            return QStringList{"mousemove", QString::number(before.x() + 600 + dx),
                               QString::number(before.y() + 15 + dy)};
        };
        // One motion: moved by hand, each motion's offset is read against a window position the X server may not have
        // applied yet, so several quick ones can overshoot on a busy machine.
        const QStringList drag = at(0, 0) + QStringList{"mousedown", "1"} + at(90, 60) + QStringList{"mouseup", "1"};
        const auto moved = [&] { return run.findWindow().topLeft() != before.topLeft(); };
        // (dragged again, at most three times, while a busy machine has not yet taken the press; a drag that acted at
        // all is left to finish)
        const auto acted = [&] { return windowManagerMoves ? rootSaw("_NET_WM_MOVERESIZE") : moved(); };
        for (int tries = 0; tries < 3 && !acted(); ++tries) {
            screen.run("xdotool", drag);
            (void)QTest::qWaitFor(acted, 15000);
        }
        if (windowManagerMoves) {
            QVERIFY2(rootSaw("_NET_WM_MOVERESIZE"), "the window system was not asked to move the window");
            QVERIFY2(!moved(), "moved by hand although the window manager moves it");
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(run.findWindow().topLeft(), before.topLeft() + QPoint(90, 60), 10000);

        // Ten quick presses top left open the information dialog from a press whose release the dialog takes. Once it
        // is closed, one click on the close button must act: its question comes, and its tray choice (preselected) on
        // this screen, which has no tray, sends the window to the task bar, not out of reach.
        const QRect main = run.findWindow();
        const QString x = QString::number(main.x() + 40), y = QString::number(main.y() + 40);
        // (pressed again while a busy machine has not yet taken the presses)
        const auto tenPresses = [&] {
            screen.run("xdotool", {"mousemove", x, y, "click", "--repeat", "10", "--delay", "60", "1"});
            return !run.findWindow(appInfo, 3000).isEmpty();
        };
        QTRY_VERIFY_WITH_TIMEOUT(tenPresses(), 30000);
        QVERIFY(run.click({250, 274}, appInfo));
        QTRY_VERIFY_WITH_TIMEOUT(run.findWindow(appInfo).isEmpty(), 10000);

        QVERIFY(run.click({1265, 15}));
        QVERIFY2(!run.findWindow(closeTip, 10000).isEmpty(), "the close button ignored its click");
        QVERIFY(run.click({351, 264}, closeTip));
        // The choice is reported once the window's methods are queued; they run next.
        QVERIFY(run.printed("PROGRAM_QUIT_MIN", 10000));
        QVERIFY(run.isRunning());
        QVERIFY2(!run.findWindow({1280, 730}, 2000).isEmpty(), "hidden with no tray to bring it back");
    }

    // Most Linux desktops run Wayland sessions: the program starts there and draws its first frame (weston without a
    // screen, the Wayland platform plugin).
    void startsUnderWayland()
    {
        const LauncherUser user;
        QProcess weston; // in the user's runtime folder
        weston.setProcessChannelMode(QProcess::MergedChannels);
        weston.setProcessEnvironment(user.environment(QString()));
        weston.start("weston", {"--backend=headless-backend.so", "--socket=wayland-test", "--idle-time=0"});
        QVERIFY2(QTest::qWaitFor([&] { return QFile::exists(user.home() + "/runtime/wayland-test"); }, 20000),
                 weston.readAll().constData());

        LauncherRun program(screen, user);
        program.environment.insert("QT_QPA_PLATFORM", "wayland");
        program.environment.insert("WAYLAND_DISPLAY", "wayland-test");
        program.environment.insert("QT_LOGGING_RULES", "qt.scenegraph.time.renderloop=true");
        program.start();
        const bool drawn = program.printed("Frame rendered", 60000);
        const QByteArray output = program.process.peek(1 << 24);
        weston.terminate();
        weston.waitForFinished();
        QVERIFY2(drawn, output.right(3000).constData());
        QVERIFY2(!output.contains("Could not load the Qt platform plugin"), output.right(3000).constData());
    }
};

QTEST_GUILESS_MAIN(TestWindowActions)
#include "tst_windowactions.moc"

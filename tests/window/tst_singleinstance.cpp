#include "window/windowharness.h"

// One copy per user, whatever happens to the others: two started at once, one killed, one started while the window sits
// in the tray (trayer's); and the tray icon that brings the window back or ends the program.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void oneCopyPerUser()
    {
        const VirtualScreen screen;
        const LauncherUser user;
        // A tray to go to: trayer holds the screen's system tray.
        QProcess tray;
        tray.start("trayer", {"--expand", "false", "--widthtype", "pixel", "--width", "64"});
        QTRY_VERIFY_WITH_TIMEOUT(!screen.run("xdotool", {"search", "--class", "trayer"}).trimmed().isEmpty(), 20000);
        LauncherRun first(screen, user), second(screen, user);
        first.start();
        second.start();
        QTRY_VERIFY_WITH_TIMEOUT(!first.isRunning() || !second.isRunning(), 30000);
        LauncherRun &survivor = first.isRunning() ? first : second;
        QCOMPARE((first.isRunning() ? second : first).process.exitCode(), 255); // refused: exit code -1
        QVERIFY(!survivor.findWindow({1280, 730}, 60000).isEmpty());

        // A crash leaves its lock and socket behind; they must not block the next start.
        survivor.process.kill();
        survivor.process.waitForFinished();
        LauncherRun restarted(screen, user);
        restarted.start();
        QVERIFY2(!restarted.findWindow({1280, 730}, 60000).isEmpty(),
                 qPrintable(QString("exit %1: %2")
                                .arg(restarted.process.exitCode())
                                .arg(restarted.process.readAll().right(2000).constData())));

        // To the tray through the close button's question ("minimise" is preselected)...
        const auto toTray = [&] {
            const QSize closeTip(480, 364); // 460 x 344 and its shadow
            // (pressed again while a busy machine has not yet taken the press)
            const auto asked = [&] {
                return restarted.click({1265, 15}) && !restarted.findWindow(closeTip, 3000).isEmpty();
            };
            return QTest::qWaitFor(asked, 30000) && restarted.click({351, 264}, closeTip) &&
                   QTest::qWaitFor([&] { return restarted.findWindow().isEmpty(); }, 10000);
        };
        QVERIFY(toTray());

        // ...and back in front when the player starts the program again...
        LauncherRun later(screen, user);
        later.start();
        QVERIFY(later.process.waitForFinished(30000));
        QCOMPARE(later.process.exitCode(), 255);
        QVERIFY(!restarted.findWindow({1280, 730}, 10000).isEmpty());
        // (its tray icon shown without a picture would have warned at the start)
        QVERIFY2(!restarted.printed("No Icon set"), "the tray icon showed before its picture");

        // ...or clicks its tray icon; from the tray, its menu ends the program.
        QVERIFY(toTray());
        const QSize trayIcon(22, 24); // trayer's slot for it
        QVERIFY(restarted.click({11, 12}, trayIcon));
        QVERIFY2(!restarted.findWindow({1280, 730}, 10000).isEmpty(), "the tray icon's click left the window hidden");
        QVERIFY(toTray());
        QVERIFY(restarted.click({11, 12}, trayIcon, 3));
        QRect menu;
        const auto menuShown = [&] {
            for (const QRect &window : restarted.windows())
                menu = window.size() != trayIcon && window.size() != QSize(1280, 730) ? window : menu;
            return !menu.isEmpty();
        };
        QTRY_VERIFY_WITH_TIMEOUT(menuShown(), 10000);
        // The second of its two items: "退出".
        const QPoint exit = menu.topLeft() + QPoint(menu.width() / 2, menu.height() * 3 / 4);
        screen.run("xdotool", {"mousemove", QString::number(exit.x()), QString::number(exit.y()), "click", "1"});
        QVERIFY2(restarted.process.waitForFinished(30000), "the tray menu's exit left the program running");
        QCOMPARE(restarted.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(restarted.process.exitCode(), 0);
        tray.terminate();
        tray.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

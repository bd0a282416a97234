#include "window/windowharness.h"

#include <QTest>

// One copy per user, whatever happens to the others: two started at once,
// one killed, one started while the window sits in the tray (trayer's).
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void oneCopyPerUser();
};

void TestSingleInstance::oneCopyPerUser()
{
    const VirtualScreen screen;
    const LauncherUser user;
    QVERIFY2(!screen.display.isEmpty() && !serviceValue("API_BASE").isEmpty(), "no Xvfb or no local service");
    // A tray to go to: trayer holds the screen's system tray.
    QProcess tray;
    tray.start("trayer", {"--expand", "false", "--widthtype", "pixel", "--width", "64"});
    QTRY_VERIFY_WITH_TIMEOUT(!screen.run("xdotool", {"search", "--class", "trayer"}).trimmed().isEmpty(), 20000);
    const int refused = 255; // exit code -1
    LauncherRun first(screen, user), second(screen, user);
    first.start();
    second.start();
    QTRY_VERIFY_WITH_TIMEOUT(!first.isRunning() || !second.isRunning(), 30000);
    LauncherRun &survivor = first.isRunning() ? first : second;
    QCOMPARE((first.isRunning() ? second : first).process.exitCode(), refused);
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
    const QSize closeTip(480, 364); // 460 x 344 and its shadow
    // (pressed again while a busy machine has not yet taken the press)
    QTRY_VERIFY_WITH_TIMEOUT(restarted.click({1265, 15}) && !restarted.findWindow(closeTip, 3000).isEmpty(), 30000);
    QVERIFY(restarted.click({351, 264}, closeTip));
    QTRY_VERIFY_WITH_TIMEOUT(restarted.findWindow().isEmpty(), 10000);

    // ...and back in front when the player starts the program again.
    LauncherRun later(screen, user);
    later.start();
    QVERIFY(later.process.waitForFinished(30000));
    QCOMPARE(later.process.exitCode(), refused);
    QVERIFY(!restarted.findWindow({1280, 730}, 10000).isEmpty());
    tray.terminate();
    tray.waitForFinished();
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

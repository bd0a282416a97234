#pragma once

#include <QProcess>
#include <QRect>
#include <QTemporaryDir>

// The real aurelith_launcher under test: an Xvfb screen of its own, a fresh
// home (one single-instance lock per LauncherUser), the local service's
// addresses, and xdotool to find its windows and click as a person would.
class VirtualScreen
{
public:
    VirtualScreen(); // display stays empty when Xvfb did not start
    ~VirtualScreen();
    // Runs an X client (xdotool, "import -window root FILE") on this screen; its output.
    QString run(const QString &program, const QStringList &arguments) const;
    QString display;

private:
    QProcess server;
};

struct LauncherUser
{
    LauncherUser(); // bin/ with the program, home/ with runtime/, an empty install/
    QString program() const { return root.path() + "/bin/aurelith_launcher"; }
    QString home() const { return root.path() + "/home"; }
    QString installFolder() const { return root.path() + "/install"; }
    QString installerIni() const { return root.path() + "/bin/config.ini"; } // the installer's record
    // For a program on that X display, or on the headless platform when empty.
    QProcessEnvironment environment(const QString &display) const;
    QTemporaryDir root;
};

class LauncherRun
{
public:
    LauncherRun(const VirtualScreen &screen, const LauncherUser &user);
    ~LauncherRun(); // stops the program if it still runs
    void start();   // with environment; process.kill() is the crash
    // Started, its main window shown and the service's first answers handled
    // (else its output is warned).
    bool startSettled();
    bool isRunning() const { return process.state() != QProcess::NotRunning; }
    bool printed(const QByteArray &text, int timeoutMs = 0); // by then
    // The program's shown window of that size within timeoutMs (1280 x 730 is the
    // main window; dialogs have their own sizes, shadow included), else empty.
    QRect findWindow(QSize size = {1280, 730}, int timeoutMs = 0) const;
    QList<QRect> windows() const; // all its shown windows now
    // at: inside that window; button 3 is the right one
    bool click(QPoint at, QSize windowSize = {1280, 730}, int button = 1) const;
    QProcess process; // stdout and stderr merged
    QProcessEnvironment environment;

private:
    const VirtualScreen &screen;
};

QString serviceValue(const QString &key); // an unquoted value of $LOCAL_SERVICE_DIR/service.env

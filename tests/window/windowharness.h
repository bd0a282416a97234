#pragma once

#include "support/testpaths.h"

#include <QDir>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The real aurelith_launcher under test: an Xvfb screen of its own, a fresh home (one single-instance lock per
// LauncherUser), the local service's addresses, and xdotool to find its windows and click as a person would.

inline QString serviceValue(const QString &key) // an unquoted value of $LOCAL_SERVICE_DIR/service.env
{
    const QString file = qEnvironmentVariable("LOCAL_SERVICE_DIR") + "/service.env";
    return QSettings(file, QSettings::IniFormat).value(key).toString();
}

struct VirtualScreen
{
    VirtualScreen()
    {
        // Xvfb picks a free display and names it on stdout once it accepts clients. -noreset: a program started just as
        // the last client left would find the server resetting.
        server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1600x1000x24", "-nolisten", "tcp", "-noreset"});
        if (!server.waitForReadyRead(20000))
            qFatal("Xvfb did not start");
        display = ":" + QString::fromLatin1(server.readAllStandardOutput()).trimmed();
        qputenv("DISPLAY", display.toLatin1()); // for the X clients this test runs
    }

    ~VirtualScreen()
    {
        server.terminate();
        server.waitForFinished();
    }

    // Runs an X client (xdotool, "import -window root FILE") on this screen; its output.
    QString run(const QString &program, const QStringList &arguments) const
    {
        QProcess tool;
        tool.start(program, arguments);
        tool.waitForFinished(30000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput());
    }

    QProcess server;
    QString display;
};

struct LauncherUser
{
    LauncherUser() // bin/ with the program, home/ with runtime/, an empty install/
    {
        for (const char *folder : {"home/runtime", "install", "bin"})
            QDir(root.path()).mkpath(folder);
        // A copy of the program of its own: the installer's config.ini and downloads sit beside it.
        QFile::copy(TestPaths::programDir() + "/aurelith_launcher", program());
        QFile::link(TestPaths::programDir() + "/language", root.path() + "/bin/language");
        QFile::setPermissions(home() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString program() const { return root.path() + "/bin/aurelith_launcher"; }
    QString home() const { return root.path() + "/home"; }
    QString installFolder() const { return root.path() + "/install"; }
    QString installerIni() const { return root.path() + "/bin/config.ini"; } // the installer's record

    // For a program on that X display, or on the headless platform when empty.
    QProcessEnvironment environment(const QString &display) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *base : {"API_BASE", "WEB_BASE", "REPORT_BASE"})
            environment.insert(QString("LAUNCHER_") + base, serviceValue(base));
        environment.insert("HOME", home());
        environment.insert("XDG_RUNTIME_DIR", home() + "/runtime");
        for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            environment.insert(variable, home() + "/" + QString(variable).toLower());
        environment.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
        if (!display.isEmpty()) // DISPLAY itself was set by the VirtualScreen
            environment.insert("QT_QPA_PLATFORM", "xcb");
        return environment;
    }

    QTemporaryDir root;
};

class LauncherRun
{
public:
    LauncherRun(const VirtualScreen &screen, const LauncherUser &user)
        : environment(user.environment(screen.display))
        , screen(screen)
    {
        process.setProgram(user.program());
        process.setProcessChannelMode(QProcess::MergedChannels);
    }

    ~LauncherRun() // stops the program if it still runs
    {
        process.terminate();
        if (!process.waitForFinished(10000))
            process.kill();
        process.waitForFinished();
    }

    void start() // with environment; process.kill() is the crash
    {
        process.setProcessEnvironment(environment);
        process.start();
        process.waitForStarted();
    }

    // Started, its main window shown and the service's first answers handled (else its output is warned).
    bool startSettled()
    {
        start();
        if (!findWindow({1280, 730}, 60000).isEmpty() && printed("GAME_LOADER_CHECK_UPDATE_FINISH", 60000))
            return true;
        qWarning() << process.readAll().right(3000);
        return false;
    }

    bool isRunning() const { return process.state() != QProcess::NotRunning; }

    bool printed(const QByteArray &text, int timeoutMs = 0) // by then
    {
        return QTest::qWaitFor([&] { return process.peek(1 << 24).contains(text); }, timeoutMs);
    }

    // The program's shown window of that size within timeoutMs (1280 x 730 is the main window; dialogs have their own
    // sizes, shadow included), else empty.
    QRect findWindow(QSize size = {1280, 730}, int timeoutMs = 0) const
    {
        QRect found;
        const auto lookUp = [&] {
            for (const QRect &window : windows())
                found = window.size() == size ? window : found;
            return !found.isEmpty() || !isRunning();
        };
        (void)QTest::qWaitFor(lookUp, timeoutMs);
        return isRunning() ? found : QRect();
    }

    QList<QRect> windows() const // all its shown windows now
    {
        QList<QRect> shown;
        const QString pid = QString::number(process.processId());
        for (const QString &id : screen.run("xdotool", {"search", "--onlyvisible", "--pid", pid}).split('\n')) {
            QMap<QString, int> value; // X, Y, WIDTH, HEIGHT
            for (const QString &line : screen.run("xdotool", {"getwindowgeometry", "--shell", id}).split('\n'))
                value[line.section('=', 0, 0)] = line.section('=', 1).toInt();
            if (!id.isEmpty() && value["WIDTH"] > 0)
                shown << QRect(value["X"], value["Y"], value["WIDTH"], value["HEIGHT"]);
        }
        return shown;
    }

    // at: inside that window; button 3 is the right one
    bool click(QPoint at, QSize windowSize = {1280, 730}, int button = 1) const
    {
        const QRect window = findWindow(windowSize);
        const QPoint position = window.topLeft() + at;
        if (!window.isEmpty())
            screen.run("xdotool", {"mousemove", QString::number(position.x()), QString::number(position.y()), "click",
                                   QString::number(button)});
        return !window.isEmpty();
    }

    QProcess process; // stdout and stderr merged
    QProcessEnvironment environment;

private:
    const VirtualScreen &screen;
};

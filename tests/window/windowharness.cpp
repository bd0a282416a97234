#include "window/windowharness.h"

#include "support/testpaths.h"

#include <QDir>
#include <QSettings>
#include <QTest>

VirtualScreen::VirtualScreen()
{
    // Xvfb picks a free display and names it on stdout once it accepts clients.
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"});
    if (server.waitForReadyRead(20000))
        display = ":" + QString::fromLatin1(server.readAllStandardOutput()).trimmed();
    qputenv("DISPLAY", display.toLatin1()); // for the X clients this test runs
}

VirtualScreen::~VirtualScreen()
{
    server.terminate();
    server.waitForFinished();
}

QString VirtualScreen::run(const QString &program, const QStringList &arguments, bool *ok) const
{
    QProcess tool;
    tool.start(program, arguments);
    const bool done = tool.waitForFinished(30000) && tool.exitCode() == 0;
    if (ok)
        *ok = done;
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

LauncherUser::LauncherUser()
{
    QDir(root.path()).mkpath("home/runtime");
    QDir(root.path()).mkpath("install");
    QFile::setPermissions(home() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QProcessEnvironment LauncherUser::environment(const QString &display) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *base : {"API_BASE", "WEB_BASE", "REPORT_BASE"})
        environment.insert(QString("LAUNCHER_") + base, serviceValue(base));
    environment.insert("HOME", home());
    environment.insert("XDG_RUNTIME_DIR", home() + "/runtime");
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        environment.insert(variable, home() + "/" + QString(variable).toLower());
    environment.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!display.isEmpty()) {
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("DISPLAY", display);
    }
    return environment;
}

QString serviceValue(const QString &key)
{
    return QSettings(qEnvironmentVariable("LOCAL_SERVICE_DIR") + "/service.env", QSettings::IniFormat)
        .value(key)
        .toString();
}

LauncherRun::LauncherRun(const VirtualScreen &screen, const LauncherUser &user)
    : screen(screen)
{
    process.setProcessEnvironment(user.environment(screen.display));
    process.setProcessChannelMode(QProcess::MergedChannels);
}

LauncherRun::~LauncherRun()
{
    process.terminate();
    if (!process.waitForFinished(10000))
        process.kill();
    process.waitForFinished();
}

void LauncherRun::start()
{
    process.start(TestPaths::programDir() + "/aurelith_launcher", QStringList());
    process.waitForStarted();
}

QRect LauncherRun::findWindow(QSize size, int timeoutMs) const
{
    QRect found;
    const auto lookUp = [&] {
        const QString pid = QString::number(process.processId());
        for (const QString &id : screen.run("xdotool", {"search", "--onlyvisible", "--pid", pid}).split('\n')) {
            QMap<QString, int> value; // X, Y, WIDTH, HEIGHT
            for (const QString &line : screen.run("xdotool", {"getwindowgeometry", "--shell", id}).split('\n'))
                value[line.section('=', 0, 0)] = line.section('=', 1).toInt();
            if (!id.isEmpty() && QSize(value["WIDTH"], value["HEIGHT"]) == size)
                found = QRect(QPoint(value["X"], value["Y"]), size);
        }
        return !found.isEmpty() || !isRunning();
    };
    (void)QTest::qWaitFor(lookUp, timeoutMs);
    return isRunning() ? found : QRect();
}

bool LauncherRun::click(QPoint at, QSize windowSize) const
{
    const QRect window = findWindow(windowSize);
    const QPoint position = window.topLeft() + at;
    bool ok = false;
    if (!window.isEmpty())
        screen.run("xdotool", {"mousemove", QString::number(position.x()), QString::number(position.y()), "click", "1"},
                   &ok);
    return ok;
}

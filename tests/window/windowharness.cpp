#include "window/windowharness.h"

#include "support/testpaths.h"

#include <QDir>
#include <QSettings>
#include <QTest>

VirtualScreen::VirtualScreen()
{
    // Xvfb picks a free display and names it on stdout once it accepts clients.
    // -noreset: a program started just as the last client left would find the server resetting.
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1600x1000x24", "-nolisten", "tcp", "-noreset"});
    if (server.waitForReadyRead(20000))
        display = ":" + QString::fromLatin1(server.readAllStandardOutput()).trimmed();
    qputenv("DISPLAY", display.toLatin1()); // for the X clients this test runs
}

VirtualScreen::~VirtualScreen()
{
    server.terminate();
    server.waitForFinished();
}

QString VirtualScreen::run(const QString &program, const QStringList &arguments) const
{
    QProcess tool;
    tool.start(program, arguments);
    tool.waitForFinished(30000);
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

LauncherUser::LauncherUser()
{
    for (const char *folder : {"home/runtime", "install", "bin"})
        QDir(root.path()).mkpath(folder);
    // A copy of the program of its own: the installer's config.ini and downloads sit beside it.
    QFile::copy(TestPaths::programDir() + "/aurelith_launcher", program());
    QFile::link(TestPaths::programDir() + "/language", root.path() + "/bin/language");
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
    if (!display.isEmpty()) // DISPLAY itself was set by the VirtualScreen
        environment.insert("QT_QPA_PLATFORM", "xcb");
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
    process.setProgram(user.program());
    environment = user.environment(screen.display);
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
    process.setProcessEnvironment(environment);
    process.start();
    process.waitForStarted();
}

bool LauncherRun::startSettled()
{
    start();
    if (!findWindow({1280, 730}, 60000).isEmpty() && printed("GAME_LOADER_CHECK_UPDATE_FINISH", 60000))
        return true;
    qWarning() << process.readAll().right(3000);
    return false;
}

bool LauncherRun::printed(const QByteArray &text, int timeoutMs)
{
    return QTest::qWaitFor([&] { return process.peek(1 << 24).contains(text); }, timeoutMs);
}

QRect LauncherRun::findWindow(QSize size, int timeoutMs) const
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

QList<QRect> LauncherRun::windows() const
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

bool LauncherRun::click(QPoint at, QSize windowSize, int button) const
{
    const QRect window = findWindow(windowSize);
    const QPoint position = window.topLeft() + at;
    if (!window.isEmpty())
        screen.run("xdotool", {"mousemove", QString::number(position.x()), QString::number(position.y()), "click",
                               QString::number(button)});
    return !window.isEmpty();
}

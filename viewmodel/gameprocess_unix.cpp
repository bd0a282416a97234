#include "viewmodel/gameprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QThread>

#include <csignal>
#include <sys/types.h>

namespace {

// The kernel keeps at most 15 characters of a process name in "comm".
constexpr int kCommLength = 15;

bool isZombie(const QString &procEntry)
{
    QFile stat(procEntry + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // "pid (comm) state ...": the name may hold blanks and brackets, the state follows the last ')'.
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
}

bool matches(const QString &procEntry, const QString &exeName)
{
    // An ended process its parent has not reaped yet is no running game.
    if (isZombie(procEntry))
        return false;
    QFile comm(procEntry + QStringLiteral("/comm"));
    if (comm.open(QIODevice::ReadOnly) && QString::fromLocal8Bit(comm.readAll()).trimmed() == exeName.left(kCommLength))
        return true;
    const QString exe = QFileInfo(procEntry + QStringLiteral("/exe")).symLinkTarget();
    return !exe.isEmpty() && QFileInfo(exe).fileName() == exeName;
}

QList<qint64> processesNamed(const QString &exeName)
{
    QList<qint64> pids;
    if (exeName.isEmpty())
        return pids;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (isPid && pid != self && matches(QStringLiteral("/proc/") + entry, exeName))
            pids.append(pid);
    }
    return pids;
}

} // namespace

bool GameProcess::isRunning(const QString &exeName)
{
    return !processesNamed(exeName).isEmpty();
}

void GameProcess::kill(const QString &exeName)
{
    for (qint64 pid : processesNamed(exeName))
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    QElapsedTimer waited;
    waited.start();
    while (isRunning(exeName) && waited.elapsed() < 5000)
        QThread::msleep(20);
}

#include "viewmodel/gameprocess.h"

#include <QProcess>

bool GameProcess::isRunning(const QString &exeName)
{
    QProcess tasklist;
    tasklist.start(QStringLiteral("tasklist"), {QStringLiteral("/FI"), QStringLiteral("imagename eq ") + exeName});
    tasklist.waitForFinished(30000);
    return QString::fromLocal8Bit(tasklist.readAllStandardOutput()).contains(exeName);
}

void GameProcess::kill(const QString &exeName)
{
    QProcess::execute(QStringLiteral("taskkill"), {QStringLiteral("/im"), exeName, QStringLiteral("/f")});
}

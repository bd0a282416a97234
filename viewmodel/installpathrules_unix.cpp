#include "viewmodel/installpathrules.h"

#include <QDir>

// Programs live in read-only system folders here, so the game goes below home.
QString InstallPathRules::defaultInstallPath(const QString &appDirPath)
{
    Q_UNUSED(appDirPath)
    return QDir::homePath() + QStringLiteral("/Games/Aurelith");
}

#include "viewmodel/installpathrules.h"

QString InstallPathRules::defaultInstallPath(const QString &appDirPath)
{
    return appDirPath + QStringLiteral("/Games");
}

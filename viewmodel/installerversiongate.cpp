#include "viewmodel/installerversiongate.h"

#include "net/updateversioninfo.h"

#include <QUrl>

QString InstallerVersionGate::installerVersion()
{
    return QStringLiteral("2.1.1.0");
}

bool InstallerVersionGate::turnsAway(const QString &minVersion)
{
    // -2 (a part that is no number) and 0 or -1 all let the installer run.
    return compareVersion(installerVersion(), minVersion) > 0;
}

bool InstallerVersionGate::hasDownloadAddress(const QString &forceUpdateUrl)
{
    return QUrl(forceUpdateUrl).isValid() && !forceUpdateUrl.isEmpty();
}

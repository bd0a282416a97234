#include "dialogs/installpathcheck.h"

#include <QFileInfo>
#include <QStorageInfo>

bool InstallPathCheck::isValidInstallPath(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path))
        return true;
    const QString volume = volumeOf(path);
    if (volume.size() < 2 || !QFileInfo::exists(volume))
        return false;
    return !hasForbiddenCharacter(path.mid(volume.size()));
}

QString InstallPathCheck::volumeOf(const QString &path)
{
    // The drive part up to and including the first colon, "D:".
    return path.left(path.indexOf(QLatin1Char(':')) + 1);
}

qint64 InstallPathCheck::availableBytes(const QString &volume)
{
    if (volume.isEmpty())
        return -1;
    const QStorageInfo storage(volume);
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
}

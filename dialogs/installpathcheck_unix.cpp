#include "dialogs/installpathcheck.h"

#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>

namespace {

// The longest leading part of an absolute path that exists; empty for a
// relative path.
QString nearestExistingAncestor(const QString &path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return QString();
    QString candidate = path;
    while (candidate != QLatin1String("/") && !QFileInfo::exists(candidate)) {
        const int slash = candidate.lastIndexOf(QLatin1Char('/'));
        candidate = slash <= 0 ? QStringLiteral("/") : candidate.left(slash);
    }
    return candidate;
}

} // namespace

bool InstallPathCheck::isValidInstallPath(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path))
        return true;
    const QString ancestor = nearestExistingAncestor(path);
    if (ancestor.isEmpty() || !QFileInfo(ancestor).isDir())
        return false;
    return !hasForbiddenCharacter(path.mid(ancestor.size()));
}

QString InstallPathCheck::volumeOf(const QString &path)
{
    // An existing path is valid even when relative; its space is its own.
    if (QFileInfo::exists(path))
        return path;
    return nearestExistingAncestor(path);
}

qint64 InstallPathCheck::availableBytes(const QString &volume)
{
    // statvfs asks the file system itself; QStorageInfo first looks the path
    // up in the mount table, which a chroot or sandbox may not show.
    struct statvfs info;
    if (volume.isEmpty() || ::statvfs(QFile::encodeName(volume).constData(), &info) != 0)
        return -1;
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

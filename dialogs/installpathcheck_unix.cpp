#include "dialogs/installpathcheck.h"

#include <QFileInfo>

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

#include "setup/extractpath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString ExtractPath::resolve(const QString &rootDir, const QString &untrustedPath)
{
    QStringList components;
    if (!splitRelative(untrustedPath, &components))
        return QString();
    if (!staysInsideThroughLinks(rootDir, components))
        return QString();
    QString root = rootDir;
    if (!root.endsWith(QLatin1Char('/')) && !root.endsWith(QLatin1Char('\\')))
        root += QLatin1Char('/');
    return root + components.join(QLatin1Char('/'));
}

namespace {

bool isLink(const QFileInfo &info)
{
#ifdef Q_OS_WIN
    if (info.isJunction())
        return true;
#endif
    return info.isSymLink();
}

} // namespace

bool ExtractPath::splitRelative(const QString &untrustedPath, QStringList *components)
{
    QString path = untrustedPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')))
        return false;
    // "C:x" is relative to a drive's current folder on Windows: never ours.
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter())
        return false;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return false;
#ifdef Q_OS_WIN
        // Alternate data streams and device names ride on ':'.
        if (part.contains(QLatin1Char(':')))
            return false;
#endif
        components->append(part);
    }
    return !components->isEmpty();
}

bool ExtractPath::staysInsideThroughLinks(const QString &rootDir, const QStringList &components)
{
    QString canonicalRoot = QFileInfo(rootDir).canonicalFilePath();
    if (canonicalRoot.isEmpty())
        canonicalRoot = QDir::cleanPath(QFileInfo(rootDir).absoluteFilePath());
    QString current = QDir::cleanPath(rootDir);
    for (const QString &component : components) {
        current += QLatin1Char('/') + component;
        const QFileInfo info(current);
        if (isLink(info)) {
            const QString target = info.canonicalFilePath();
            if (target.isEmpty())
                return false;
            if (target != canonicalRoot && !target.startsWith(canonicalRoot + QLatin1Char('/')))
                return false;
        } else if (!info.exists()) {
            // Nothing further down exists, so no link can be met there.
            return true;
        }
    }
    return true;
}

#include "setup/extractpath.h"

bool ExtractPath::split(const QString &untrustedPath, QStringList *components, ParentParts parentParts)
{
    QString path = untrustedPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')))
        return false;
    // "C:x" is relative to a drive's current folder on Windows: never ours.
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter())
        return false;
    components->clear();
    int depth = 0;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String("."))
            continue;
        // A name that would climb out is refused either way.
        if (part == QLatin1String("..")) {
            if (--depth < 0)
                return false;
            if (parentParts == ParentParts::Resolved)
                components->removeLast();
            continue;
        }
#ifdef Q_OS_WIN
        // Alternate data streams and device names ride on ':'.
        if (part.contains(QLatin1Char(':')))
            return false;
#endif
        ++depth;
        components->append(part);
    }
    return true;
}

bool ExtractPath::isInside(const QString &canonicalRoot, const QString &canonicalPath)
{
    if (canonicalRoot.isEmpty() || canonicalPath.isEmpty())
        return false;
    if (canonicalPath == canonicalRoot)
        return true;
    const QString prefix = canonicalRoot.endsWith(QLatin1Char('/')) ? canonicalRoot : canonicalRoot + QLatin1Char('/');
    return canonicalPath.startsWith(prefix);
}

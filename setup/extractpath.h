#pragma once

#include <QString>

// The one place where a path named by untrusted input (an archive item, a
// line of the deletion list) is turned into a path on disk. A path is
// refused when it is absolute, carries a drive or share, has a ".."
// component, names the folder itself, or passes through a link that leads
// out of the folder.
class ExtractPath
{
public:
    // rootDir + the cleaned relative path, or a null string when refused.
    static QString resolve(const QString &rootDir, const QString &untrustedPath);

private:
    static bool splitRelative(const QString &untrustedPath, QStringList *components);
    static bool staysInsideThroughLinks(const QString &rootDir, const QStringList &components);
};

#pragma once

#include <QString>
#include <QStringList>

// The one place where a name from untrusted input (an archive item, a line of
// the deletion list) becomes a place below a folder. The check is lexical:
// links met on the way are judged by the caller, once per folder, with
// isInside().
class ExtractPath
{
public:
    enum class ParentParts {
        Dropped, // archive items, placed as "7z x" places them
        Resolved // a list of paths: "a/../b" is "b"
    };

    // The components below the folder, "." parts dropped. False when the name
    // is absolute, carries a drive or share, or climbs above the folder. An
    // empty list names the folder itself.
    static bool split(const QString &untrustedPath, QStringList *components,
                      ParentParts parentParts = ParentParts::Dropped);
    // path is root or lies below it; both canonical, no trailing separator.
    static bool isInside(const QString &canonicalRoot, const QString &canonicalPath);
};

#pragma once

#include <QString>

// The platform's rules for an install folder typed or chosen by the player.
// Windows judges a path by its drive part ("D:"); platforms without drive
// parts use the mount point holding the nearest existing ancestor.
class InstallPathCheck
{
public:
    // Valid when the path exists, or when its volume exists and the part
    // after it holds none of the characters a folder name may not contain.
    static bool isValidInstallPath(const QString &path);

    // A path that QStorageInfo resolves to the volume that would hold path;
    // empty when there is none.
    static QString volumeOf(const QString &path);

    // Bytes free for the player on the volume holding path; -1 when it
    // cannot be read.
    static qint64 availableBytes(const QString &volume);

private:
    static bool hasForbiddenCharacter(const QString &text);
};

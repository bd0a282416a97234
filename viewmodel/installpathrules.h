#pragma once

#include <QString>

// The install folder's rules, apart from any window: how the path is shown,
// normalised and kept out of the installer's own folder, and which executable
// name may be trusted.
class InstallPathRules
{
public:
    static constexpr int kMaxCandidates = 1000;

    // Up to 100 characters in full, otherwise the first and last 40 around " ... ".
    static QString displayForm(const QString &path);
    // Collapses doubled separators and drops one trailing separator.
    static QString normalised(const QString &path);
    // A path recorded relative to the working folder would point elsewhere next start.
    static QString absoluteForm(const QString &path);
    static QString defaultInstallPath(const QString &appDirPath);

    // The install path itself when it does not hold the installer's folder;
    // otherwise the first of path, path/Games, path/Games1, ... that is missing,
    // empty or an earlier installation. Empty when none of kMaxCandidates is.
    static QString resolveInstallFolder(const QString &path, const QString &appDirPath, const QString &exeName);

    // The server's executable name, or the default when it is empty or could
    // lead out of the install folder.
    static QString safeExeName(const QString &entry);
    static QString defaultExeName();

private:
    static bool canTake(const QString &candidate, const QString &exeName);
};

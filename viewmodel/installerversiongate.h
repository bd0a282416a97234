#pragma once

#include <QString>

// Whether this installer is too old for the service, and what the player is told.
class InstallerVersionGate
{
public:
    static QString installerVersion();

    // Only a minimum that compares as newer than this installer turns it away;
    // an empty or malformed minimum lets it run.
    static bool turnsAway(const QString &minVersion);
    // The address the notice opens; invalid when none is usable.
    static bool hasDownloadAddress(const QString &forceUpdateUrl);
};

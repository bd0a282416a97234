#pragma once

#include <QString>
#include <QtGlobal>

// The texts the window shows while a package is downloaded and installed.
// They are translated in the controller's context, where the catalogues keep them.
class ProgressTexts
{
public:
    // Whole percent, truncated; 0 for an empty or unknown total.
    static qint64 percent(qint64 done, qint64 total);

    static QString downloading(qint64 done, qint64 total);
    static QString installing(qint64 done, qint64 total);
    // From 0.9 MB/s upwards the speed reads in MB/S, below it in KB/S.
    static QString speed(double kilobytesPerSecond, qint64 remainingBytes);
    static QString idleSpeed();
    static QString remainingTime(qint64 remainingBytes, double kilobytesPerSecond);
    static QString idleRemainingTime();
    // The "downloaded" field of the download start event: "0%" while the size is unknown.
    static QString downloadedField(qint64 done, qint64 total);
};

#pragma once

#include <QtGlobal>

// Speed of one stage (a download or an extraction), measured between
// updates of the whole-second clock. Each stage starts from a fresh
// baseline: its first report is the base, so bytes already there when it
// began (a resumed download, the previous stage) never count as speed.
class RateMeter
{
public:
    void restart(qint64 nowSecs);
    // True, with the speed in KB/s since the last update, when the clock has
    // moved on by at least a second; false for reports within that second.
    bool sample(qint64 bytes, qint64 nowSecs, double *kilobytesPerSecond);

private:
    bool baselineTaken = false;
    qint64 lastBytes = 0;
    qint64 lastSecs = 0;
};

#include "viewmodel/ratemeter.h"

void RateMeter::restart(qint64 nowSecs)
{
    baselineTaken = false;
    lastBytes = 0;
    lastSecs = nowSecs;
}

bool RateMeter::sample(qint64 bytes, qint64 nowSecs, double *kilobytesPerSecond)
{
    if (!baselineTaken) {
        baselineTaken = true;
        lastBytes = bytes;
    }
    const qint64 elapsed = nowSecs - lastSecs;
    if (elapsed < 1)
        return false;
    *kilobytesPerSecond = qMax(0.0, double(bytes - lastBytes) / 1024.0 / double(elapsed));
    lastBytes = bytes;
    lastSecs = nowSecs;
    return true;
}

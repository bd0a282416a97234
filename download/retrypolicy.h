#pragma once

#include <QByteArray>

// When to try a request again: after a transport error, a time-out or a
// transient answer, up to a number of failures in a row without progress,
// waiting twice as long each time (or as long as the server asks).
class retrypolicy
{
public:
    static bool isTransientStatus(int status);

    // Counts a failure. The milliseconds to wait before the next try, or -1
    // when no try is left. retryAfter is the answer's Retry-After, if any.
    int failed(const QByteArray &retryAfter = QByteArray());
    // Bytes arrived: the next failure is the first in a row again.
    void progressed() { m_failures = 0; }
    void setFirstDelay(int milliseconds) { m_firstDelayMs = milliseconds; }

private:
    static int retryAfterMs(const QByteArray &value);

    int m_failures = 0;
    int m_maxRetries = 5;
    int m_firstDelayMs = 1000;
};

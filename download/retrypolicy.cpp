#include "download/retrypolicy.h"

#include <QDateTime>

namespace {

// Waits double from the first up to this many times the first: 1 s to 16 s,
// so five tries in a row span a 30 s outage.
const int kLongestDelayFactor = 16;
const int kLongestRetryAfterMs = 30000;

} // namespace

bool retrypolicy::isTransientStatus(int status)
{
    return status == 408 || status == 429 || status == 500 || status == 502 || status == 503 || status == 504;
}

int retrypolicy::failed(const QByteArray &retryAfter)
{
    ++m_failures;
    if (m_failures > m_maxRetries)
        return -1;
    const int asked = retryAfterMs(retryAfter);
    if (asked >= 0)
        return asked;
    return m_firstDelayMs * qMin(1 << (m_failures - 1), kLongestDelayFactor);
}

// Seconds or an HTTP date; -1 when absent or unreadable. Longer waits are cut
// to 30 s: a player would take a longer silence for a hang.
int retrypolicy::retryAfterMs(const QByteArray &value)
{
    const QByteArray text = value.trimmed();
    if (text.isEmpty())
        return -1;
    bool isNumber = false;
    const qint64 seconds = text.toLongLong(&isNumber);
    qint64 ms = -1;
    if (isNumber && seconds >= 0) {
        ms = seconds * 1000;
    } else {
        const QDateTime when = QDateTime::fromString(QString::fromLatin1(text), Qt::RFC2822Date);
        if (when.isValid())
            ms = qMax<qint64>(0, QDateTime::currentDateTimeUtc().msecsTo(when));
    }
    return ms < 0 ? -1 : int(qMin<qint64>(ms, kLongestRetryAfterMs));
}

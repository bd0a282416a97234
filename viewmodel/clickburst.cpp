#include "viewmodel/clickburst.h"

ClickBurst::ClickBurst(int presses, int seconds)
    : m_presses(presses)
    , m_seconds(seconds)
{}

bool ClickBurst::press(const QTime &now)
{
    if (!m_windowStart.isValid())
        m_windowStart = now;
    ++m_count;
    const int elapsed = m_windowStart.secsTo(now);
    if (elapsed > m_seconds) {
        m_windowStart = now;
        m_count = 0;
    }
    if (m_windowStart.secsTo(now) < m_seconds && m_count >= m_presses) {
        m_count = 0;
        return true;
    }
    return false;
}

#pragma once

#include <QTime>

// Counts presses within a window of seconds: the hidden information dialog
// opens on the tenth press within five seconds of a window's first press.
class ClickBurst
{
public:
    ClickBurst(int presses, int seconds);

    // True when this press completes a burst; the count then starts again.
    bool press(const QTime &now);

private:
    int m_presses;
    int m_seconds;
    int m_count = 0;
    QTime m_windowStart;
};

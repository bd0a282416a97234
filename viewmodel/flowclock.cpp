#include "viewmodel/flowclock.h"

#include <QDateTime>
#include <QTimer>

namespace {

class TimerTicker : public FlowTicker
{
public:
    TimerTicker(int intervalMs, QObject *parent)
        : FlowTicker(parent)
    {
        timer.setInterval(intervalMs);
        connect(&timer, &QTimer::timeout, this, &FlowTicker::tick);
    }
    void start() override { timer.start(); }
    void stop() override { timer.stop(); }
    bool isActive() const override { return timer.isActive(); }
    int intervalMs() const override { return timer.interval(); }

private:
    QTimer timer;
};

} // namespace

qint64 FlowClock::nowSecs() const
{
    return QDateTime::currentSecsSinceEpoch();
}

FlowTicker *FlowClock::ticker(int intervalMs, QObject *parent)
{
    return new TimerTicker(intervalMs, parent);
}

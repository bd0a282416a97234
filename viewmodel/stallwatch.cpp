#include "viewmodel/stallwatch.h"

namespace {
const int kTickMs = 10;
}

StallWatch::StallWatch(QObject *parent)
    : QObject(parent)
{
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(kTickMs);
    connect(&timer, &QTimer::timeout, this, &StallWatch::tick);
}

void StallWatch::restart()
{
    worst = 0;
    sinceTick.start();
    sinceRestart.start();
    timer.start();
}

void StallWatch::tick()
{
    worst = qMax(worst, sinceTick.restart() - kTickMs);
}

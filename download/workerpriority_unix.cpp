#include "download/workerpriority.h"

#include <pthread.h>
#include <sched.h>

namespace {

bool setPolicy(int policy)
{
    sched_param param{};
    param.sched_priority = 0;
    return pthread_setschedparam(pthread_self(), policy, &param) == 0;
}

} // namespace

bool workerpriority::runInBackground()
{
    return setPolicy(SCHED_IDLE);
}

bool workerpriority::runNormally()
{
    return setPolicy(SCHED_OTHER);
}

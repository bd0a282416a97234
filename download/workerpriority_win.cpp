#include "download/workerpriority.h"

#include <windows.h>

bool workerpriority::runInBackground()
{
    return SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE) != 0;
}

bool workerpriority::runNormally()
{
    return SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL) != 0;
}

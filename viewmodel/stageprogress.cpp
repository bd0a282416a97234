#include "viewmodel/stageprogress.h"

bool StageProgress::raise(float &highest, qint64 done, qint64 total)
{
    if (total <= 0)
        return false;
    const float ratio = float(done) / float(total);
    if (!(ratio > 0.0f) || !(ratio > highest))
        return false;
    highest = qMin(1.0f, ratio);
    return true;
}

#pragma once

#include <QtGlobal>

// The progress value of one stage follows the reports but never goes back;
// a new stage (highest set to -1) leaves the old value shown until its own
// ratio passes 0.
class StageProgress
{
public:
    static constexpr float kNone = -1.0f;

    // True, with highest raised to the value to show, when done/total is
    // above it; an empty or unknown total shows nothing.
    static bool raise(float &highest, qint64 done, qint64 total);
};

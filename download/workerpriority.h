#pragma once

// The digest taken while downloading competes with the download for the CPU
// only where the download is so fast that it needs it all (a local host):
// there the hashing runs on what the download leaves over, and catches up
// after the last byte. A thread asks this for itself.
class workerpriority
{
public:
    // Only what other threads leave idle. False when the system refuses.
    static bool runInBackground();
    // Back to the ordinary share; an unprivileged thread may not be let back
    // (Linux), and then stays in the background: idle time is all a finished
    // download leaves to compete for.
    static bool runNormally();
};

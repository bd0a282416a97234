#pragma once

#include <QString>

// The installed game as a running process, looked up by executable name.
class GameProcess
{
public:
    static bool isRunning(const QString &exeName);
    // Ends every process of that name and waits for them to go.
    static void kill(const QString &exeName);
};

#pragma once

#include <QString>

#include <functional>

class Messages;

// The game must not run while its folder is written: the player is asked to
// let the installer end it first.
class RunningGame
{
public:
    explicit RunningGame(Messages &messages);

    // True when the game of exeName is not running. Otherwise false, and the
    // player is asked: yes ends the game and runs proceed, no runs decline.
    bool allowsInstall(const QString &exeName, const std::function<void()> &proceed,
                       const std::function<void()> &decline);

private:
    Messages &messages;
};

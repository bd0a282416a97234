#include "viewmodel/runninggame.h"

#include "viewmodel/gameprocess.h"
#include "viewmodel/messages.h"

#include <QCoreApplication>

RunningGame::RunningGame(Messages &messages)
    : messages(messages)
{}

bool RunningGame::allowsInstall(const QString &exeName, const std::function<void()> &proceed,
                                const std::function<void()> &decline)
{
    if (!GameProcess::isRunning(exeName))
        return true;
    messages.show(
        QCoreApplication::translate("MainViewModel", "警告"),
        QCoreApplication::translate("MainViewModel", "游戏已启动，点击将关闭游戏，继续安装！"),
        [exeName, proceed, decline](bool confirmed) {
            if (!confirmed) {
                decline();
                return;
            }
            GameProcess::kill(exeName);
            proceed();
        },
        true);
    return false;
}

#pragma once

#include "common/errordefine.h"

#include <QString>

#include <functional>

class QWidget;
class SceneAccess;

// Messages and dialogs over the window: each darkens it with the mask, and a
// message's confirm action is kept for the scene's own confirm calls.
class Messages
{
public:
    using ConfirmAction = std::function<void(bool)>;

    explicit Messages(const SceneAccess &scene);

    // Runs a modal under the mask; nested modals share it, so only the last
    // one to close lifts it. Returns what runModal returned.
    int runOverMask(const std::function<int()> &runModal);
    void show(const QString &title, const QString &text, ConfirmAction action, bool withCancel);
    // The scene's confirm: runs the latest message's action again.
    void confirm(bool value);
    void centre(QWidget *dialog) const;

    // A failed stage: "[code]:text" under title, and its report.
    void showError(const QString &title, ErrorDefine::ErrorCode error, const QString &msg);

private:
    const SceneAccess &scene;
    ConfirmAction pendingConfirmAction;
};

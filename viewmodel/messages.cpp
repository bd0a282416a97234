#include "viewmodel/messages.h"

#include "dialogs/cdlgyesno.h"
#include "report/statusreport.h"
#include "viewmodel/sceneaccess.h"
#include "viewmodel/scenegrab.h"

#include <QWidget>

Messages::Messages(const SceneAccess &scene)
    : scene(scene)
{}

int Messages::runOverMask(const std::function<int()> &runModal)
{
    const bool masked = scene.write(QStringLiteral("bgMask_msgbox"), "visible", QStringLiteral("true"));
    const int result = runModal();
    SceneGrab::releaseStale(scene.root());
    if (masked && CDlgYesNo::openMessageCount() == 0)
        scene.write(QStringLiteral("bgMask_msgbox"), "visible", QStringLiteral("false"));
    return result;
}

void Messages::show(const QString &title, const QString &text, ConfirmAction action, bool withCancel)
{
    // The stored action is what the scene's confirm calls run again later. The
    // message itself runs its own action: a message opened on top of this one
    // replaces the stored action, and must not take this one's answer.
    pendingConfirmAction = action;
    const QRect over = scene.rootRect();
    runOverMask([&] {
        const int result = CDlgYesNo::showMessage(title, text, withCancel, nullptr, over);
        if (action)
            action(result == 1);
        return result;
    });
}

void Messages::confirm(bool value)
{
    if (pendingConfirmAction)
        pendingConfirmAction(value);
}

void Messages::centre(QWidget *dialog) const
{
    dialog->move(scene.centredTopLeft(dialog->size()));
}

void Messages::showError(const QString &title, ErrorDefine::ErrorCode error, const QString &msg)
{
    show(title, QStringLiteral("[%1]:%2").arg(QString::number(error), msg), ConfirmAction(), true);
    const StatusReport::Fields fields{{QStringLiteral("errorCode"), errorCodeName(error)},
                                      {QStringLiteral("errorDesc"), msg}};
    StatusReport::instance()->report(StatusReport::GAME_LOADER_ERROR, &fields);
}

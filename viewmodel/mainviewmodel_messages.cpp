#include "viewmodel/mainviewmodel.h"

#include "dialogs/cdlgyesno.h"
#include "report/statusreport.h"
#include "viewmodel/sceneaccess.h"
#include "viewmodel/scenegrab.h"

#include <QDebug>

namespace {

QString errorText(ErrorDefine::ErrorCode error, const QString &msg)
{
    return QStringLiteral("[%1]:%2").arg(QString::number(error), msg);
}

void reportError(ErrorDefine::ErrorCode error, const QString &msg)
{
    const StatusReport::Fields fields{{QStringLiteral("errorCode"), errorCodeName(error)},
                                      {QStringLiteral("errorDesc"), msg}};
    StatusReport::instance()->report(StatusReport::GAME_LOADER_ERROR, &fields);
}

} // namespace

// Every modal over the window darkens it; nested messages share the mask, so
// only the last one to close lifts it.
int MainViewModel::runOverMask(const std::function<int()> &runModal)
{
    const SceneAccess scene(rootObject);
    const bool masked = scene.write(QStringLiteral("bgMask_msgbox"), "visible", QStringLiteral("true"));
    const int result = runModal();
    SceneGrab::releaseStale(rootObject);
    if (masked && CDlgYesNo::openMessageCount() == 0)
        scene.write(QStringLiteral("bgMask_msgbox"), "visible", QStringLiteral("false"));
    return result;
}

void MainViewModel::showMessageBox(const QString &title, const QString &text, ConfirmAction action, bool withCancel)
{
    // The stored action is what the scene's confirm calls run again later. The
    // message itself runs its own action: a message opened on top of this one
    // replaces the stored action, and must not take this one's answer.
    pendingConfirmAction = action;
    const QRect over = SceneAccess(rootObject).rootRect();
    runOverMask([&] {
        const int result = CDlgYesNo::showMessage(title, text, withCancel, nullptr, over);
        if (action)
            action(result == 1);
        return result;
    });
}

void MainViewModel::onDownloadError(ErrorDefine::ErrorCode error, QString msg)
{
    lastProgress = StageProgress::kNone;
    refreshGameState();
    applyPageContent();
    showMessageBox(tr("下载错误"), errorText(error, msg), ConfirmAction(), true);
    reportError(error, msg);
    if (error == ErrorDefine::DOWNLOAD_MD5_ERROR)
        StatusReport::instance()->report(StatusReport::PROGRAM_HOME_MD5);
}

void MainViewModel::onHttpError(ErrorDefine::ErrorCode error, QString msg)
{
    refreshGameState();
    showMessageBox(tr("下载错误"), errorText(error, msg), ConfirmAction(), true);
    reportError(error, msg);
}

void MainViewModel::onSetupError(ErrorDefine::ErrorCode error, QString msg)
{
    lastProgress = StageProgress::kNone;
    // While the plugin extracts, the shared extractor's reports are the plugin's.
    if (pluginSetupRunning)
        return;
    qDebug() << QStringLiteral("error:%1,msg:%2").arg(QString::number(error), msg);
    refreshGameState();
    showMessageBox(tr("安装错误"), errorText(error, msg), ConfirmAction(), true);
    reportError(error, msg);
}

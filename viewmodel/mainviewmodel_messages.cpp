#include "viewmodel/mainviewmodel.h"

void MainViewModel::showMessageBox(const QString &title, const QString &text, ConfirmAction action, bool withCancel)
{
    Q_UNUSED(title)
    Q_UNUSED(text)
    Q_UNUSED(withCancel)
    pendingConfirmAction = action;
}

void MainViewModel::onDownloadError(ErrorDefine::ErrorCode error, QString msg)
{
    Q_UNUSED(error)
    Q_UNUSED(msg)
}

void MainViewModel::onHttpError(ErrorDefine::ErrorCode error, QString msg)
{
    Q_UNUSED(error)
    Q_UNUSED(msg)
}

void MainViewModel::onSetupError(ErrorDefine::ErrorCode error, QString msg)
{
    Q_UNUSED(error)
    Q_UNUSED(msg)
}

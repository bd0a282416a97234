#include "viewmodel/installerrors.h"

#include "report/statusreport.h"
#include "viewmodel/gamestatus.h"
#include "viewmodel/messages.h"
#include "viewmodel/progressdisplay.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("MainViewModel", text);
}

} // namespace

InstallErrors::InstallErrors(GameStatus &status, Messages &messages, ProgressDisplay &display, QObject *parent)
    : QObject(parent)
    , status(status)
    , messages(messages)
    , display(display)
{}

void InstallErrors::downloadFailed(ErrorDefine::ErrorCode error, const QString &msg)
{
    display.newStage();
    status.refresh();
    emit pageStale();
    messages.showError(translated(QT_TRANSLATE_NOOP("MainViewModel", "下载错误")), error, msg);
    if (error == ErrorDefine::DOWNLOAD_MD5_ERROR)
        StatusReport::instance()->report(StatusReport::PROGRAM_HOME_MD5);
}

void InstallErrors::httpFailed(ErrorDefine::ErrorCode error, const QString &msg)
{
    status.refresh();
    messages.showError(translated(QT_TRANSLATE_NOOP("MainViewModel", "下载错误")), error, msg);
}

void InstallErrors::extractFailed(ErrorDefine::ErrorCode error, const QString &msg)
{
    display.newStage();
    qDebug() << QStringLiteral("error:%1,msg:%2").arg(QString::number(error), msg);
    status.refresh();
    messages.showError(translated(QT_TRANSLATE_NOOP("MainViewModel", "安装错误")), error, msg);
}

void InstallErrors::reportMetaDataDismissed()
{
    StatusReport::instance()->report(StatusReport::GLOBAL_META_DATA_DISSMISS_OR_ZERO);
}

void InstallErrors::reportMetaDataFailed()
{
    StatusReport::instance()->report(StatusReport::GLOBAL_META_DATA_ERROR);
}

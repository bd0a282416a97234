#include "viewmodel/installrequest.h"

#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "viewmodel/gameinstall.h"
#include "viewmodel/gamestatus.h"
#include "viewmodel/installfolder.h"
#include "viewmodel/messages.h"

#include <QCoreApplication>

namespace {

void reportPathError(const QString &error)
{
    const StatusReport::Fields fields{{QStringLiteral("error"), error}};
    StatusReport::instance()->report(StatusReport::GAME_LOADER_CHECK_INSTALL_PATH_ERROR, &fields);
}

QString translated(const char *text)
{
    return QCoreApplication::translate("MainViewModel", text);
}

} // namespace

InstallRequest::InstallRequest(const UpdateVersionInfo &info, GameStatus &status, InstallFolder &folder,
                               Messages &messages, GameInstall &install, QObject *parent)
    : QObject(parent)
    , info(info)
    , status(status)
    , folder(folder)
    , messages(messages)
    , install(install)
{}

void InstallRequest::start()
{
    if (!install.isDownloadNotComplated())
        StatusReport::instance()->report(StatusReport::PROGRAM_HOME_DOWNLOAD);
    if (status.state() == GameStatus::STATE_CHECK_FAILED) {
        emit checkAgain();
        return;
    }
    if (stillChecking()) {
        messages.show(translated(QT_TRANSLATE_NOOP("MainViewModel", "提示")),
                      translated(QT_TRANSLATE_NOOP("MainViewModel", "检查更新中，请稍后！")), Messages::ConfirmAction(),
                      false);
        reportPathError(QStringLiteral("检查更新中"));
        return;
    }
    if (!settleFolder())
        return;
    folder.record();
    status.refresh();
    install.install();
}

bool InstallRequest::stillChecking() const
{
    const GameStatus::State state = status.state();
    return state == GameStatus::STATE_UNKNOWN || state == GameStatus::STATE_CHECKING ||
           (state == GameStatus::STATE_NOT_INSTALLED && info.path.isEmpty());
}

bool InstallRequest::settleFolder()
{
    switch (folder.settle(info.size, status.exeName())) {
    case InstallFolder::Refusal::CannotMake:
        refuseFolder(translated(QT_TRANSLATE_NOOP("MainViewModel", "创建文件夹失败，请确认路径是否正确！")),
                     QStringLiteral("文件夹创建失败"));
        return false;
    case InstallFolder::Refusal::NoSpace:
        refuseFolder(translated(QT_TRANSLATE_NOOP("MainViewModel", "磁盘空间不足，请选择其他路径！")),
                     QStringLiteral("磁盘空间不足"));
        return false;
    case InstallFolder::Refusal::None:
        break;
    }
    return true;
}

void InstallRequest::refuseFolder(const QString &text, const QString &error)
{
    // Confirming lets the player choose another folder.
    messages.show(
        translated(QT_TRANSLATE_NOOP("MainViewModel", "错误")), text,
        [this](bool confirmed) {
            if (confirmed)
                emit chooseFolder();
        },
        false);
    reportPathError(error);
}

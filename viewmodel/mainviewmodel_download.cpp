#include "viewmodel/mainviewmodel.h"

void MainViewModel::startGameBtnClicked() {}

void MainViewModel::updateBtnClicked() {}

void MainViewModel::pauseBtnClicked() {}

void MainViewModel::beginInstall() {}

void MainViewModel::configureGamePackage(bool isInstall)
{
    Q_UNUSED(isInstall)
}

void MainViewModel::startGameDownload(bool isInstall)
{
    Q_UNUSED(isInstall)
}

void MainViewModel::startGameSetup() {}

void MainViewModel::configurePlugin() {}

void MainViewModel::checkPlugin(bool launch)
{
    Q_UNUSED(launch)
}

void MainViewModel::launchPlugin() {}

void MainViewModel::onDownloadProgress(qint64 bytesRead, qint64 totalBytes)
{
    Q_UNUSED(bytesRead)
    Q_UNUSED(totalBytes)
}

void MainViewModel::onDownloadFinished() {}

void MainViewModel::onMd5CheckFinished() {}

void MainViewModel::onSetupProgress(qint64 finishSize, qint64 totalSize)
{
    Q_UNUSED(finishSize)
    Q_UNUSED(totalSize)
}

void MainViewModel::onSetupFinished() {}

void MainViewModel::onPluginMd5CheckFinished() {}

void MainViewModel::onPluginSetupDone() {}

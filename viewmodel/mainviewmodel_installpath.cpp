#include "viewmodel/mainviewmodel.h"

QString MainViewModel::getInstallPath()
{
    return installPath;
}

void MainViewModel::setInstallPath(const QString &path)
{
    installPath = path;
}

void MainViewModel::UpdateInstallPath(QString strPath)
{
    setInstallPath(strPath);
}

void MainViewModel::changeInstallPathBtnClicked() {}

void MainViewModel::startInstall() {}

void MainViewModel::installEnsureBtnClicked()
{
    startInstall();
}

bool MainViewModel::isDownloadNotComplated()
{
    return false;
}

void MainViewModel::refreshGameState() {}

QString MainViewModel::fullInstallPath()
{
    return installPath;
}

QString MainViewModel::gameExeName() const
{
    return QString();
}

QString MainViewModel::gameExePath(const QString &folder)
{
    return folder;
}

bool MainViewModel::isPackageDownloaded()
{
    return false;
}

void MainViewModel::resolveInstallFolder() {}

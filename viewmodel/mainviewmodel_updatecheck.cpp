#include "viewmodel/mainviewmodel.h"

QString MainViewModel::makeApiUrl(bool isResource) const
{
    Q_UNUSED(isResource)
    return QString();
}

QString MainViewModel::mainBgUrl() const
{
    return QString();
}

void MainViewModel::requestGameRes() {}

void MainViewModel::requestLauncherContent() {}

void MainViewModel::UpdateInfoByHttp() {}

void MainViewModel::onGameResAnswer(bool ok, const QByteArray &body, const QString &errorText, int status)
{
    Q_UNUSED(ok)
    Q_UNUSED(body)
    Q_UNUSED(errorText)
    Q_UNUSED(status)
}

void MainViewModel::onLauncherContentAnswer(bool ok, const QByteArray &body, const QString &errorText, int status)
{
    Q_UNUSED(ok)
    Q_UNUSED(body)
    Q_UNUSED(errorText)
    Q_UNUSED(status)
}

void MainViewModel::checkInstallerVersion() {}

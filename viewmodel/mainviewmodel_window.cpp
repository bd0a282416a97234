#include "viewmodel/mainviewmodel.h"

QString MainViewModel::updateShowVersion()
{
    return QStringLiteral("--");
}

QString MainViewModel::bgPath() const
{
    return QStringLiteral("qrc:/pic/bg.png");
}

QString MainViewModel::versionTitle() const
{
    return QString();
}

QString MainViewModel::versionDesc() const
{
    return QString();
}

QString MainViewModel::versionTitleColor() const
{
    return QStringLiteral("#ffffff");
}

QString MainViewModel::versionDescColor() const
{
    return QStringLiteral("#ffffff");
}

void MainViewModel::btnExitClick() {}

void MainViewModel::appInfoAreaClick() {}

void MainViewModel::applyPageContent() {}

void MainViewModel::startBgImageDownload() {}

void MainViewModel::onBgImageDownloaded() {}

void MainViewModel::onActivityIconDownloaded() {}

QString MainViewModel::btnMoreActiveJumpUrl()
{
    return QString();
}

void MainViewModel::singleReloadWeb() {}

void MainViewModel::onOpenWebsiteClick() {}

void MainViewModel::onOpenbbsClick() {}

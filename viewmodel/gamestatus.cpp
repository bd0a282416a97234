#include "viewmodel/gamestatus.h"

#include "net/updateversioninfo.h"
#include "settings/configsettings.h"
#include "viewmodel/installfolder.h"
#include "viewmodel/installpathrules.h"

#include <QFileInfo>

namespace {

// startGameVisible: states 1, 3, 6, 7 and 9.
constexpr unsigned kStartVisibleMask = 714;

} // namespace

GameStatus::GameStatus(const UpdateVersionInfo &info, InstallFolder &folder, QObject *parent)
    : QObject(parent)
    , info(info)
    , folder(folder)
{}

void GameStatus::set(State state, bool notify)
{
    current = state;
    if (notify)
        emit changed();
}

bool GameStatus::startVisible() const
{
    return current <= STATE_VERIFYING && ((kStartVisibleMask >> current) & 1u);
}

GameStatus::State GameStatus::judge(const QString &installed, const QString &folder, const QString &latest,
                                    bool exeThere)
{
    if (installed.isEmpty() || folder.isEmpty())
        return STATE_NOT_INSTALLED;
    if (installed != latest)
        return latest.isEmpty() ? STATE_NOT_INSTALLED : STATE_UPDATE_AVAILABLE;
    return exeThere ? STATE_INSTALLED : STATE_NOT_INSTALLED;
}

void GameStatus::refresh()
{
    ConfigSettings *settings = ConfigSettings::instance();
    const QString recorded = settings->getGameVersion();
    const QString recordedFolder = settings->getGameInstallPath();
    // The executable is looked for only where it decides, as the folder may be filled in on the way.
    const bool decides = !recorded.isEmpty() && !recordedFolder.isEmpty() && recorded == info.version;
    set(judge(recorded, recordedFolder, info.version, decides && QFileInfo::exists(exePath())));
}

void GameStatus::readInstalledVersion()
{
    installed = ConfigSettings::instance()->getGameVersion();
    emit versionChanged(installed);
}

void GameStatus::recordInstalledVersion(const QString &version)
{
    ConfigSettings::instance()->setGameVersion(version);
    installed = version;
    emit versionChanged(installed);
}

QString GameStatus::exeName() const
{
    return InstallPathRules::safeExeName(info.entry);
}

QString GameStatus::exePath(const QString &folderPath) const
{
    return (folderPath.isEmpty() ? folder.full() : folderPath) + QStringLiteral("/") + exeName();
}

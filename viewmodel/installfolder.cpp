#include "viewmodel/installfolder.h"

#include "dialogs/installpathcheck.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"
#include "viewmodel/installpathrules.h"
#include "viewmodel/sceneaccess.h"

#include <QDir>

InstallFolder::InstallFolder(const SceneAccess &scene, const QString &appDir, QObject *parent)
    : QObject(parent)
    , scene(scene)
    , appDir(appDir)
{}

void InstallFolder::load()
{
    hold(ConfigSettings::instance()->getGameInstallPath());
}

QString InstallFolder::full()
{
    // Read while the scene reads the property: taken without a notification.
    if (current.isEmpty()) {
        current = defaultPath();
        record();
    }
    return current;
}

QString InstallFolder::display()
{
    return InstallPathRules::displayForm(full());
}

QString InstallFolder::defaultPath() const
{
    return InstallPathRules::defaultInstallPath(appDir);
}

void InstallFolder::set(const QString &path)
{
    const QString absolute = InstallPathRules::absoluteForm(path);
    ConfigSettings::instance()->setGameInstallPath(absolute);
    scene.write(QStringLiteral("curinstallPath"), "text", absolute);
    hold(absolute);
}

void InstallFolder::choose(const QString &path)
{
    set(path);
    const StatusReport::Fields fields{{QStringLiteral("installPath"), path}};
    StatusReport::instance()->report(StatusReport::GAME_LOADER_CHANGE_INSTALL_PATH, &fields);
}

InstallFolder::Refusal InstallFolder::settle(qint64 neededBytes, const QString &exeName)
{
    const QString chosen = InstallPathRules::absoluteForm(InstallPathRules::normalised(full()));
    const QString resolved = InstallPathRules::resolveInstallFolder(chosen, appDir, exeName);
    // No free candidate beside the installer: refused as a folder that cannot be made.
    hold(resolved.isEmpty() ? chosen : resolved);
    if (resolved.isEmpty() || !QDir().mkpath(current))
        return Refusal::CannotMake;
    const qint64 available = InstallPathCheck::availableBytes(InstallPathCheck::volumeOf(current));
    if (neededBytes != 0 && available < neededBytes)
        return Refusal::NoSpace;
    return Refusal::None;
}

void InstallFolder::record()
{
    ConfigSettings::instance()->setGameInstallPath(current);
}

QString InstallFolder::filePath(const QString &fileName) const
{
    return current + QStringLiteral("/") + fileName;
}

void InstallFolder::hold(const QString &path)
{
    if (path == current)
        return;
    current = path;
    emit changed();
}

#include "viewmodel/plugininstall.h"

#include "net/updateversioninfo.h"

#include <QFileInfo>
#include <QProcess>

PluginInstall::PluginInstall(const UpdateVersionInfo &info, const QString &folder, QObject *parent)
    : QObject(parent)
    , info(info)
    , folder(folder)
{
    connect(&job, &InstallJob::verified, &job, &InstallJob::extract);
}

QString PluginInstall::name() const
{
    if (info.plugins.isEmpty())
        return QString();
    return UpdateVersionInfo::urlBaseName(info.plugins.first().value(QStringLiteral("path")).toString());
}

void PluginInstall::configure()
{
    if (info.plugins.isEmpty())
        return;
    const QVariantMap plugin = info.plugins.first();
    const QString address = plugin.value(QStringLiteral("path")).toString();
    job.place(folder, UpdateVersionInfo::urlFileName(address), plugin.value(QStringLiteral("md5")).toString());
    job.setUrl(QUrl(address, QUrl::TolerantMode));
}

void PluginInstall::check(bool launchIt)
{
    const QString plugin = name();
    // A name that is no plain file name would point at the installer's own folder.
    if (plugin.isEmpty())
        return;
    if (!QFileInfo(folder + QLatin1Char('/') + plugin).isDir()) {
        job.startDownload();
        return;
    }
    if (launchIt)
        launch();
}

void PluginInstall::launch()
{
    const QString plugin = name();
    const QString program = folder + QLatin1Char('/') + plugin + QLatin1Char('/') + plugin + ".exe";
    QProcess::startDetached(program, {QStringLiteral("/silent")});
}

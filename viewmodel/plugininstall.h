#pragma once

#include "viewmodel/installjob.h"

#include <QObject>
#include <QString>

class UpdateVersionInfo;

// The helper plugin the service may list: fetched, checked and unpacked
// beside the installer alongside the game, and started with it. Best effort:
// its progress and failures are not shown.
class PluginInstall : public QObject
{
    Q_OBJECT

public:
    // folder: the installer's folder, where the plugin lives.
    PluginInstall(const UpdateVersionInfo &info, const QString &folder, QObject *parent = nullptr);

    // The plugin's folder name; empty when none is listed or the name is no plain file name.
    QString name() const;
    void configure();
    // Fetches a plugin that is not there; launch: starts one that is.
    void check(bool launch);
    void launch();
    bool isExtracting() const { return job.isExtracting(); }
    InstallJob &installJob() { return job; }

private:
    const UpdateVersionInfo &info;
    QString folder;
    InstallJob job;
};

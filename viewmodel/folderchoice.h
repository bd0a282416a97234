#pragma once

#include <QObject>

#include <memory>

class CSetInstallPathDialog;
class InstallFolder;
class Messages;
class UpdateVersionInfo;

// The install path dialog over the window: it starts at the held folder and
// hands the player's choice to the install folder.
class FolderChoice : public QObject
{
    Q_OBJECT

public:
    FolderChoice(const UpdateVersionInfo &info, InstallFolder &folder, Messages &messages, QObject *parent = nullptr);
    ~FolderChoice() override;

    void open();

signals:
    void installRequested();
    void folderChosen(QString path);

private:
    const UpdateVersionInfo &info;
    InstallFolder &folder;
    Messages &messages;
    std::unique_ptr<CSetInstallPathDialog> dialog;
};

#pragma once

#include <QObject>
#include <QString>

class GameInstall;
class GameStatus;
class InstallFolder;
class Messages;
class UpdateVersionInfo;

// The player asks to install: refused while the check runs, a failed check
// is asked again, and the folder is settled before the package is fetched.
class InstallRequest : public QObject
{
    Q_OBJECT

public:
    InstallRequest(const UpdateVersionInfo &info, GameStatus &status, InstallFolder &folder, Messages &messages,
                   GameInstall &install, QObject *parent = nullptr);

    void start();
    // The check has not yet told what to install.
    bool stillChecking() const;

signals:
    void checkAgain();
    // A refused folder, confirmed: the player chooses another.
    void chooseFolder();

private:
    bool settleFolder();
    void refuseFolder(const QString &text, const QString &error);

    const UpdateVersionInfo &info;
    GameStatus &status;
    InstallFolder &folder;
    Messages &messages;
    GameInstall &install;
};

#pragma once

#include <QObject>
#include <QString>

class InstallFolder;
class UpdateVersionInfo;

// What the window offers for the game: its state, the installed version and
// the executable in the install folder.
class GameStatus : public QObject
{
    Q_OBJECT

public:
    enum State {
        STATE_UNKNOWN = 0,
        STATE_CHECKING = 1,
        STATE_NOT_INSTALLED = 2,
        STATE_INSTALLED = 3,
        STATE_UPDATE_AVAILABLE = 4,
        STATE_UNUSED = 5,
        STATE_DOWNLOADING = 6,
        STATE_INSTALLING = 7,
        STATE_CHECK_FAILED = 8,
        STATE_VERIFYING = 9,
    };

    GameStatus(const UpdateVersionInfo &info, InstallFolder &folder, QObject *parent = nullptr);

    State state() const { return current; }
    void set(State state, bool notify = true);
    // The state the records give, from the settings and the install folder.
    void refresh();
    // installed: the recorded version; folder: the recorded install folder;
    // latest: the service's version; exeThere: the game's executable exists.
    static State judge(const QString &installed, const QString &folder, const QString &latest, bool exeThere);

    bool startEnable() const { return current == STATE_INSTALLED; }
    bool startVisible() const;
    bool updateEnable() const { return current == STATE_UPDATE_AVAILABLE; }
    bool installEnable() const { return current == STATE_NOT_INSTALLED; }
    bool downloading() const { return current == STATE_DOWNLOADING; }
    bool installing() const { return current == STATE_INSTALLING || current == STATE_VERIFYING; }
    bool busy() const { return downloading() || installing(); }

    QString installedVersion() const { return installed; }
    // Re-reads the recorded version and tells the scene.
    void readInstalledVersion();
    // Records a version whose package is installed.
    void recordInstalledVersion(const QString &version);

    QString exeName() const;
    QString exePath(const QString &folder = QString()) const;

signals:
    void changed();
    void versionChanged(QString version);

private:
    const UpdateVersionInfo &info;
    InstallFolder &folder;
    State current = STATE_UNKNOWN;
    QString installed;
};

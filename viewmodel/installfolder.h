#pragma once

#include <QObject>
#include <QString>

class SceneAccess;

// The one holder of the install folder: the scene, the dialog, the settings
// and the install read it here, and every change tells the scene.
class InstallFolder : public QObject
{
    Q_OBJECT

public:
    enum class Refusal { None, CannotMake, NoSpace };

    // appDir: the installer's own folder, which the game never goes into.
    InstallFolder(const SceneAccess &scene, const QString &appDir, QObject *parent = nullptr);

    // Takes the folder the settings recorded.
    void load();
    // As held; empty while nothing was chosen or recorded.
    QString path() const { return current; }
    // As held, or the default beside the installer, which is then recorded.
    QString full();
    QString display();
    QString defaultPath() const;

    // The player's choice: kept absolute, recorded and shown in full.
    void set(const QString &path);
    // A choice the install path dialog made, also reported.
    void choose(const QString &path);

    // Makes the folder ready for a package of neededBytes: normalised, out of
    // the installer's folder (exeName marks an earlier installation), made,
    // with room enough. A refused folder keeps the player's choice.
    Refusal settle(qint64 neededBytes, const QString &exeName);
    void record();

    QString filePath(const QString &fileName) const;

signals:
    void changed();

private:
    void hold(const QString &path);

    const SceneAccess &scene;
    QString appDir;
    QString current;
};

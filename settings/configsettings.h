#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// Keys of the installer's and the install folder's "/config.ini".
namespace SettingKeys {
inline const QString kGameInstallPath = QStringLiteral("game_install_path");
inline const QString kDynamicVersionTitle = QStringLiteral("game_dynamic_version_title");
inline const QString kDynamicVersionDesc = QStringLiteral("game_dynamic_version_desc");
inline const QString kDynamicVersionTitleColor = QStringLiteral("game_dynamic_version_title_color");
inline const QString kDynamicVersionDescColor = QStringLiteral("game_dynamic_version_desc_color");
inline const QString kCps = QStringLiteral("cps");
inline const QString kProxy = QStringLiteral("proxy");
inline const QString kGameVersion = QStringLiteral("game_version");
inline const QString kCloseTipGroup = QStringLiteral("DLG_CLOSE_TIP");
inline const QString kCloseTipUserInput = QStringLiteral("UserInput");
inline const QString kCloseTipNoTipAgain = QStringLiteral("NoTipAgain");
inline const QString kConfigFileName = QStringLiteral("/config.ini");
} // namespace SettingKeys

// The installation record and the player's choices. One process-wide object;
// the installer's file lives where installerIniPath() says, the game's file in
// the install folder.
class ConfigSettings
{
public:
    static ConfigSettings *instance();

    // Opens the installer's file at the given path. instance() passes
    // installerIniPath(); tests pass a file of their own.
    explicit ConfigSettings(const QString &installerIniPath);
    ~ConfigSettings();

    ConfigSettings(const ConfigSettings &) = delete;
    ConfigSettings &operator=(const ConfigSettings &) = delete;

    int getIntValue(const QString &key, const QString &group);
    void setIntValue(const QString &key, int value, const QString &group);

    QString getGameInstallPath() const;
    void setGameInstallPath(const QString &path);

    QString getDynamicVersionTitle() const;
    QString getDynamicVersionDesc() const;
    QString getDynamicVersionTitleColor() const;
    QString getDynamicVersionDescColor() const;
    void setDynamicVersionTitle(const QString &text);
    void setDynamicVersionDesc(const QString &text);
    void setDynamicVersionTitleColor(const QString &text);
    void setDynamicVersionDescColor(const QString &text);

    QString getGameVersion();
    void setGameVersion(const QString &version);

    // The installer's "proxy" choice: absent, empty or "0" turns the
    // operating system's proxy configuration off for the whole process.
    static void applyProxyChoice(const QString &installerIniPath);

    // The installer's file: "/config.ini" beside the executable while that
    // folder is writable and not a packaged installation (bin/ next to
    // share/aurelith-launcher/), otherwise in the user's configuration folder.
    static QString installerIniPath();
    static QString installerIniPath(const QString &applicationDir);
    // The folder of installerIniPath(): where the installer's own files belong.
    static QString installerFolder();

    // Where a package puts the program's data: <prefix>/share/aurelith-launcher
    // for an executable in <prefix>/bin.
    static QString installedDataFolder(const QString &applicationDir);

private:
    QString stringValue(const QString &key) const;
    void writeValue(const QString &key, const QVariant &value);

    std::unique_ptr<QSettings> m_settings;
    QString m_cachedGameVersion;
};

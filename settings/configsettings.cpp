#include "settings/configsettings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QNetworkProxyFactory>
#include <QStandardPaths>

#include <atomic>

namespace {

// The settings library only tells about a failed write through status()
// after a sync; a lost install path or version must at least leave a trace.
void syncAndWarn(QSettings &settings)
{
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qWarning() << "config write failed:" << settings.fileName() << "status" << settings.status();
}

QString gameIniPath(const QString &installFolder)
{
    return installFolder + SettingKeys::kConfigFileName;
}

bool isWritable(const QString &folder, const QString &file)
{
    const QFileInfo existing(file);
    return existing.exists() ? existing.isWritable() : QFileInfo(folder).isWritable();
}

} // namespace

ConfigSettings *ConfigSettings::instance()
{
    static std::atomic<ConfigSettings *> object{nullptr};
    static QMutex mutex;
    if (ConfigSettings *existing = object.load())
        return existing;
    QMutexLocker locker(&mutex);
    if (!object.load())
        object.store(new ConfigSettings(installerIniPath()));
    return object.load();
}

ConfigSettings::ConfigSettings(const QString &installerIniPath)
    : m_settings(std::make_unique<QSettings>(installerIniPath, QSettings::IniFormat))
{
    writeValue(SettingKeys::kCps, QString(""));
}

ConfigSettings::~ConfigSettings() = default;

int ConfigSettings::getIntValue(const QString &key, const QString &group)
{
    m_settings->beginGroup(group);
    const int value = m_settings->value(key).toInt();
    m_settings->endGroup();
    return value;
}

void ConfigSettings::setIntValue(const QString &key, int value, const QString &group)
{
    m_settings->beginGroup(group);
    m_settings->setValue(key, value);
    m_settings->endGroup();
    syncAndWarn(*m_settings);
}

QString ConfigSettings::getGameInstallPath() const
{
    return stringValue(SettingKeys::kGameInstallPath);
}

void ConfigSettings::setGameInstallPath(const QString &path)
{
    writeValue(SettingKeys::kGameInstallPath, path);
}

QString ConfigSettings::getDynamicVersionTitle() const
{
    return stringValue(SettingKeys::kDynamicVersionTitle);
}

QString ConfigSettings::getDynamicVersionDesc() const
{
    return stringValue(SettingKeys::kDynamicVersionDesc);
}

QString ConfigSettings::getDynamicVersionTitleColor() const
{
    return stringValue(SettingKeys::kDynamicVersionTitleColor);
}

QString ConfigSettings::getDynamicVersionDescColor() const
{
    return stringValue(SettingKeys::kDynamicVersionDescColor);
}

void ConfigSettings::setDynamicVersionTitle(const QString &text)
{
    writeValue(SettingKeys::kDynamicVersionTitle, text);
}

void ConfigSettings::setDynamicVersionDesc(const QString &text)
{
    writeValue(SettingKeys::kDynamicVersionDesc, text);
}

void ConfigSettings::setDynamicVersionTitleColor(const QString &text)
{
    writeValue(SettingKeys::kDynamicVersionTitleColor, text);
}

void ConfigSettings::setDynamicVersionDescColor(const QString &text)
{
    writeValue(SettingKeys::kDynamicVersionDescColor, text);
}

QString ConfigSettings::getGameVersion()
{
    if (!m_cachedGameVersion.isEmpty())
        return m_cachedGameVersion;
    const QString installFolder = getGameInstallPath();
    if (installFolder.isEmpty())
        return m_cachedGameVersion;
    QSettings gameIni(gameIniPath(installFolder), QSettings::IniFormat);
    const QString version = gameIni.value(SettingKeys::kGameVersion).toString();
    if (!version.isEmpty())
        m_cachedGameVersion = version;
    return m_cachedGameVersion;
}

void ConfigSettings::setGameVersion(const QString &version)
{
    m_cachedGameVersion = version;
    const QString installFolder = getGameInstallPath();
    if (installFolder.isEmpty())
        return;
    QSettings gameIni(gameIniPath(installFolder), QSettings::IniFormat);
    gameIni.setValue(SettingKeys::kGameVersion, m_cachedGameVersion);
    gameIni.setValue(SettingKeys::kCps, QString(""));
    syncAndWarn(gameIni);
}

void ConfigSettings::applyProxyChoice(const QString &installerIniPath)
{
    QSettings installerIni(installerIniPath, QSettings::IniFormat);
    const QString proxy = installerIni.value(SettingKeys::kProxy).toString();
    if (proxy.isEmpty() || proxy == QLatin1String("0"))
        QNetworkProxyFactory::setUseSystemConfiguration(false);
}

QString ConfigSettings::installerIniPath()
{
    return installerIniPath(QCoreApplication::applicationDirPath());
}

QString ConfigSettings::installerIniPath(const QString &applicationDir)
{
    const QString beside = applicationDir + SettingKeys::kConfigFileName;
    // A packaged program folder belongs to the package manager, even for root
    // who could write there.
    const bool packaged = QFileInfo(installedDataFolder(applicationDir)).isDir();
    if (!packaged && isWritable(applicationDir, beside))
        return beside;
    // Named after the organisation and application set at start.
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + SettingKeys::kConfigFileName;
}

QString ConfigSettings::installerFolder()
{
    return QFileInfo(installerIniPath()).absolutePath();
}

QString ConfigSettings::installedDataFolder(const QString &applicationDir)
{
    return QDir::cleanPath(applicationDir + QStringLiteral("/../share/aurelith-launcher"));
}

QString ConfigSettings::stringValue(const QString &key) const
{
    if (!m_settings->contains(key))
        return QString();
    return m_settings->value(key).toString();
}

void ConfigSettings::writeValue(const QString &key, const QVariant &value)
{
    m_settings->setValue(key, value);
    syncAndWarn(*m_settings);
}

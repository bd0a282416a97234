#pragma once

#include <QList>
#include <QMap>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariantMap>

class QNetworkReply;

// One diff package, keyed in UpdateVersionInfo::diffs by the installed
// version it upgrades from.
struct DiffInfo
{
    QString name;
    QString md5;
    QString path;
    QString version;
    QString size;
};

// What the launcher API said: the latest package and its diffs, plugins,
// installer limits and the advertisement. The controller reads the fields.
class UpdateVersionInfo : public QObject
{
    Q_OBJECT

public:
    UpdateVersionInfo();
    ~UpdateVersionInfo() override;

    void parseGameRes(const QByteArray &body);
    void parseLauncherContent(const QByteArray &body);

    QUrl getPackageUrl(const QString &installedVersion) const;
    QString getPackageMd5(const QString &installedVersion) const;
    QString getBackgroundUrl() const;

    // A plain file name or the empty text: the result names a file in a
    // folder of ours, so nothing in it may lead out of that folder. The
    // downloaders name their files by this rule too.
    static QString urlFileName(const QString &url);
    static QString urlBaseName(const QString &url);

    QString version;
    QString path;
    QString webUrl = QString("");
    QString advUrl;
    QString advIcon;
    QString name;
    QString md5;
    QString advBackground;
    QString websiteUrl;
    QString bbsUrl;
    QString dynamicVersionTitle;
    QString dynamicVersionDesc;
    QString dynamicVersionTitleColor;
    QString dynamicVersionDescColor;
    qint64 size = 0;
    QMap<QString, DiffInfo> diffs;
    QList<QVariantMap> plugins;
    QString entry;

private slots:
    void OnHeaderResponseFinished();

private:
    void readLatest(const QVariantMap &latest);
    void readForceUpdate(const QVariantMap &data);
    void readDiffs(const QVariantList &diffList);
    void readPlugins(const QVariantList &pluginList);
    void requestSize();
    void forgetSizeReply();

    QNetworkReply *sizeReply = nullptr;
    QNetworkAccessManager network;

public:
    QString minVersion = QString("");
    QString forceUpdateUrl;
};

// Dotted versions: 0 equal, 1 when a is older, -1 when a is newer, -2 when a
// shared part is not a number.
int compareVersion(const QString &a, const QString &b);

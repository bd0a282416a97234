#include "net/updateversioninfo.h"

#include "settings/configsettings.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringList>

namespace {

// Largest integer a JSON number (a double) holds exactly.
constexpr double kLargestExactInteger = 9007199254740992.0;

// Qt 5's toInt() would cut sizes above 2^31; packages are larger than that.
qint64 byteCount(const QVariant &value)
{
    bool ok = false;
    switch (value.type()) {
    case QVariant::String: {
        const qint64 bytes = value.toString().toLongLong(&ok);
        return ok && bytes > 0 ? bytes : 0;
    }
    case QVariant::Int:
    case QVariant::LongLong:
        return qMax<qint64>(0, value.toLongLong());
    case QVariant::Double: {
        const double number = value.toDouble();
        if (number <= 0 || number > kLargestExactInteger || number != static_cast<double>(static_cast<qint64>(number)))
            return 0;
        return static_cast<qint64>(number);
    }
    default:
        return 0;
    }
}

// Windows drops trailing dots and blanks from a name (".. " is the parent),
// so a name ending in either would not be the file it seems.
bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    for (const QChar c : name) {
        // ':' names a drive or an alternate data stream on Windows.
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

// toInt() would accept " 1"; a part with blanks is no number.
int versionPart(const QString &part, bool *ok)
{
    if (part != part.trimmed()) {
        *ok = false;
        return 0;
    }
    return part.toInt(ok, 10);
}

// The server names the pictures, and they share the folder with the
// program and its config.ini: only picture files are ever removed.
bool isPictureName(const QString &fileName)
{
    static const QStringList suffixes{"png", "jpg", "jpeg", "gif", "bmp", "webp"};
    return suffixes.contains(QFileInfo(fileName).suffix().toLower());
}

void removeFromApplicationFolder(const QString &fileName)
{
    if (!isPictureName(fileName))
        return;
    const QString filePath = ConfigSettings::installerFolder() + QDir::separator() + fileName;
    if (QFileInfo(filePath).isFile())
        QFile::remove(filePath);
}

} // namespace

UpdateVersionInfo::UpdateVersionInfo() = default;

UpdateVersionInfo::~UpdateVersionInfo()
{
    forgetSizeReply();
    // The downloaded background picture and activity icon go with the run.
    removeFromApplicationFolder(urlFileName(advBackground));
    removeFromApplicationFolder(urlFileName(advIcon));
}

void UpdateVersionInfo::parseGameRes(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    qDebug().noquote() << "update Info:" << document.toJson(QJsonDocument::Compact);
    if (error.error != QJsonParseError::NoError)
        return;

    // A HEAD still running for an earlier answer must not overwrite this answer's size.
    forgetSizeReply();
    const QVariantMap data = document.toVariant().toMap().value(QStringLiteral("data")).toMap();
    const QVariantMap game = data.value(QStringLiteral("game")).toMap();
    readLatest(game.value(QStringLiteral("latest")).toMap());
    readForceUpdate(data);
    readDiffs(game.value(QStringLiteral("diffs")).toList());
    readPlugins(data.value(QStringLiteral("plugin")).toMap().value(QStringLiteral("plugins")).toList());
    if (webUrl.isEmpty())
        webUrl = data.value(QStringLiteral("web_url")).toString();
}

void UpdateVersionInfo::readLatest(const QVariantMap &latest)
{
    path = latest.value(QStringLiteral("path")).toString();
    version = latest.value(QStringLiteral("version")).toString();
    entry = latest.value(QStringLiteral("entry")).toString();
    name = latest.value(QStringLiteral("name")).toString();
    md5 = latest.value(QStringLiteral("md5")).toString();
    size = byteCount(latest.value(QStringLiteral("size")));
    if (size == 0 && QUrl(path, QUrl::TolerantMode).isValid())
        requestSize();
}

void UpdateVersionInfo::readForceUpdate(const QVariantMap &data)
{
    // An answer without the block keeps the gate of the previous answer.
    if (!data.contains(QStringLiteral("force_update")))
        return;
    const QVariantMap forceUpdate = data.value(QStringLiteral("force_update")).toMap();
    minVersion = forceUpdate.value(QStringLiteral("min_version")).toString();
    forceUpdateUrl = forceUpdate.value(QStringLiteral("url")).toString();
}

void UpdateVersionInfo::readDiffs(const QVariantList &diffList)
{
    // Diff fields count only as JSON strings: a number there reads as empty.
    for (const QJsonValue &element : QJsonArray::fromVariantList(diffList)) {
        const QJsonObject diff = element.toObject();
        DiffInfo &record = diffs[diff.value(QStringLiteral("version")).toString()];
        record.name = diff.value(QStringLiteral("name")).toString();
        record.md5 = diff.value(QStringLiteral("md5")).toString();
        record.path = diff.value(QStringLiteral("path")).toString();
        record.version = diff.value(QStringLiteral("version")).toString();
        record.size = diff.value(QStringLiteral("size")).toString();
    }
}

void UpdateVersionInfo::readPlugins(const QVariantList &pluginList)
{
    plugins.clear();
    for (const QVariant &plugin : pluginList)
        plugins.append(plugin.toMap());
}

void UpdateVersionInfo::parseLauncherContent(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    qDebug().noquote() << "update Info:" << document.toJson(QJsonDocument::Compact);
    if (error.error != QJsonParseError::NoError)
        return;

    const QVariantMap data = document.toVariant().toMap().value(QStringLiteral("data")).toMap();
    const QVariantMap adv = data.value(QStringLiteral("adv")).toMap();
    if (adv.contains(QStringLiteral("background")))
        advBackground = adv.value(QStringLiteral("background")).toString();
    if (adv.contains(QStringLiteral("url")))
        advUrl = adv.value(QStringLiteral("url")).toString();
    if (adv.contains(QStringLiteral("icon")))
        advIcon = adv.value(QStringLiteral("icon")).toString();
}

QUrl UpdateVersionInfo::getPackageUrl(const QString &installedVersion) const
{
    if (!installedVersion.isEmpty() && diffs.contains(installedVersion))
        return QUrl(diffs.value(installedVersion).path, QUrl::TolerantMode);
    return QUrl(path, QUrl::TolerantMode);
}

QString UpdateVersionInfo::getPackageMd5(const QString &installedVersion) const
{
    if (!installedVersion.isEmpty() && diffs.contains(installedVersion))
        return diffs.value(installedVersion).md5;
    return md5;
}

QString UpdateVersionInfo::getBackgroundUrl() const
{
    return advBackground.isEmpty() ? QString("") : advBackground;
}

QString UpdateVersionInfo::urlFileName(const QString &url)
{
    if (url.isEmpty())
        return QString("");
    const QUrl parsed(url, QUrl::TolerantMode);
    if (parsed.isEmpty())
        return QString("");
    // The last segment is cut out while still encoded, so an encoded "/" or
    // "\" stays inside it and is refused below instead of leading elsewhere.
    const QString segment = parsed.fileName(QUrl::FullyEncoded);
    const QString decoded = QUrl::fromPercentEncoding(segment.toUtf8());
    return isPlainFileName(decoded) ? decoded : QString("");
}

QString UpdateVersionInfo::urlBaseName(const QString &url)
{
    const QString fileName = urlFileName(url);
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

void UpdateVersionInfo::requestSize()
{
    // Only the newest HEAD may set the size.
    forgetSizeReply();
    sizeReply = network.head(QNetworkRequest(QUrl(path, QUrl::TolerantMode)));
    connect(sizeReply, &QNetworkReply::finished, this, &UpdateVersionInfo::OnHeaderResponseFinished);
}

void UpdateVersionInfo::forgetSizeReply()
{
    if (!sizeReply)
        return;
    sizeReply->disconnect(this);
    sizeReply->abort();
    sizeReply->deleteLater();
    sizeReply = nullptr;
}

void UpdateVersionInfo::OnHeaderResponseFinished()
{
    if (!sizeReply)
        return;
    const int status = sizeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (sizeReply->error() == QNetworkReply::NoError && (status == 200 || status == 206))
        size = sizeReply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    forgetSizeReply();
}

int compareVersion(const QString &a, const QString &b)
{
    if (a == b)
        return 0;
    const QStringList partsA = a.split(QLatin1Char('.'));
    const QStringList partsB = b.split(QLatin1Char('.'));
    const int common = qMin(partsA.size(), partsB.size());
    for (int i = 0; i < common; ++i) {
        bool okA = false;
        bool okB = false;
        const int numberA = versionPart(partsA.at(i), &okA);
        const int numberB = versionPart(partsB.at(i), &okB);
        if (!okA || !okB)
            return -2;
        if (numberA != numberB)
            return numberA > numberB ? -1 : 1;
    }
    return 0;
}

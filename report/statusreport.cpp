#include "report/statusreport.h"

#include "net/launcherapi.h"
#include "report/deviceinfo.h"

#include <QDateTime>
#include <QDebug>
#include <QHostInfo>
#include <QMetaEnum>
#include <QMutex>
#include <QSysInfo>
#include <QUuid>

#include <atomic>

namespace {

std::atomic<StatusReport *> reporter{nullptr};
QMutex reporterLock;
QMutex languageLock; // apart from reporterLock, which is held while the reporter is made

QString &clientLanguage()
{
    static QString language("");
    return language;
}

QString deviceId()
{
    const QByteArray machineId = QSysInfo::machineUniqueId();
    if (!machineId.isEmpty())
        return QString::fromLatin1(machineId);
    return QUuid::createUuid().toString(QUuid::WithBraces);
}

} // namespace

StatusReport *StatusReport::instance()
{
    if (StatusReport *existing = reporter.load())
        return existing;
    QMutexLocker locker(&reporterLock);
    if (!reporter.load())
        reporter.store(new StatusReport(LauncherApi::reportBaseUrl()));
    return reporter.load();
}

void StatusReport::setClientLanguage(const QString &languageCode)
{
    QMutexLocker locker(&languageLock);
    clientLanguage() = languageCode;
}

StatusReport::StatusReport(const QString &reportBaseUrl)
    : reportBase(reportBaseUrl)
{
    fillBaseFields();
}

void StatusReport::fillBaseFields()
{
    const QString device = deviceId();
    baseFields.insert(QStringLiteral("gamekey"), QStringLiteral("qz7r_global"));
    baseFields.insert(QStringLiteral("appid"), LauncherApi::kLauncherId);
    // The installer's environment is "prod-os", which the service counts as "2".
    baseFields.insert(QStringLiteral("env"), QStringLiteral("2"));
    baseFields.insert(QStringLiteral("version"), QStringLiteral("2.1.1.0"));
    const QDateTime now = QDateTime::currentDateTime();
    baseFields.insert(QStringLiteral("cts"), now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")));
    baseFields.insert(QStringLiteral("deviceID"), device);
    baseFields.insert(QStringLiteral("sessionID"), QString::number(now.toMSecsSinceEpoch()));
    baseFields.insert(QStringLiteral("client_version"),
                      QStringLiteral("CPU:%1,GPU:%2,Memory: %3,System:%4")
                          .arg(getCpuName(), getGpuInfo(), getMemoryInfo(), getSystemInfo()));
    baseFields.insert(QStringLiteral("client_ip"), getLocalIp());
    {
        QMutexLocker locker(&languageLock);
        baseFields.insert(QStringLiteral("client_language"), clientLanguage());
    }
    baseFields.insert(QStringLiteral("client_device"), QHostInfo::localHostName());
}

QString StatusReport::typeName(StatusType type)
{
    return QString::fromLatin1(QMetaEnum::fromType<StatusType>().valueToKey(type));
}

QString StatusReport::encodeValue(const QString &value)
{
    QString encoded;
    encoded.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '%':
            encoded += QLatin1String("%25");
            break;
        case '&':
            encoded += QLatin1String("%26");
            break;
        case '#':
            encoded += QLatin1String("%23");
            break;
        case '+':
            encoded += QLatin1String("%2B");
            break;
        default:
            encoded += c;
        }
    }
    return encoded;
}

QString StatusReport::query(StatusType type, const Fields *extra) const
{
    QString text = QStringLiteral("action=%1&").arg(typeName(type));
    for (auto field = baseFields.cbegin(); field != baseFields.cend(); ++field)
        text += QStringLiteral("%1=%2&").arg(field.key(), encodeValue(field.value()));
    if (extra && !extra->isEmpty()) {
        QString extension;
        for (auto field = extra->cbegin(); field != extra->cend(); ++field)
            extension += QStringLiteral("%1:%2;").arg(encodeValue(field.key()), encodeValue(field.value()));
        text += QStringLiteral("%1=%2").arg(QStringLiteral("extMsg"), extension);
    } else {
        text.chop(1);
    }
    return text;
}

void StatusReport::report(StatusType type, const Fields *extra)
{
    client.setRawHeader("Cache-Control", "no-cache");
    const QString url = reportBase + QStringLiteral("/client_report?") + query(type, extra);
    qDebug().noquote() << "report url :" << url;
    client.get(url, [](bool, const QByteArray &, const QString &, int) {});
}

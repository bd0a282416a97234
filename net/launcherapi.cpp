#include "net/launcherapi.h"

#include "net/serviceaddresses.h"

#include <QUrl>

namespace LauncherApi {

QString apiBaseUrl()
{
    return ServiceAddresses::current().apiBase;
}

QString webBaseUrl()
{
    return ServiceAddresses::current().webBase;
}

QString reportBaseUrl()
{
    return ServiceAddresses::current().reportBase;
}

QString makeApiUrl(bool isResource, const QString &languageCode)
{
    // Multi-argument arg() fills in one pass, so a "%" in a configured base
    // address is never taken for a placeholder.
    const QString query = QStringLiteral("%1/zqk/launcher/api/%2?%3=%4");
    if (isResource)
        return query.arg(apiBaseUrl(), QStringLiteral("resource"), QStringLiteral("launcher_id"), kLauncherId);
    const QString extra =
        QStringLiteral("&%1=%2&%3=%4")
            .arg(QStringLiteral("filter_adv"), QStringLiteral("true"), QStringLiteral("language"), languageCode);
    return query.arg(apiBaseUrl(), QStringLiteral("content"), QStringLiteral("launcher_id"), kLauncherId) + extra;
}

QString mainBgUrl(const QString &languageCode)
{
    // Only unreserved characters stay; the page decodes api_url itself.
    const QString encodedBase = QString::fromLatin1(QUrl::toPercentEncoding(apiBaseUrl()));
    return webBaseUrl() + QStringLiteral("/") + kLauncherId + QStringLiteral("/") + languageCode +
           QStringLiteral("?api_url=") + encodedBase + QStringLiteral("&prev=false");
}

} // namespace LauncherApi

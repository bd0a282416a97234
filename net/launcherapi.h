#pragma once

#include <QString>

// Addresses of the launcher service. The three base addresses come from
// ServiceAddresses: the build's defaults point at tools/local-service.sh, the
// environment may replace them at start.
namespace LauncherApi {

inline const QString kLauncherId = QStringLiteral("5");

QString apiBaseUrl();    // ends with the game code, "/qz7r_global"
QString webBaseUrl();    // the website's launcher page, ".../launcher"
QString reportBaseUrl(); // the report endpoint's host; "/client_report" follows

// The game resource query (true) or the launcher content query (false).
QString makeApiUrl(bool isResource, const QString &languageCode);

// The page behind the window: the website's launcher page, told where the API is.
QString mainBgUrl(const QString &languageCode);

} // namespace LauncherApi

#include "viewmodel/activitylink.h"

#include <QUrl>

QString ActivityLink::forBrowser(const QString &link)
{
    const QString scheme = QUrl(link).scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ? link : QString();
}

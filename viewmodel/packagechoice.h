#pragma once

#include <QString>
#include <QUrl>

class UpdateVersionInfo;

// The package that brings an installed version to the latest one: the diff
// the service lists for that version, or else the full package. Its file
// name follows the one rule the downloader and the extractor share.
class PackageChoice
{
public:
    static PackageChoice forVersion(const UpdateVersionInfo &info, const QString &installedVersion);

    QUrl url;
    QString md5;
    QString fileName;
    bool isDiff = false;
};

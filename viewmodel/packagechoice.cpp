#include "viewmodel/packagechoice.h"

#include "net/updateversioninfo.h"

PackageChoice PackageChoice::forVersion(const UpdateVersionInfo &info, const QString &installedVersion)
{
    PackageChoice choice;
    choice.url = info.getPackageUrl(installedVersion);
    choice.md5 = info.getPackageMd5(installedVersion);
    choice.fileName = UpdateVersionInfo::urlFileName(choice.url.toString());
    choice.isDiff = !installedVersion.isEmpty() && info.diffs.contains(installedVersion);
    return choice;
}

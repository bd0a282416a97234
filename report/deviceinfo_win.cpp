#include "report/deviceinfo.h"

#include <QSettings>
#include <QSharedPointer>

#include <windows.h>

QString getCpuName()
{
    QSharedPointer<QSettings> registry(
        new QSettings(QStringLiteral("HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"),
                      QSettings::NativeFormat));
    return registry->value(QStringLiteral("ProcessorNameString"), QString("")).toString();
}

QString getMemoryInfo()
{
    MEMORYSTATUSEX status;
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status))
        return QString("");
    return DeviceInfo::memoryText(status.ullAvailPhys, status.ullTotalPhys);
}

#include "report/deviceinfo.h"

#include <QFile>

namespace {

QByteArray procFile(const QString &path)
{
    QFile file(path);
    // /proc files report size 0: read until the end instead of by size.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString getCpuName()
{
    return DeviceInfo::cpuNameFromCpuInfo(procFile(QStringLiteral("/proc/cpuinfo")));
}

QString getMemoryInfo()
{
    quint64 available = 0;
    quint64 total = 0;
    if (!DeviceInfo::memoryFromMemInfo(procFile(QStringLiteral("/proc/meminfo")), &available, &total))
        return QString("");
    return DeviceInfo::memoryText(available, total);
}

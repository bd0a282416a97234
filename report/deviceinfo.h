#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>

// A short description of the machine for the status reports, gathered once.
QString getCpuName();
QString getGpuInfo(); // empty when no OpenGL context can be made
QString getMemoryInfo();
QString getSystemInfo();
QString getLocalIp();

// The pieces behind them, free of system calls.
namespace DeviceInfo {
// "可用 <avail> GB / 共 <total> GB", both in GiB with two decimals.
QString memoryText(quint64 availableBytes, quint64 totalBytes);
// The first IPv4 address other than 127.0.0.1, or the empty text.
QString firstIpv4(const QList<QHostAddress> &addresses);
// The first "model name" of a /proc/cpuinfo text.
QString cpuNameFromCpuInfo(const QByteArray &cpuInfo);
// MemAvailable and MemTotal of a /proc/meminfo text, in bytes; false when one is missing.
bool memoryFromMemInfo(const QByteArray &memInfo, quint64 *availableBytes, quint64 *totalBytes);
} // namespace DeviceInfo

#include "viewmodel/progresstexts.h"

#include <QCoreApplication>

namespace {

const double kBytesPerGigabyte = 1024.0 * 1024.0 * 1024.0;
const double kMegabyteSwitchKilobytes = 0.9 * 1024.0;

QString translated(const char *text)
{
    return QCoreApplication::translate("MainViewModel", text);
}

} // namespace

qint64 ProgressTexts::percent(qint64 done, qint64 total)
{
    return total > 0 ? done * 100 / total : 0;
}

QString ProgressTexts::downloading(qint64 done, qint64 total)
{
    return translated(QT_TRANSLATE_NOOP("MainViewModel", "下载中%1%  (%2G/%3G)"))
        .arg(percent(done, total))
        .arg(done / kBytesPerGigabyte, 0, 'f', 2)
        .arg(total / kBytesPerGigabyte, 0, 'f', 2);
}

QString ProgressTexts::installing(qint64 done, qint64 total)
{
    return translated(QT_TRANSLATE_NOOP("MainViewModel", "安装中%1%  (%2G/%3G)"))
        .arg(percent(done, total))
        .arg(done / kBytesPerGigabyte, 0, 'G', 3)
        .arg(total / kBytesPerGigabyte, 0, 'G', 3);
}

QString ProgressTexts::speed(double kilobytesPerSecond, qint64 remainingBytes)
{
    if (remainingBytes <= 0)
        return idleSpeed();
    if (kilobytesPerSecond >= kMegabyteSwitchKilobytes)
        return translated(QT_TRANSLATE_NOOP("MainViewModel", "下载速度： %1MB/S"))
            .arg(kilobytesPerSecond / 1024.0, 0, 'f', 2);
    return translated(QT_TRANSLATE_NOOP("MainViewModel", "下载速度： %1KB/S")).arg(kilobytesPerSecond, 0, 'f', 2);
}

QString ProgressTexts::idleSpeed()
{
    return translated(QT_TRANSLATE_NOOP("MainViewModel", "下载速度： 0KB/S"));
}

QString ProgressTexts::remainingTime(qint64 remainingBytes, double kilobytesPerSecond)
{
    if (kilobytesPerSecond <= 0.0 || remainingBytes <= 0)
        return idleRemainingTime();
    // A crawl would otherwise overflow the hours.
    const qint64 seconds = qint64(qMin(remainingBytes / 1024.0 / kilobytesPerSecond, 3600.0 * 999999));
    return QString::asprintf(
        translated(QT_TRANSLATE_NOOP("MainViewModel", "预计剩余时间：%02d:%02d:%02d")).toUtf8().constData(),
        int(seconds / 3600), int(seconds % 3600 / 60), int(seconds % 60));
}

QString ProgressTexts::idleRemainingTime()
{
    return translated(QT_TRANSLATE_NOOP("MainViewModel", "预计剩余时间：00:00:00"));
}

QString ProgressTexts::downloadedField(qint64 done, qint64 total)
{
    if (total <= 0)
        return QStringLiteral("0%");
    const float ratio = float(done) * 100.0f / float(total);
    return QStringLiteral("%1%").arg(double(ratio), 0, 'G', 3);
}

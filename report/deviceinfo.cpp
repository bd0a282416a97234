#include "report/deviceinfo.h"

#include <QGuiApplication>
#include <QNetworkInterface>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScopedPointer>
#include <QSysInfo>
#include <QThread>

namespace {

QString glText(QOpenGLFunctions *functions, GLenum name)
{
    const GLubyte *text = functions->glGetString(name);
    return text ? QString::fromLatin1(reinterpret_cast<const char *>(text)) : QString("");
}

bool canMakeOpenGLContext()
{
    // Surfaces need a GUI application and its thread; a console tool has neither.
    auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    return application && QThread::currentThread() == application->thread();
}

} // namespace

QString getGpuInfo()
{
    if (!canMakeOpenGLContext())
        return QString("");
    QScopedPointer<QOffscreenSurface> surface(new QOffscreenSurface());
    surface->create();
    QScopedPointer<QOpenGLContext> context(new QOpenGLContext());
    QString info("");
    if (surface->isValid() && context->create() && context->makeCurrent(surface.data())) {
        QOpenGLFunctions *functions = context->functions();
        functions->initializeOpenGLFunctions();
        info = glText(functions, GL_VENDOR) + QStringLiteral(" ") + glText(functions, GL_RENDERER) +
               QStringLiteral(" ") + glText(functions, GL_VERSION);
        context->doneCurrent();
    }
    context.reset();
    surface.reset();
    return info;
}

QString getSystemInfo()
{
    return QSysInfo::prettyProductName() + QStringLiteral(" ") + QSysInfo::buildCpuArchitecture();
}

QString getLocalIp()
{
    return DeviceInfo::firstIpv4(QNetworkInterface::allAddresses());
}

namespace DeviceInfo {

QString memoryText(quint64 availableBytes, quint64 totalBytes)
{
    const double gib = 1.0 / 1073741824.0;
    // Sent as it is, untranslated, with a dot as decimal separator.
    return QStringLiteral("可用 %1 GB / 共 %2 GB")
        .arg(QString::asprintf("%.2f", static_cast<double>(availableBytes) * gib),
             QString::asprintf("%.2f", static_cast<double>(totalBytes) * gib));
}

QString firstIpv4(const QList<QHostAddress> &addresses)
{
    const QHostAddress loopback(QStringLiteral("127.0.0.1"));
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && address != loopback)
            return address.toString();
    }
    return QString("");
}

QString cpuNameFromCpuInfo(const QByteArray &cpuInfo)
{
    for (const QByteArray &line : cpuInfo.split('\n')) {
        const int colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed() == "model name")
            return QString::fromUtf8(line.mid(colon + 1).trimmed());
    }
    return QString("");
}

bool memoryFromMemInfo(const QByteArray &memInfo, quint64 *availableBytes, quint64 *totalBytes)
{
    bool haveAvailable = false;
    bool haveTotal = false;
    for (const QByteArray &line : memInfo.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        bool ok = false;
        const quint64 kib = fields.at(1).toULongLong(&ok);
        if (!ok)
            continue;
        if (fields.at(0) == "MemTotal:") {
            *totalBytes = kib * 1024;
            haveTotal = true;
        } else if (fields.at(0) == "MemAvailable:") {
            *availableBytes = kib * 1024;
            haveAvailable = true;
        }
    }
    return haveAvailable && haveTotal;
}

} // namespace DeviceInfo

#include "report/deviceinfo.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSysInfo>
#include <QtTest>

class TestDeviceInfo : public QObject
{
    Q_OBJECT

private slots:
    void memoryText_data();
    void memoryText();
    void memoryTextIgnoresTheUserLocale();
    void firstIpv4_data();
    void firstIpv4();
    void cpuNameFromCpuInfo();
    void memoryFromMemInfo();
    void thisMachine();
    void gpuInfoWithoutContextIsEmpty();
};

void TestDeviceInfo::memoryText_data()
{
    QTest::addColumn<quint64>("available");
    QTest::addColumn<quint64>("total");
    QTest::addColumn<QString>("text");
    const quint64 gib = 1073741824ULL;
    QTest::newRow("fractions") << gib / 2 << 3 * gib / 4 << QStringLiteral("可用 0.50 GB / 共 0.75 GB");
    QTest::newRow("large") << 96 * gib << 128 * gib << QStringLiteral("可用 96.00 GB / 共 128.00 GB");
}

void TestDeviceInfo::memoryText()
{
    QFETCH(quint64, available);
    QFETCH(quint64, total);
    QFETCH(QString, text);
    QCOMPARE(DeviceInfo::memoryText(available, total), text);
}

void TestDeviceInfo::memoryTextIgnoresTheUserLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = DeviceInfo::memoryText(1073741824ULL * 3 / 2, 1073741824ULL * 2);
    QLocale::setDefault(before);
    QCOMPARE(text, QStringLiteral("可用 1.50 GB / 共 2.00 GB"));
}

void TestDeviceInfo::firstIpv4_data()
{
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QString>("ip");
    QTest::newRow("loopback and IPv6 skipped") << QStringList{"127.0.0.1", "fe80::1", "192.168.1.20"} << "192.168.1.20";
    QTest::newRow("only loopback and IPv6") << QStringList{"127.0.0.1", "::1", "fe80::2"} << "";
    QTest::newRow("other loopback kept") << QStringList{"127.0.0.1", "127.0.1.1"} << "127.0.1.1";
}

void TestDeviceInfo::firstIpv4()
{
    QFETCH(QStringList, addresses);
    QFETCH(QString, ip);
    QList<QHostAddress> list;
    for (const QString &address : addresses)
        list << QHostAddress(address);
    QCOMPARE(DeviceInfo::firstIpv4(list), ip);
}

void TestDeviceInfo::cpuNameFromCpuInfo()
{
    const QByteArray cpuInfo = "processor\t: 0\nvendor_id\t: AuthenticAMD\nmodel name\t: AMD EPYC 7B13 64-Core "
                               "Processor\ncpu MHz\t\t: 2450.000\n\nprocessor\t: 1\nmodel name\t: second\n";
    QCOMPARE(DeviceInfo::cpuNameFromCpuInfo(cpuInfo), QStringLiteral("AMD EPYC 7B13 64-Core Processor"));
    QCOMPARE(DeviceInfo::cpuNameFromCpuInfo("processor\t: 0\nHardware\t: BCM2835\n"), QString(""));
}

void TestDeviceInfo::memoryFromMemInfo()
{
    quint64 available = 0;
    quint64 total = 0;
    QVERIFY(DeviceInfo::memoryFromMemInfo(
        "MemTotal:       8388608 kB\nMemFree:         1000 kB\nMemAvailable:    4194304 kB\n", &available, &total));
    QCOMPARE(total, 8589934592ULL);
    QCOMPARE(available, 4294967296ULL);
    QVERIFY(!DeviceInfo::memoryFromMemInfo("MemTotal: 8388608 kB\n", &available, &total));
}

void TestDeviceInfo::thisMachine()
{
    QVERIFY(QRegularExpression("^可用 \\d+\\.\\d\\d GB / 共 \\d+\\.\\d\\d GB$").match(getMemoryInfo()).hasMatch());
    QVERIFY(getSystemInfo().endsWith(" " + QSysInfo::buildCpuArchitecture()));
    const QString ip = getLocalIp();
    QVERIFY(ip.isEmpty() || QHostAddress(ip).protocol() == QAbstractSocket::IPv4Protocol);
    QVERIFY(ip != QLatin1String("127.0.0.1"));
}

void TestDeviceInfo::gpuInfoWithoutContextIsEmpty()
{
    // The offscreen platform has no OpenGL here: the texts are empty, not a crash or a hang.
    if (QGuiApplication::platformName() != QLatin1String("offscreen") || qEnvironmentVariableIsSet("DISPLAY"))
        QSKIP("an OpenGL context may exist on this platform");
    QCOMPARE(getGpuInfo(), QString(""));
    QCOMPARE(getGpuInfo(), QString(""));
}

QTEST_MAIN(TestDeviceInfo)
#include "tst_deviceinfo.moc"

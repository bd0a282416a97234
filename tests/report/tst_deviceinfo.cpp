#include "report/deviceinfo.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSysInfo>
#include <QtTest>

class TestDeviceInfo : public QObject
{
    Q_OBJECT

private slots:
    void memoryTextIgnoresTheUserLocale();
    void firstIpv4_data();
    void firstIpv4();
    void readsTheSystemFiles();
    void thisMachine();
};

void TestDeviceInfo::memoryTextIgnoresTheUserLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = DeviceInfo::memoryText(1073741824ULL * 3 / 2, 1073741824ULL * 128);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(text, QStringLiteral("可用 1.50 GB / 共 128.00 GB"));
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

void TestDeviceInfo::readsTheSystemFiles()
{
    const QByteArray cpuInfo = "processor\t: 0\nvendor_id\t: AuthenticAMD\nmodel name\t: AMD EPYC 7B13 64-Core "
                               "Processor\ncpu MHz\t\t: 2450.000\n\nprocessor\t: 1\nmodel name\t: second\n";
    QCOMPARE(DeviceInfo::cpuNameFromCpuInfo(cpuInfo), QStringLiteral("AMD EPYC 7B13 64-Core Processor"));
    QCOMPARE(DeviceInfo::cpuNameFromCpuInfo("processor\t: 0\nHardware\t: BCM2835\n"), QString(""));
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
    // The offscreen platform has no OpenGL here: the texts are empty, not a crash or a hang.
    if (QGuiApplication::platformName() == QLatin1String("offscreen") && !qEnvironmentVariableIsSet("DISPLAY"))
        QCOMPARE(getGpuInfo(), QString(""));
}

QTEST_MAIN(TestDeviceInfo)
#include "tst_deviceinfo.moc"

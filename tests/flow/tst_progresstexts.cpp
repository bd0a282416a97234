#include "viewmodel/progresstexts.h"
#include "viewmodel/ratemeter.h"
#include "viewmodel/stageprogress.h"

#include <QtTest>

static const qint64 kGigabyte = 1LL << 30;

class tst_progresstexts : public QObject
{
    Q_OBJECT

private slots:
    // Time left and speed, from the same two figures: bytes left and kilobytes a second.
    void rateTexts_data()
    {
        QTest::addColumn<qint64>("remaining");
        QTest::addColumn<double>("kilobytesPerSecond");
        QTest::addColumn<QString>("text");
        QTest::newRow("one hour") << 3600LL * 1024 << 1.0 << "预计剩余时间：01:00:00";
        QTest::newRow("59 s") << 59LL * 1024 << 1.0 << "预计剩余时间：00:00:59";
        QTest::newRow("60 s") << 60LL * 1024 << 1.0 << "预计剩余时间：00:01:00";
        QTest::newRow("hours past two digits") << 90061LL * 1024 << 1.0 << "预计剩余时间：25:01:01";
        QTest::newRow("nothing arrived") << 500LL * 1024 << 0.0 << "预计剩余时间：00:00:00";
        QTest::newRow("just below 0.9 MB/s") << 1LL << 921.59 << "下载速度： 921.59KB/S";
        QTest::newRow("at 0.9 MB/s") << 1LL << 921.6 << "下载速度： 0.90MB/S";
        QTest::newRow("slow") << 1LL << 0.5 << "下载速度： 0.50KB/S";
        QTest::newRow("nothing left") << 0LL << 5000.0 << "下载速度： 0KB/S";
    }

    void rateTexts()
    {
        QFETCH(qint64, remaining);
        QFETCH(double, kilobytesPerSecond);
        QFETCH(QString, text);
        QCOMPARE(text.startsWith("预计") ? ProgressTexts::remainingTime(remaining, kilobytesPerSecond)
                                         : ProgressTexts::speed(kilobytesPerSecond, remaining),
                 text);
    }

    void sizes_data()
    {
        QTest::addColumn<qint64>("done");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("downloading");
        QTest::addColumn<QString>("installing");
        QTest::addColumn<QString>("downloadedField");
        const auto row = [](const char *tag, qint64 done, qint64 total, const char *downloading, const char *installing,
                            const char *field) {
            QTest::newRow(tag) << done << total << QString(downloading) << QString(installing) << QString(field);
        };
        row("truncated percent", 999, 1000, "下载中99%  (0.00G/0.00G)", "安装中99%  (9.3E-07G/9.31E-07G)", "99.9%");
        row("half a GB", kGigabyte / 2, kGigabyte, "下载中50%  (0.50G/1.00G)", "安装中50%  (0.5G/1G)", "50%");
        row("three digits", kGigabyte * 123 / 10, kGigabyte * 123 / 10, "下载中100%  (12.30G/12.30G)",
            "安装中100%  (12.3G/12.3G)", "100%");
        row("size unknown", 0, 0, "下载中0%  (0.00G/0.00G)", "安装中0%  (0G/0G)", "0%");
    }

    void sizes()
    {
        QFETCH(qint64, done);
        QFETCH(qint64, total);
        QFETCH(QString, downloading);
        QFETCH(QString, installing);
        QFETCH(QString, downloadedField);
        QCOMPARE(ProgressTexts::downloading(done, total), downloading);
        QCOMPARE(ProgressTexts::installing(done, total), installing);
        QCOMPARE(ProgressTexts::downloadedField(done, total), downloadedField);
    }

    void speedStartsFromEachStagesFirstReport()
    {
        RateMeter meter;
        double speed = -1;
        meter.restart(100);
        // A resumed download: 500 MB already there.
        QVERIFY(!meter.sample(500 * 1024 * 1024, 100, &speed));
        QVERIFY(meter.sample(501 * 1024 * 1024, 101, &speed));
        QCOMPARE(speed, 1024.0);
        // The next stage counts from its own start, not from the download's bytes.
        meter.restart(200);
        QVERIFY(meter.sample(2048, 202, &speed));
        QCOMPARE(speed, 0.0);
        QVERIFY(meter.sample(2048 + 4096, 203, &speed));
        QCOMPARE(speed, 4.0);
    }

    void valueNeverGoesBackWithinAStage()
    {
        float highest = StageProgress::kNone;
        QVERIFY(StageProgress::raise(highest, 60, 100));
        QVERIFY(!StageProgress::raise(highest, 40, 100));
        QVERIFY(!StageProgress::raise(highest, 10, 0));
        QVERIFY(StageProgress::raise(highest, 200, 100));
        QCOMPARE(highest, 1.0f);
        highest = StageProgress::kNone;
        QVERIFY(!StageProgress::raise(highest, 0, 100));
        QVERIFY(StageProgress::raise(highest, 1, 100));
    }
};

QTEST_GUILESS_MAIN(tst_progresstexts)
#include "tst_progresstexts.moc"

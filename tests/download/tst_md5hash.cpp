#include "download/md5hash.h"

#include <QtTest>

// The digest decides whether a package of tens of GiB is kept or fetched
// again: the system library's MD5 must agree with Qt's to the bit, however
// the blocks fall across MD5's 64-byte rounds and its padding.
class TestMd5Hash : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithQt_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("piece");
        QTest::newRow("nothing") << 0 << 1;
        QTest::newRow("one byte") << 1 << 1;
        QTest::newRow("padding fits the last round") << 55 << 55;
        QTest::newRow("padding needs a round more") << 56 << 7;
        QTest::newRow("one round, byte by byte") << 64 << 1;
        QTest::newRow("pieces across rounds") << 65 << 63;
        QTest::newRow("3 MiB in odd pieces") << (3 << 20) + 7 << 4097;
    }
    void agreesWithQt()
    {
        QFETCH(int, length);
        QFETCH(int, piece);
        QByteArray data(length, Qt::Uninitialized);
        for (char &byte : data)
            byte = char(QRandomGenerator::global()->bounded(256));
        md5hash system;
        md5hash portable(md5hash::Engine::Portable);
        // On our platforms the library is there: without it the speed is lost
        // silently.
        QVERIFY(system.usesSystemLibrary());
        QVERIFY(!portable.usesSystemLibrary());
        for (int at = 0; at < length; at += piece) {
            system.addData(data.constData() + at, qMin(piece, length - at));
            portable.addData(data.constData() + at, qMin(piece, length - at));
        }
        const QByteArray expected = QCryptographicHash::hash(data, QCryptographicHash::Md5);
        QCOMPARE(system.result().toHex(), expected.toHex());
        QCOMPARE(portable.result().toHex(), expected.toHex());
    }
};

QTEST_GUILESS_MAIN(TestMd5Hash)
#include "tst_md5hash.moc"

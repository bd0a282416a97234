#include "dialogs/installpathcheck.h"
#include "dialogtesthelpers.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestInstallPathCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void validity_data();
    void validity();
    void volumeIsTheNearestExistingAncestor_data();
    void volumeIsTheNearestExistingAncestor();
    void availableBytesAreWhatDfReports();

private:
    // "=" prefix: the text as it is (relative paths start in the fixture
    // folder); otherwise a path below the fixture folder.
    QString resolve(const QString &text) const
    {
        return text.startsWith(QLatin1Char('=')) ? text.mid(1) : m_dir.path() + QLatin1Char('/') + text;
    }

    QTemporaryDir m_dir;
};

void TestInstallPathCheck::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("games/old")));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("odd*name")));
    QFile file(resolve(QStringLiteral("readme.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

void TestInstallPathCheck::validity_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << "=" << false;
    QTest::newRow("existing folder") << "games/old" << true;
    QTest::newRow("existing file") << "readme.txt" << true;
    QTest::newRow("new folder") << "games/Aurelith" << true;
    QTest::newRow("new nested folders") << "a/b/c" << true;
    QTest::newRow("trailing slash") << "games/new/" << true;
    QTest::newRow("under a regular file") << "readme.txt/game" << false;
    QTest::newRow("deeper under a regular file") << "readme.txt/a/b" << false;
    QTest::newRow("star") << "games/a*b" << false;
    QTest::newRow("greater") << "games/a>b" << false;
    QTest::newRow("less") << "games/a<b" << false;
    QTest::newRow("bar") << "games/a|b" << false;
    QTest::newRow("colon") << "games/a:b" << false;
    QTest::newRow("quote") << "games/a\"b" << false;
    QTest::newRow("fullwidth question mark") << QString::fromUtf8("games/a\uFF1Fb") << false;
    QTest::newRow("ascii question mark") << "games/a?b" << true;
    QTest::newRow("chinese name") << QString::fromUtf8("游戏/晨岚") << true;
    QTest::newRow("existing folder with a star") << "odd*name" << true;
    QTest::newRow("new folder under one with a star") << "odd*name/game" << true;
    QTest::newRow("relative new folder") << "=games/Aurelith" << false;
    QTest::newRow("relative existing folder") << "=games/old" << true;
    QTest::newRow("relative with drive letter") << "=C:/Games" << false;
    QTest::newRow("new folder under root") << "=/aurelith-not-there" << true;
}

void TestInstallPathCheck::validity()
{
    QFETCH(QString, relative);
    QFETCH(bool, valid);
    QCOMPARE(InstallPathCheck::isValidInstallPath(resolve(relative)), valid);
}

void TestInstallPathCheck::volumeIsTheNearestExistingAncestor_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("volume"); // "-" for none
    QTest::newRow("existing folder") << "games/old"
                                     << "games/old";
    QTest::newRow("new folder") << "games/new"
                                << "games";
    QTest::newRow("new nested folders") << "games/x/y/z"
                                        << "games";
    QTest::newRow("relative new folder") << "=games/new"
                                         << "-";
    QTest::newRow("relative existing folder") << "=games/old"
                                              << "=games/old";
}

void TestInstallPathCheck::volumeIsTheNearestExistingAncestor()
{
    QFETCH(QString, relative);
    QFETCH(QString, volume);
    const QString found = InstallPathCheck::volumeOf(resolve(relative));
    if (volume == QLatin1String("-")) {
        QVERIFY(found.isEmpty());
        return;
    }
    QCOMPARE(found, resolve(volume));
    QCOMPARE(QStorageInfo(found).rootPath(), QStorageInfo(m_dir.path()).rootPath());
}

void TestInstallPathCheck::availableBytesAreWhatDfReports()
{
    const qint64 reference = DialogTest::dfAvailableBytes(m_dir.path());
    QVERIFY(reference >= 0);
    // Other programs may write meanwhile: within 64 MiB is the same volume.
    QVERIFY(qAbs(InstallPathCheck::availableBytes(m_dir.path()) - reference) < (qint64(64) << 20));
    QCOMPARE(InstallPathCheck::availableBytes(QString()), qint64(-1));
    QCOMPARE(InstallPathCheck::availableBytes(resolve(QStringLiteral("missing/folder"))), qint64(-1));
}

QTEST_MAIN(TestInstallPathCheck)
#include "tst_installpathcheck.moc"

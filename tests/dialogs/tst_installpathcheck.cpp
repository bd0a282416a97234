#include "dialogs/installpathcheck.h"

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

private:
    QString path(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    QTemporaryDir m_dir;
};

void TestInstallPathCheck::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("games/old")));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("odd*name")));
    QFile file(path(QStringLiteral("readme.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

void TestInstallPathCheck::validity_data()
{
    QTest::addColumn<QString>("relative"); // to the fixture folder; "=" prefix: used as it is
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
    QTest::newRow("relative with drive letter") << "=C:/Games" << false;
    QTest::newRow("new folder under root") << "=/aurelith-not-there" << true;
}

void TestInstallPathCheck::validity()
{
    QFETCH(QString, relative);
    QFETCH(bool, valid);
    const QString candidate = relative.startsWith(QLatin1Char('=')) ? relative.mid(1) : path(relative);
    QCOMPARE(InstallPathCheck::isValidInstallPath(candidate), valid);
}

void TestInstallPathCheck::volumeIsTheNearestExistingAncestor_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("volume"); // relative to the fixture folder; "-" for none
    QTest::newRow("existing folder") << "games/old"
                                     << "games/old";
    QTest::newRow("new folder") << "games/new"
                                << "games";
    QTest::newRow("new nested folders") << "games/x/y/z"
                                        << "games";
    QTest::newRow("relative") << "=games"
                              << "-";
}

void TestInstallPathCheck::volumeIsTheNearestExistingAncestor()
{
    QFETCH(QString, relative);
    QFETCH(QString, volume);
    const QString candidate = relative.startsWith(QLatin1Char('=')) ? relative.mid(1) : path(relative);
    const QString found = InstallPathCheck::volumeOf(candidate);
    if (volume == QLatin1String("-")) {
        QVERIFY(found.isEmpty());
        return;
    }
    QCOMPARE(found, path(volume));
    QCOMPARE(QStorageInfo(found).rootPath(), QStorageInfo(m_dir.path()).rootPath());
}

QTEST_MAIN(TestInstallPathCheck)
#include "tst_installpathcheck.moc"

#include "dialogs/installpathcheck.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Free bytes on the volume holding path, as df reports them; -1 on failure.
qint64 dfAvailableBytes(const QString &path)
{
    QProcess df;
    df.start(QStringLiteral("df"), {QStringLiteral("--output=avail"), QStringLiteral("-B1"), path});
    if (!df.waitForFinished(10000) || df.exitCode() != 0)
        return -1;
    return df.readAllStandardOutput().trimmed().split('\n').value(1).trimmed().toLongLong();
}

} // namespace

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
    for (const char *path : {"games/old", "readme.txt", "a/b/c", "games/new/", "games/a?b", "游戏/晨岚",
                             "odd*name/game", "=games/old", "=/aurelith-not-there"})
        QTest::newRow(path) << QString::fromUtf8(path) << true;
    for (const char *path : {"=", "readme.txt/a/b", "games/a*b", "games/a>b", "games/a<b", "games/a|b", "games/a:b",
                             "games/a\"b", "games/a\uFF1Fb", "=games/Aurelith", "=C:/Games"})
        QTest::newRow(path) << QString::fromUtf8(path) << false;
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
    const QStringList rows{"games/old",  "games/old", "games/x/y/z", "games",
                           "=games/new", "-",         "=games/old",  "=games/old"};
    for (int i = 0; i < rows.size(); i += 2)
        QTest::newRow(qPrintable(rows.at(i))) << rows.at(i) << rows.at(i + 1);
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
    const qint64 reference = dfAvailableBytes(m_dir.path());
    QVERIFY(reference >= 0);
    // Other programs may write meanwhile: within 64 MiB is the same volume.
    QVERIFY(qAbs(InstallPathCheck::availableBytes(m_dir.path()) - reference) < (qint64(64) << 20));
    QCOMPARE(InstallPathCheck::availableBytes(QString()), qint64(-1));
    QCOMPARE(InstallPathCheck::availableBytes(resolve(QStringLiteral("missing/folder"))), qint64(-1));
}

QTEST_MAIN(TestInstallPathCheck)
#include "tst_installpathcheck.moc"

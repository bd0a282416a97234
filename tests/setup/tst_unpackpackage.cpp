#include "archivefixture.h"

#include "support/testpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace ArchiveFixture;

// unpack_package run as a separate process, as the benchmark runs it.
class TestUnpackPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void goodPackageExitsZero();
    void itemErrorExitsNonZeroAndIsPrinted();
    void wrongArgumentsPrintUsage();

private:
    int runTool(const QStringList &args, QByteArray *output);
    QString m_tool;
    QScopedPointer<QTemporaryDir> m_tmp;
};

void TestUnpackPackage::initTestCase()
{
    m_tool = TestPaths::programDir() + "/unpack_package";
    QVERIFY2(QFileInfo(m_tool).isExecutable(), qPrintable(m_tool));
}

void TestUnpackPackage::init()
{
    m_tmp.reset(new QTemporaryDir);
    QVERIFY(m_tmp->isValid());
    QDir(m_tmp->path()).mkpath("game");
}

int TestUnpackPackage::runTool(const QStringList &args, QByteArray *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(m_tool, args);
    if (!process.waitForFinished(60000))
        return -1;
    *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void TestUnpackPackage::goodPackageExitsZero()
{
    const QString src = m_tmp->filePath("src");
    writeFile(src + "/a/b/c.txt", "c\n");
    writeFile(src + "/d.txt", QByteArray(300000, 'd'));
    QVERIFY(pack(src, m_tmp->filePath("game/package.7z")));

    QByteArray output;
    QCOMPARE(runTool({m_tmp->filePath("game"), "package.7z"}, &output), 0);

    QVERIFY2(output.contains("unpack a/b/c.txt\n"), output.constData());
    QVERIFY(output.contains("progress "));
    QVERIFY(output.trimmed().endsWith("finished"));
    QCOMPARE(listTree(m_tmp->filePath("game")).value("d.txt"), listTree(src).value("d.txt"));
    QVERIFY(!QFileInfo::exists(m_tmp->filePath("game/package.7z")));
}

void TestUnpackPackage::itemErrorExitsNonZeroAndIsPrinted()
{
    const QString src = m_tmp->filePath("src");
    writeFile(src + "/a_first.txt", "FIRST-ITEM-WITH-A-MARKER-THAT-GETS-FLIPPED\n");
    writeFile(src + "/b_second.txt", "second\n");
    const QString archive = m_tmp->filePath("game/package.7z");
    QVERIFY(pack(src, archive, {"-mx0"}));
    QVERIFY(flipByteAfter(archive, "FIRST-ITEM-WITH-A-MARKER"));

    QByteArray output;
    QCOMPARE(runTool({m_tmp->filePath("game"), "package.7z"}, &output), 1);

    QVERIFY2(output.contains("error SETUP_ZIP_ERROR (1009): CRC Failed\n"), output.constData());
    QVERIFY(output.trimmed().endsWith("failed"));
}

void TestUnpackPackage::wrongArgumentsPrintUsage()
{
    QByteArray output;
    QCOMPARE(runTool({m_tmp->filePath("game")}, &output), 2);
    QVERIFY(output.contains("usage: unpack_package FOLDER ARCHIVE_NAME"));
}

QTEST_GUILESS_MAIN(TestUnpackPackage)
#include "tst_unpackpackage.moc"

#include "archivefixture.h"

#include "common/errordefine.h"
#include "setup/setupmanager.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace ArchiveFixture;

namespace {

struct ErrorReport
{
    int code;
    QString text;
};

// Everything one run reported: the runner's own signals, and the per-item
// reports that always arrive on the process-wide instance.
struct RunRecord
{
    QList<ErrorReport> errors;
    QList<ErrorReport> sharedErrors;
    QStringList items;
    QList<QPair<qint64, qint64>> progress;
    int finished = 0;
    QStringList metaData; // "dismiss" and "error", in the order they came

    int countErrors(int code) const
    {
        int count = 0;
        for (const ErrorReport &e : errors + sharedErrors)
            count += e.code == code ? 1 : 0;
        return count;
    }
    bool hasErrorText(int code, const QString &needle) const
    {
        for (const ErrorReport &e : errors + sharedErrors)
            if (e.code == code && e.text.contains(needle))
                return true;
        return false;
    }
};

QList<ErrorReport> errorsOf(const QSignalSpy &spy)
{
    QList<ErrorReport> list;
    for (const QList<QVariant> &args : spy)
        list.append({args.at(0).value<ErrorDefine::ErrorCode>(), args.at(1).toString()});
    return list;
}

RunRecord runSetup(setupmanager *runner, const QString &dir, const QString &zipName)
{
    setupmanager *shared = setupmanager::sharedInstance();
    RunRecord record;
    QSignalSpy errors(runner, &setupmanager::setupError);
    QSignalSpy sharedErrors(shared, &setupmanager::setupError);
    QSignalSpy items(shared, &setupmanager::setupUnzipFilePath);
    QSignalSpy progress(shared, &setupmanager::setupProgress);
    QSignalSpy finished(runner, &setupmanager::setupFinished);
    QStringList order;
    QObject::connect(
        runner, &setupmanager::globalMetaDataDismiss, runner, [&] { order << "dismiss"; }, Qt::DirectConnection);
    QObject::connect(
        runner, &setupmanager::globalMetaDataError, runner, [&] { order << "error"; }, Qt::DirectConnection);
    runner->setZipFilePath(dir);
    runner->setZipFileName(zipName);
    runner->start();
    if (!runner->wait(60000))
        qFatal("setup run did not end");
    QObject::disconnect(runner, &setupmanager::globalMetaDataDismiss, runner, nullptr);
    QObject::disconnect(runner, &setupmanager::globalMetaDataError, runner, nullptr);
    record.errors = errorsOf(errors);
    if (shared != runner)
        record.sharedErrors = errorsOf(sharedErrors);
    for (const QList<QVariant> &args : items)
        record.items << args.at(0).toString();
    for (const QList<QVariant> &args : progress)
        record.progress.append({args.at(0).toLongLong(), args.at(1).toLongLong()});
    record.finished = finished.count();
    record.metaData = order;
    return record;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

} // namespace

class TestSetupManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void unpacksWhat7zUnpacks_data();
    void unpacksWhat7zUnpacks();
    void keepsTimesAndPermissions_data();
    void keepsTimesAndPermissions();
    void replacesReadOnlyFileOnSecondRun();
    void windowsReadOnlyAttributeClearsWriteBits();
    void itemWithoutPathIsWrittenAsContent();
    void encryptedItemsFailWithPasswordError_data();
    void encryptedItemsFailWithPasswordError();
    void corruptedItemFailsAndNextIsUnpacked_data();
    void corruptedItemFailsAndNextIsUnpacked();
    void formatFollowsSuffix_data();
    void formatFollowsSuffix();
    void missingLibraryFailsBeforeTouchingArchive();
    void fileThatIsNoArchiveIsRefused();
    void missingArchiveFileIsReported();
    void earlyFailureDoesNotSilenceNextRun();
    void deletionListRemovesListedFiles();
    void deletionListFolderEntryFails();
    void deletionListNeverLeavesInstallFolder();
    void unreadableDeletionListIsReported();
    void emptyMainMetadataIsReplacedFromSecondCopy();
    void missingMetadataSignalsBothInOrder();
    void itemsEscapingInstallFolderAreNotWritten();
    void symbolicLinkItemsAreNotCreatedAsLinks();
    void existingLinkLeadingOutsideIsNotWrittenThrough();
    void perItemReportsArriveOnSharedInstance();
    void destroyingARunningInstanceLetsTheRunEnd();

private:
    QString path(const QString &relative) const { return m_tmp->filePath(relative); }
    QString game() const { return path(QStringLiteral("game")); }
    void makeSampleContent(const QString &dir);

    QScopedPointer<QTemporaryDir> m_tmp;
};

void TestSetupManager::initTestCase()
{
    QVERIFY2(QFileInfo::exists(setupmanager::defaultLibraryFileName()), "the 7-Zip library is missing");
    QByteArray output;
    QVERIFY2(run7z({QStringLiteral("i")}, QDir::tempPath(), &output), "7z is missing");
}

void TestSetupManager::init()
{
    m_tmp.reset(new QTemporaryDir);
    QVERIFY(m_tmp->isValid());
    QDir(m_tmp->path()).mkpath(QStringLiteral("game"));
    QDir(m_tmp->path()).mkpath(QStringLiteral("src"));
    QDir(m_tmp->path()).mkpath(QStringLiteral("outside"));
}

void TestSetupManager::makeSampleContent(const QString &dir)
{
    writeFile(dir + "/readme.txt", "top level\n");
    writeFile(dir + "/a/b/c.txt", QByteArray(100000, 'c'));
    writeFile(dir + "/a/binary.bin", QByteArray::fromHex("00ff10e3") + QByteArray(70000, '\x07'));
    writeFile(dir + QStringLiteral("/资源/角色 模型.dat"), "non-ASCII name\n");
    writeFile(dir + QStringLiteral("/Données/été.txt"), "accents\n");
    writeFile(dir + "/zero.txt", QByteArray());
    QDir(dir).mkpath(QStringLiteral("empty/deeper"));
}

void TestSetupManager::unpacksWhat7zUnpacks_data()
{
    QTest::addColumn<QString>("zipName");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("7z") << "package.7z" << QStringList();
    QTest::newRow("7z stored") << "package.7z" << QStringList{"-mx0"};
    QTest::newRow("zip") << "package.zip" << QStringList{"-tzip"};
}

void TestSetupManager::unpacksWhat7zUnpacks()
{
    QFETCH(QString, zipName);
    QFETCH(QStringList, options);
    makeSampleContent(path("src"));
    const QString archive = game() + "/" + zipName;
    QVERIFY(pack(path("src"), archive, options));
    QDir().mkpath(path("reference"));
    QVERIFY(unpackWith7z(archive, path("reference")));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), zipName);

    QVERIFY2(run.errors.isEmpty(), qPrintable(run.errors.value(0).text));
    QCOMPARE(run.finished, 1);
    QVERIFY(!QFileInfo::exists(archive));
    QMap<QString, QString> ours = listTree(game());
    QCOMPARE(ours, listTree(path("reference")));
    QVERIFY(run.items.contains(QStringLiteral("a/b/c.txt")));
    QVERIFY(run.items.contains(QStringLiteral("资源/角色 模型.dat")));
    QVERIFY(!run.progress.isEmpty());
    const qint64 total = run.progress.last().second;
    QCOMPARE(run.progress.last().first, total);
    for (const auto &step : run.progress)
        QCOMPARE(step.second, total);
}

void TestSetupManager::keepsTimesAndPermissions_data()
{
    QTest::addColumn<QString>("zipName");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("7z") << "package.7z" << QStringList();
    QTest::newRow("zip") << "package.zip" << QStringList{"-tzip"};
}

void TestSetupManager::keepsTimesAndPermissions()
{
    QFETCH(QString, zipName);
    QFETCH(QStringList, options);
    const QString src = path("src");
    writeFile(src + "/bin/game.sh", "#!/bin/sh\n");
    writeFile(src + "/data/private.cfg", "x=1\n");
    writeFile(src + "/data/locked.txt", "read only\n");
    QVERIFY(::chmod(QFile::encodeName(src + "/bin/game.sh").constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(src + "/data/private.cfg").constData(), 0640) == 0);
    QVERIFY(::chmod(QFile::encodeName(src + "/data/locked.txt").constData(), 0444) == 0);
    QVERIFY(::chmod(QFile::encodeName(src + "/data").constData(), 0750) == 0);
    const QDateTime stamp(QDate(2020, 1, 2), QTime(3, 4, 6), Qt::UTC);
    QFile stamped(src + "/bin/game.sh");
    QVERIFY(stamped.open(QIODevice::ReadWrite));
    QVERIFY(stamped.setFileTime(stamp, QFileDevice::FileModificationTime));
    stamped.close();
    QVERIFY(pack(src, game() + "/" + zipName, options));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), zipName);

    QCOMPARE(run.finished, 1);
    QCOMPARE(modeOf(game() + "/bin/game.sh") & 07777, mode_t(0755));
    QCOMPARE(modeOf(game() + "/data/private.cfg") & 07777, mode_t(0640));
    QCOMPARE(modeOf(game() + "/data/locked.txt") & 0222, mode_t(0));
    QCOMPARE(modeOf(game() + "/data") & 07777, mode_t(0750));
    QCOMPARE(QFileInfo(game() + "/bin/game.sh").lastModified().toUTC(), stamp);
}

void TestSetupManager::replacesReadOnlyFileOnSecondRun()
{
    const QString src = path("src");
    writeFile(src + "/locked.txt", "first\n");
    QVERIFY(::chmod(QFile::encodeName(src + "/locked.txt").constData(), 0444) == 0);
    QVERIFY(pack(src, game() + "/first.7z"));
    QCOMPARE(runSetup(setupmanager::sharedInstance(), game(), "first.7z").finished, 1);
    QCOMPARE(modeOf(game() + "/locked.txt") & 0222, mode_t(0));

    QFile::remove(src + "/locked.txt");
    writeFile(src + "/locked.txt", "second version\n");
    QVERIFY(::chmod(QFile::encodeName(src + "/locked.txt").constData(), 0444) == 0);
    QVERIFY(pack(src, game() + "/second.7z"));
    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "second.7z");

    QCOMPARE(run.finished, 1);
    QCOMPARE(bytesOf(game() + "/locked.txt"), QByteArray("second version\n"));
}

void TestSetupManager::windowsReadOnlyAttributeClearsWriteBits()
{
    ZipEntry locked{"locked.txt", "locked\n"};
    locked.dosReadOnly = true;
    QVERIFY(writeZip(game() + "/package.zip", {locked, {"open.txt", "open\n"}}));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.zip");

    QCOMPARE(run.finished, 1);
    QCOMPARE(modeOf(game() + "/locked.txt") & 0222, mode_t(0));
    QVERIFY(modeOf(game() + "/open.txt") & 0200);
}

void TestSetupManager::itemWithoutPathIsWrittenAsContent()
{
    QVERIFY(packUnnamed("from a pipe\n", game() + "/piped.7z"));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "piped.7z");

    QCOMPARE(run.finished, 1);
    QCOMPARE(run.items, QStringList{"[Content]"});
    QCOMPARE(bytesOf(game() + "/[Content]"), QByteArray("from a pipe\n"));
}

void TestSetupManager::encryptedItemsFailWithPasswordError_data()
{
    QTest::addColumn<QString>("zipName");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("7z") << "secret.7z" << QStringList{"-pSECRET"};
    QTest::newRow("zip") << "secret.zip" << QStringList{"-tzip", "-pSECRET"};
}

void TestSetupManager::encryptedItemsFailWithPasswordError()
{
    QFETCH(QString, zipName);
    QFETCH(QStringList, options);
    writeFile(path("src") + "/one.txt", "PLAINTEXT-ONE\n");
    writeFile(path("src") + "/two.txt", "PLAINTEXT-TWO\n");
    writeFile(path("src") + "/three.txt", "PLAINTEXT-THREE\n");
    QVERIFY(pack(path("src"), game() + "/" + zipName, options));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), zipName);

    // The refusal aborts the library's Extract at the first encrypted item,
    // so the run ends as a failed extraction and the archive stays.
    QCOMPARE(run.errors.size(), 2);
    QCOMPARE(run.errors.at(0).code, int(ErrorDefine::SETUP_ZIP_PASSWORD_ERROR));
    QCOMPARE(run.errors.at(0).text, QStringLiteral("解压密码未定义"));
    QCOMPARE(run.errors.at(1).code, int(ErrorDefine::SETUP_ZIP_UNZIP_ERROR));
    QCOMPARE(run.errors.at(1).text, QStringLiteral("解压过程中失败"));
    QCOMPARE(run.finished, 0);
    QVERIFY(QFileInfo::exists(game() + "/" + zipName));
    for (const char *name : {"one.txt", "two.txt", "three.txt"})
        QVERIFY(!bytesOf(game() + "/" + name).contains("PLAINTEXT"));
}

void TestSetupManager::corruptedItemFailsAndNextIsUnpacked_data()
{
    QTest::addColumn<QString>("zipName");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("7z stored") << "broken.7z" << QStringList{"-mx0"};
    QTest::newRow("zip stored") << "broken.zip" << QStringList{"-tzip", "-mx0"};
}

void TestSetupManager::corruptedItemFailsAndNextIsUnpacked()
{
    QFETCH(QString, zipName);
    QFETCH(QStringList, options);
    writeFile(path("src") + "/a_first.txt", "FIRST-ITEM-WITH-A-MARKER-THAT-GETS-FLIPPED\n");
    writeFile(path("src") + "/b_second.txt", "second item stays intact\n");
    const QString archive = game() + "/" + zipName;
    QVERIFY(pack(path("src"), archive, options));
    QVERIFY(flipByteAfter(archive, "FIRST-ITEM-WITH-A-MARKER"));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), zipName);

    QCOMPARE(run.countErrors(ErrorDefine::SETUP_ZIP_ERROR), 1);
    QVERIFY(run.hasErrorText(ErrorDefine::SETUP_ZIP_ERROR, QStringLiteral("CRC Failed")));
    QCOMPARE(bytesOf(game() + "/b_second.txt"), QByteArray("second item stays intact\n"));
    QCOMPARE(run.finished, 0);
    // The archive goes and the remaining steps run, as after any per-item error.
    QVERIFY(!QFileInfo::exists(archive));
    QCOMPARE(run.metaData.count("dismiss"), 1);
}

void TestSetupManager::formatFollowsSuffix_data()
{
    QTest::addColumn<QString>("zipName");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("capital ZIP") << "PACKAGE.ZIP" << true << QString();
    QTest::newRow("tar") << "package.tar" << false << QStringLiteral("tar 解压缩失败");
    QTest::newRow("no suffix") << "package" << false << QStringLiteral(" 解压缩失败");
}

void TestSetupManager::formatFollowsSuffix()
{
    QFETCH(QString, zipName);
    QFETCH(bool, accepted);
    QFETCH(QString, refusal);
    writeFile(path("src") + "/inside.txt", "inside\n");
    QVERIFY(pack(path("src"), path("made.zip"), {"-tzip"}));
    QVERIFY(QFile::copy(path("made.zip"), game() + "/" + zipName));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), zipName);

    if (accepted) {
        QCOMPARE(run.finished, 1);
        QCOMPARE(bytesOf(game() + "/inside.txt"), QByteArray("inside\n"));
    } else {
        QCOMPARE(run.errors.size(), 1);
        QCOMPARE(run.errors.first().code, int(ErrorDefine::SETUP_ZIP_FORMAT_ERROR));
        QCOMPARE(run.errors.first().text, refusal);
        QCOMPARE(run.finished, 0);
        QVERIFY(QFileInfo::exists(game() + "/" + zipName));
    }
}

void TestSetupManager::missingLibraryFailsBeforeTouchingArchive()
{
    writeFile(path("src") + "/inside.txt", "inside\n");
    QVERIFY(pack(path("src"), game() + "/package.7z"));
    setupmanager runner;
    runner.setLibraryFileName(path("no-such-dir/7z.so"));

    const RunRecord run = runSetup(&runner, game(), "package.7z");

    QCOMPARE(run.errors.size(), 1);
    QCOMPARE(run.errors.first().code, int(ErrorDefine::SETUP_DLL_ERROR));
    QCOMPARE(run.errors.first().text, QStringLiteral("获取解压缩对象失败"));
    QCOMPARE(run.finished, 0);
    QVERIFY(QFileInfo::exists(game() + "/package.7z"));
    QVERIFY(!QFileInfo::exists(game() + "/inside.txt"));
}

void TestSetupManager::fileThatIsNoArchiveIsRefused()
{
    writeFile(game() + "/package.7z", QByteArray("this is a text file, not an archive\n").repeated(100));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.7z");

    QCOMPARE(run.errors.size(), 1);
    QCOMPARE(run.errors.first().code, int(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_FILE_ERROR));
    QCOMPARE(run.errors.first().text, QStringLiteral("无法以archive形式打开%1文件").arg(game() + "/package.7z"));
    QCOMPARE(run.finished, 0);
    QVERIFY(QFileInfo::exists(game() + "/package.7z"));
}

void TestSetupManager::missingArchiveFileIsReported()
{
    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "absent.7z");

    QCOMPARE(run.errors.size(), 1);
    QCOMPARE(run.errors.first().code, int(ErrorDefine::SETUP_ZIP_ARCHIVE_FILE_ERROR));
    QCOMPARE(run.errors.first().text, game() + "/absent.7z 获取失败");
}

void TestSetupManager::earlyFailureDoesNotSilenceNextRun()
{
    setupmanager *shared = setupmanager::sharedInstance();
    QCOMPARE(runSetup(shared, game(), "absent.tar").errors.size(), 1);
    writeFile(path("src") + "/inside.txt", "inside\n");
    QVERIFY(pack(path("src"), game() + "/package.7z"));

    QCOMPARE(runSetup(shared, game(), "package.7z").finished, 1);
}

void TestSetupManager::deletionListRemovesListedFiles()
{
    writeFile(game() + "/old/obsolete.dll", "old\n");
    writeFile(game() + "/keep.txt", "keep\n");
    writeFile(path("src") + "/deletefiles.txt", "old/obsolete.dll\r\n  never/was/there.txt  \nmissing.txt\n");
    QVERIFY(pack(path("src"), game() + "/package.7z"));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.7z");

    QVERIFY(run.errors.isEmpty());
    QCOMPARE(run.finished, 1);
    QVERIFY(!QFileInfo::exists(game() + "/old/obsolete.dll"));
    QVERIFY(QFileInfo::exists(game() + "/keep.txt"));
    QVERIFY(!QFileInfo::exists(game() + "/deletefiles.txt"));
}

void TestSetupManager::deletionListFolderEntryFails()
{
    writeFile(game() + "/plugins/old.dll", "old\n");
    writeFile(path("src") + "/deletefiles.txt", "plugins\nlater.txt\n");
    writeFile(game() + "/later.txt", "later\n");
    QVERIFY(pack(path("src"), game() + "/package.7z"));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.7z");

    QCOMPARE(run.errors.size(), 1);
    QCOMPARE(run.errors.first().code, int(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR));
    QCOMPARE(run.errors.first().text, game() + "/plugins 删除失败");
    QCOMPARE(run.finished, 0);
    QVERIFY(!QFileInfo::exists(game() + "/package.7z"));
    QVERIFY(QFileInfo::exists(game() + "/deletefiles.txt"));
    QVERIFY(QFileInfo::exists(game() + "/later.txt"));
    QVERIFY(QFileInfo::exists(game() + "/plugins/old.dll"));
}

void TestSetupManager::deletionListNeverLeavesInstallFolder()
{
    const QString victim = path("outside/victim.txt");
    writeFile(victim, "must survive\n");
    writeFile(game() + "/obsolete.txt", "old\n");
    QVERIFY(QFile::link(path("outside"), game() + "/linked"));
    const QByteArray list = "\n   \n" + QFile::encodeName(victim) + "\n../outside/victim.txt\n" +
                            "sub/../../outside/victim.txt\nlinked/victim.txt\nobsolete.txt\n\n";
    writeFile(path("src") + "/deletefiles.txt", list);
    QVERIFY(pack(path("src"), game() + "/package.7z"));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.7z");

    QVERIFY2(run.errors.isEmpty(), qPrintable(run.errors.value(0).text));
    QCOMPARE(run.finished, 1);
    QCOMPARE(bytesOf(victim), QByteArray("must survive\n"));
    QVERIFY(QFileInfo::exists(game()));
    QVERIFY(!QFileInfo::exists(game() + "/obsolete.txt"));
    QVERIFY(!QFileInfo::exists(game() + "/deletefiles.txt"));
}

void TestSetupManager::unreadableDeletionListIsReported()
{
    writeFile(path("src") + "/deletefiles.txt/inside.txt", "a folder where the list belongs\n");
    QVERIFY(pack(path("src"), game() + "/package.7z"));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.7z");

    // A run that ended with no signal at all would leave the installer waiting.
    QCOMPARE(run.errors.size(), 1);
    QCOMPARE(run.errors.first().code, int(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR));
    QCOMPARE(run.errors.first().text, game() + "/deletefiles.txt 删除失败");
    QCOMPARE(run.finished, 0);
}

void TestSetupManager::emptyMainMetadataIsReplacedFromSecondCopy()
{
    writeFile(path("src") + "/Halvest_Data/Managed/Metadata/global-metadata.dat", QByteArray());
    writeFile(path("src") + "/Halvest_Data/Native/Data/Metadata/global-metadata.dat", "METADATA");
    QVERIFY(pack(path("src"), game() + "/package.7z"));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.7z");

    QCOMPARE(run.metaData, QStringList{"dismiss"});
    QCOMPARE(run.finished, 1);
    QCOMPARE(bytesOf(game() + "/Halvest_Data/Managed/Metadata/global-metadata.dat"), QByteArray("METADATA"));
}

void TestSetupManager::missingMetadataSignalsBothInOrder()
{
    writeFile(path("src") + "/Halvest_Data/other.txt", "no metadata\n");
    QVERIFY(pack(path("src"), game() + "/package.7z"));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.7z");

    QCOMPARE(run.metaData, (QStringList{"dismiss", "error"}));
    QCOMPARE(run.finished, 1);
}

void TestSetupManager::itemsEscapingInstallFolderAreNotWritten()
{
    const QString outside = path("outside");
    QList<ZipEntry> entries{{"good.txt", "good\n"},           {"../escape1.txt", "bad\n"},
                            {"a/../../escape2.txt", "bad\n"}, {outside + "/escape3.txt", "bad\n"},
                            {"..\\escape4.txt", "bad\n"},     {"a/after.txt", "after\n"}};
    QVERIFY(writeZip(game() + "/package.zip", entries));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.zip");

    QCOMPARE(run.finished, 0);
    QCOMPARE(run.countErrors(ErrorDefine::SETUP_ZIP_ERROR), 4);
    QVERIFY(run.hasErrorText(ErrorDefine::SETUP_ZIP_ERROR, "escape1.txt"));
    QVERIFY(run.hasErrorText(ErrorDefine::SETUP_ZIP_ERROR, "escape2.txt"));
    QVERIFY(run.hasErrorText(ErrorDefine::SETUP_ZIP_ERROR, "escape3.txt"));
    QVERIFY(run.hasErrorText(ErrorDefine::SETUP_ZIP_ERROR, "escape4.txt"));
    QVERIFY(QDir(outside).isEmpty());
    QVERIFY(QDir(m_tmp->path()).entryList(QDir::Files).isEmpty());
    QCOMPARE(bytesOf(game() + "/good.txt"), QByteArray("good\n"));
    QCOMPARE(bytesOf(game() + "/a/after.txt"), QByteArray("after\n"));
    QVERIFY(!run.items.contains("../escape1.txt"));
}

void TestSetupManager::symbolicLinkItemsAreNotCreatedAsLinks()
{
    const QString outside = path("outside");
    // A link stored by 7z itself (-snl), and a link entry followed by a file
    // meant to be written through it.
    QVERIFY(QFile::link(outside, path("src") + "/to_outside"));
    QVERIFY(QFile::link("../outside", path("src") + "/relative_out"));
    writeFile(path("src") + "/plain.txt", "plain\n");
    QVERIFY(pack(path("src"), game() + "/links.7z", {"-snl"}));
    RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "links.7z");

    QVERIFY(QFileInfo(game() + "/to_outside").isFile());
    QVERIFY(!QFileInfo(game() + "/to_outside").isSymLink());
    QCOMPARE(bytesOf(game() + "/to_outside"), outside.toUtf8());
    QVERIFY(!QFileInfo(game() + "/relative_out").isSymLink());
    QCOMPARE(bytesOf(game() + "/relative_out"), QByteArray("../outside"));
    QCOMPARE(bytesOf(game() + "/plain.txt"), QByteArray("plain\n"));
    QCOMPARE(run.finished, 1);

    QVERIFY(writeZip(game() + "/links.zip",
                     {{"before.txt", "before\n"}, {"lnk", outside.toUtf8(), true}, {"lnk/pwn.txt", "bad\n"}}));
    run = runSetup(setupmanager::sharedInstance(), game(), "links.zip");

    // The link became a plain file holding its target, so nothing can be
    // created below it: the next item fails to open and stops the run.
    QVERIFY(!QFileInfo(game() + "/lnk").isSymLink());
    QCOMPARE(bytesOf(game() + "/lnk"), outside.toUtf8());
    QVERIFY(QDir(outside).isEmpty());
    QCOMPARE(bytesOf(game() + "/before.txt"), QByteArray("before\n"));
    QVERIFY(run.hasErrorText(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR, "lnk/pwn.txt"));
    QCOMPARE(run.finished, 0);
}

void TestSetupManager::existingLinkLeadingOutsideIsNotWrittenThrough()
{
    const QString outside = path("outside");
    QVERIFY(QFile::link(outside, game() + "/Plugins"));
    QVERIFY(QFile::link(outside + "/target.txt", game() + "/direct.txt"));
    writeFile(path("src") + "/Plugins/evil.dll", "bad\n");
    writeFile(path("src") + "/direct.txt", "bad\n");
    writeFile(path("src") + "/fine.txt", "fine\n");
    QVERIFY(pack(path("src"), game() + "/package.7z"));

    const RunRecord run = runSetup(setupmanager::sharedInstance(), game(), "package.7z");

    QVERIFY(QDir(outside).isEmpty());
    QVERIFY(run.hasErrorText(ErrorDefine::SETUP_ZIP_ERROR, "Plugins/evil.dll"));
    QVERIFY(run.hasErrorText(ErrorDefine::SETUP_ZIP_ERROR, "direct.txt"));
    QCOMPARE(bytesOf(game() + "/fine.txt"), QByteArray("fine\n"));
    QCOMPARE(run.finished, 0);
}

void TestSetupManager::perItemReportsArriveOnSharedInstance()
{
    writeFile(path("src") + "/a_first.txt", "FIRST-ITEM-WITH-A-MARKER-THAT-GETS-FLIPPED\n");
    writeFile(path("src") + "/b_second.txt", "second\n");
    QVERIFY(pack(path("src"), game() + "/plugin.7z", {"-mx0"}));
    QVERIFY(flipByteAfter(game() + "/plugin.7z", "FIRST-ITEM-WITH-A-MARKER"));
    setupmanager plugin;
    QSignalSpy pluginItems(&plugin, &setupmanager::setupUnzipFilePath);
    QSignalSpy pluginProgress(&plugin, &setupmanager::setupProgress);

    const RunRecord run = runSetup(&plugin, game(), "plugin.7z");

    QCOMPARE(run.items, (QStringList{"a_first.txt", "b_second.txt"}));
    QVERIFY(!run.progress.isEmpty());
    QCOMPARE(run.sharedErrors.size(), 1);
    QCOMPARE(run.sharedErrors.first().text, QStringLiteral("CRC Failed"));
    QVERIFY(run.errors.isEmpty());
    QCOMPARE(pluginItems.count(), 0);
    QCOMPARE(pluginProgress.count(), 0);
    // The runner's own run still ends with setupFinished ...
    QCOMPARE(run.finished, 1);
    // ... and its item errors do not decide the next run of the shared instance.
    setupmanager *shared = setupmanager::sharedInstance();
    writeFile(path("src") + "/a_first.txt", "intact\n");
    QVERIFY(pack(path("src"), game() + "/game.7z"));
    QCOMPARE(runSetup(shared, game(), "game.7z").finished, 1);
}

void TestSetupManager::destroyingARunningInstanceLetsTheRunEnd()
{
    QByteArray content(16 * 1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < content.size(); ++i)
        content[i] = char(i % 251);
    writeFile(path("src") + "/plugin.bin", content);
    QVERIFY(pack(path("src"), game() + "/plugin.7z", {"-mx0"}));
    auto *plugin = new setupmanager;
    plugin->setZipFilePath(game());
    plugin->setZipFileName("plugin.7z");
    plugin->start();

    // An owner that goes while the plugin unpacks must not take the process down.
    delete plugin;

    QCOMPARE(bytesOf(game() + "/plugin.bin"), content);
    QVERIFY(!QFileInfo::exists(game() + "/plugin.7z"));
}

QTEST_GUILESS_MAIN(TestSetupManager)
#include "tst_setupmanager.moc"

#include "archivefixture.h"

#include "common/errordefine.h"
#include "setup/extractpath.h"
#include "setup/setupmanager.h"
#include "support/testpaths.h"

#include <QtTest>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ArchiveFixture;

namespace {

// Every time in the 7z packages the tests make: 2020-01-02 03:04:06 UTC.
const qint64 Stamp = 1577934246;
const QStringList NoMetadata{"dismiss", "metaerror"};
const QStringList Done = NoMetadata + QStringList{"finished"};

// Everything one run reported, in order: "CODE" or "CODE:text" for errors
// (the run's own and its items', all on the runner),
// "dismiss"/"metaerror" for the metadata signals, then "finished".
QStringList runSetup(setupmanager *runner, const QString &dir, const QString &zipName)
{
    // The library calls back one item at a time, and the run is over before the list is read.
    QStringList events;
    QObject connections; // they end with it
    const auto record = [&events](const char *event) { return [&events, event] { events << event; }; };
    const auto onError = [&](ErrorDefine::ErrorCode code, const QString &text) {
        events << errorCodeName(code) + ":" + text;
    };
    QObject::connect(runner, &setupmanager::setupError, &connections, onError, Qt::DirectConnection);
    QObject::connect(runner, &setupmanager::globalMetaDataDismiss, &connections, record("dismiss"),
                     Qt::DirectConnection);
    QObject::connect(runner, &setupmanager::globalMetaDataError, &connections, record("metaerror"),
                     Qt::DirectConnection);
    QObject::connect(runner, &setupmanager::setupFinished, &connections, record("finished"), Qt::DirectConnection);
    runner->setZipFilePath(dir);
    runner->setZipFileName(zipName);
    runner->start();
    if (!runner->wait(60000))
        qFatal("setup run did not end");
    return events;
}

// An expected "CODE" matches any text of that code; "CODE:text" the whole event.
bool sameEvents(const QStringList &actual, const QStringList &expected)
{
    return std::equal(
        actual.begin(), actual.end(), expected.begin(), expected.end(),
        [](const QString &event, const QString &wanted) { return event.startsWith(wanted + ":") || event == wanted; });
}

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(path.toUtf8().constData(), &info) == 0 ? info.st_mode : 0;
}

} // namespace

class TestSetupManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(setupmanager::defaultLibraryFileName()), "the 7-Zip library is missing");
        QVERIFY2(run7z({"i"}, QDir::tempPath()), "7z is missing");
        // Group write survives it, so the rules that take write bits away show.
        ::umask(002);
    }

    void init()
    {
        m_tmp.reset(new QTemporaryDir);
        QVERIFY(m_tmp->isValid());
        for (const char *folder : {"game", "src", "outside"})
            QDir(m_tmp->path()).mkpath(folder);
    }

    void cleanup()
    {
        for (const QString &locked : qAsConst(m_locked))
            QProcess::execute("chattr", {"-i", locked});
        m_locked.clear();
    }

    void installsPackage_data()
    {
        QTest::addColumn<QString>("maker");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("damage"); // of the package; "player": run as a player, not as root
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("expect");
        QTest::addColumn<QStringList>("events");
        const auto row = [](const char *tag, const QString &maker, const QStringList &entries, const QString &damage,
                            const QStringList &before, const QStringList &expect, const QStringList &events) {
            QTest::newRow(tag) << maker << entries << damage << before << expect << events;
        };
        const QString unzipError = "SETUP_ZIP_UNZIP_ERROR";
        const QStringList refused{"SETUP_ZIP_ERROR", "SETUP_ZIP_ERROR", unzipError};
        row("names leaving the folder", "zip",
            {"good.txt|good", "../e1.txt|x", "a/../../e2.txt|x", "@out/e3|x", "..\\e4|x"}, "", {},
            {"good.txt=good", "!@tmp/e1.txt", "!@tmp/e2.txt", "!@out/e3", "!@tmp/e4"},
            {"SETUP_ZIP_ERROR", "SETUP_ZIP_ERROR", "SETUP_ZIP_ERROR", "SETUP_ZIP_ERROR", unzipError});
        row("link items are written as files", "zip", {"lnk|@out|120777", "lnk/pwn.txt|x"}, "", {},
            {"lnk=@out", "!@out/pwn.txt"},
            {QStringLiteral("SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR:@game/lnk"), unzipError});
        row("links leading outside are not written through", "zip",
            {"Plugins/evil.dll|x", "direct.txt|x", "fine.txt|fine"}, "",
            {"@out/target.txt=keep", "Plugins->@out", "direct.txt->@out/target.txt"},
            {"@out/target.txt=keep", "!@out/evil.dll", "fine.txt=fine"}, refused);
        row("links leading inside are followed", "zip", {"Alias/x.txt|x", "Data/|"}, "", {"Data/", "Alias->@game/Data"},
            {"Data/x.txt=x"}, Done);
        row("existing files replaced, never written through", "zip", {"old.txt|new", "hard.txt|new"}, "",
            {"old.txt=old", "@out/shared.txt=keep", "hard.txt=>@out/shared.txt"},
            {"old.txt=new", "hard.txt=new", "@out/shared.txt=keep"}, Done);
        row("file where a folder item goes", "zip", {"a/|", "b.txt|b"}, "", {"a=file"}, {"a=file"},
            {QStringLiteral("SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR:@game/a"), unzipError});
        row("file where a parent folder goes", "zip", {"a/b/c.txt|c"}, "", {"a=file"}, {"a=file"},
            {QStringLiteral("SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR:@game/a"), unzipError});
        for (const QString damage : {"nocd", "cut:3"})
            row(qPrintable("zip damaged: " + damage), "zip", {"a.txt|a", "b.txt|b", "c.txt|c"}, damage, {},
                {"!a.txt", "package.zip"}, {unzipError + ":解压过程中失败 (Unexpected end of archive)"});
        row("corrupted item fails the run, nothing deleted", "7z -mx0",
            {"a.txt=FIRST-ITEM-MARKER", "b.txt=intact", "deletefiles.txt=old.txt"}, "flip:FIRST-ITEM-MARKER",
            {"old.txt=old"}, {"b.txt=intact", "old.txt=old", "package.7z"}, {"SETUP_ZIP_ERROR:CRC Failed", unzipError});
        row("deletion list: files, folders, then the list", "zip",
            {"deletefiles.txt|old/x.dll\r\n  missing.txt \nplugins\n"}, "",
            {"old/x.dll=o", "keep.txt=k", "plugins/sub/y.dll=y"},
            {"!old/x.dll", "keep.txt=k", "!plugins", "old/", "!deletefiles.txt"}, Done);
        row("deletion list: never outside, never the folder", "zip",
            {"deletefiles.txt|.\n./\n@out/v.txt\n../outside/v.txt\nlinked/v.txt\nobsolete.txt"}, "",
            {"@out/v.txt=v", "linked->@out", "obsolete.txt=o"}, {"@out/v.txt=v", "!obsolete.txt", "@game/"}, Done);
        row("deletion list: dangling link", "zip", {"deletefiles.txt|stale"}, "", {"stale->@tmp/nowhere"}, {"!stale"},
            Done);
        row("deletion list left by an earlier package", "zip", {"new.txt|n"}, "",
            {"deletefiles.txt=keep.txt", "keep.txt=k"}, {"keep.txt=k", "new.txt=n"}, Done);
        row("deletion list: a failed entry stops no other", "zip", {"deletefiles.txt|locked.txt\nlater.txt"}, "",
            {"locked.txt=l", "lock:locked.txt", "later.txt=x"}, {"locked.txt=l", "!later.txt"},
            QStringList{QStringLiteral("SETUP_DELETE_OLD_FILE_ERROR:@game/locked.txt 删除失败")} + NoMetadata);
        for (const QString encoding : {"utf-16-le", "utf-16-be", "utf-8"})
            row(qPrintable("deletion list in " + encoding), "zip",
                {QStringLiteral("deletefiles.txt|\uFEFF资源/旧.dat\r\nold.txt\r\n|") + encoding}, "",
                {QStringLiteral("资源/旧.dat=o"), "old.txt=o"}, {QStringLiteral("!资源/旧.dat"), "!old.txt"}, Done);
        row("deletion marks of an update archive", "7z update",
            {"keep.txt=k", "gone.txt=g", "emptied/", "-gone.txt", "-emptied/"}, "", {"gone.txt=old", "emptied/"},
            {"!gone.txt", "!emptied"}, Done);
        for (const QString maker : {"7z -pSECRET", "7z -tzip -pSECRET"})
            row(qPrintable("encrypted items: " + maker), maker, {"one.txt=PLAINTEXT", "two.txt=PLAINTEXT"}, "", {},
                {"one.txt~PLAINTEXT", "two.txt~PLAINTEXT", maker.contains("zip") ? "package.zip" : "package.7z"},
                {QStringLiteral("SETUP_ZIP_PASSWORD_ERROR:解压密码未定义"), unzipError + ":解压过程中失败"});
        row("modes follow the umask, no special bits", "zip",
            {"rw|x|100666", "x.sh|x|100777", "d/||40777", "suid|x|104755", "sticky/||41777"}, "", {},
            {"rw#664", "x.sh#775", "d#775", "suid#755", "sticky#775"}, Done);
        row("read-only from Windows takes every write bit", "zip", {"ro.txt|x|dos01", "rw.txt|x|dos20"}, "", {},
            {"ro.txt#444", "rw.txt#664"}, Done);
        row("times of files and folders", "7z", {"Data/Sub/f.txt=x", "Data/e/"}, "", {},
            {"Data@", "Data/Sub@", "Data/Sub/f.txt@", "Data/e@"}, Done);
        row("empty main metadata replaced from the second copy", "7z",
            {"Halvest_Data/Managed/Metadata/global-metadata.dat=",
             "Halvest_Data/Native/Data/Metadata/global-metadata.dat=META"},
            "", {}, {"Halvest_Data/Managed/Metadata/global-metadata.dat=META"}, {"dismiss", "finished"});
        // An earlier install left files and folders without write bits; the update
        // replaces and adds files in them as `7z x -y` does and ends with the
        // archive's modes, never writing a second name of a file.
        row("read-only: listed folders and their files", "7z", {"Data/a.txt=new", "Data/Sub/b.txt=new", "top.txt=new"},
            "player",
            {"Data/Sub/b.txt=old", "Data/a.txt=old", "top.txt=old", "Data/a.txt#444", "top.txt#444",
             "Data/Sub/b.txt#444", "Data/Sub#555", "Data#555"},
            {"Data/a.txt=new", "Data/Sub/b.txt=new", "top.txt=new", "Data/a.txt#664", "top.txt#664", "Data#775",
             "Data/Sub#775"},
            Done);
        row("read-only: a folder the archive does not list keeps its mode", "zip",
            {"Old/new.txt|n", "Old/Fresh/x.txt|x", "Old/keep.txt|k2"}, "player",
            {"Old/keep.txt=k", "Old/keep.txt#444", "Old#555"},
            {"Old/new.txt=n", "Old/Fresh/x.txt=x", "Old/keep.txt=k2", "Old#555"}, Done);
        row("read-only: second name of a file", "zip", {"ro/hard.txt|new"}, "player",
            {"@out/shared.txt=keep", "ro/", "ro/hard.txt=>@out/shared.txt", "@out/shared.txt#444", "ro#555"},
            {"ro/hard.txt=new", "@out/shared.txt=keep", "@out/shared.txt#444", "ro#555"}, Done);
    }
    void installsPackage()
    {
        QFETCH(QString, maker);
        QFETCH(QStringList, entries);
        QFETCH(QString, damage);
        QFETCH(QStringList, before);
        QFETCH(QStringList, expect);
        QFETCH(QStringList, events);
        for (QString &entry : entries)
            entry = expand(entry);
        for (QString &event : events)
            event = expand(event);
        prepare(before);
        const QString zipName = makePackage(maker, entries);
        QVERIFY(!zipName.isEmpty());
        QVERIFY(damage.isEmpty() || damage == "player" || ArchiveFixture::damage(game() + "/" + zipName, damage));
        // Root writes through any mode: a "player" run is a player's, whom the modes stop.
        const bool asPlayer = damage == "player" && ::geteuid() == 0;
        if (asPlayer) {
            QCOMPARE(QProcess::execute("chown", {"-R", "65534:65534", m_tmp->path()}), 0);
            QVERIFY(::seteuid(65534) == 0);
        }
        const QStringList reported = runSetup(setupmanager::sharedInstance(), game(), zipName);
        QVERIFY(!asPlayer || ::seteuid(0) == 0);
        QVERIFY2(sameEvents(reported, events), qPrintable(reported.join(" | ")));
        verify(expect);
    }

    void unpacksWhat7zUnpacks_data()
    {
        QTest::addColumn<QString>("maker");
        QTest::addColumn<QStringList>("entries");
        const QStringList sample{"readme.txt=top", "a/b/c.txt=" + QString(100000, 'c'),
                                 QStringLiteral("资源/角色 模型.dat=u"), "zero.txt=", "empty/deeper/"};
        QTest::newRow("7z") << "7z" << sample;
        QTest::newRow("7z stored") << "7z -mx0" << sample;
        QTest::newRow("zip by 7z") << "7z -tzip" << sample;
        QTest::newRow("dot entries of bsdtar") << "zip" << QStringList{"./|", "./a.txt|a", "./d/|", "./d/b.txt|b"};
        QTest::newRow("parent staying inside") << "zip" << QStringList{"a/x.txt|x", "a/../b.txt|b", "c/./d.txt|d"};
        QTest::newRow("UTF-8 names without their flag") << "zip" << QStringList{QStringLiteral("資料/été.txt|u|raw")};
    }
    void unpacksWhat7zUnpacks()
    {
        QFETCH(QString, maker);
        QFETCH(QStringList, entries);
        const QString zipName = makePackage(maker, entries);
        QVERIFY(!zipName.isEmpty());
        QDir().mkpath(path("reference"));
        QVERIFY(run7z({"x", "-bd", "-y", "-o" + path("reference"), game() + "/" + zipName}, path("reference")));
        setupmanager *shared = setupmanager::sharedInstance();
        QSignalSpy progress(shared, &setupmanager::setupProgress);
        QCOMPARE(runSetup(shared, game(), zipName), Done);
        QCOMPARE(listTree(game()), listTree(path("reference")));
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0), progress.last().at(1));
    }

    void refusedBeforeTouchingArchive_data()
    {
        QTest::addColumn<QString>("zipName");
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("event");
        const auto row = [](const char *tag, const QString &zipName, const QString &library, const QString &event) {
            QTest::newRow(tag) << zipName << library << event;
        };
        row("capital ZIP", "PACKAGE.ZIP", "", "");
        row("tar", "package.tar", "", QStringLiteral("SETUP_ZIP_FORMAT_ERROR:tar 解压缩失败"));
        row("no suffix", "package", "", QStringLiteral("SETUP_ZIP_FORMAT_ERROR: 解压缩失败"));
        row("no library", "package.zip", "no-such-dir/7z.so", QStringLiteral("SETUP_DLL_ERROR:获取解压缩对象失败"));
        row("not an archive", "text.7z", "",
            QStringLiteral("SETUP_ZIP_UNABLE_OPEN_FILE_ERROR:无法以archive形式打开@文件"));
        row("no archive file", "absent.7z", "", QStringLiteral("SETUP_ZIP_ARCHIVE_FILE_ERROR:@ 获取失败"));
    }
    void refusedBeforeTouchingArchive()
    {
        QFETCH(QString, zipName);
        QFETCH(QString, library);
        QFETCH(QString, event);
        QVERIFY(writeZip(game() + "/made.zip", {"inside.txt|inside"}));
        if (zipName != "absent.7z")
            QVERIFY(QFile::rename(game() + "/made.zip", game() + "/" + zipName));
        if (zipName == "text.7z")
            writeFile(game() + "/" + zipName, QByteArray("no archive\n").repeated(100));
        setupmanager runner;
        if (!library.isEmpty())
            runner.setLibraryFileName(path(library));
        const QStringList reported = runSetup(&runner, game(), zipName);
        if (event.isEmpty()) {
            QCOMPARE(reported, Done);
            QCOMPARE(readFile(game() + "/inside.txt"), QByteArray("inside"));
            return;
        }
        QCOMPARE(reported, QStringList{event.replace("@", game() + "/" + zipName)});
        QVERIFY(!QFileInfo::exists(game() + "/inside.txt"));
    }

    void destroyingARunningInstanceLetsTheRunEnd()
    {
        const QByteArray content = QByteArray("0123456789abcdef").repeated(1024 * 1024);
        writeFile(path("src") + "/plugin.bin", content);
        QVERIFY(pack(path("src"), game() + "/plugin.7z", {"-mx0"}));
        auto *plugin = new setupmanager;
        plugin->setZipFilePath(game());
        plugin->setZipFileName("plugin.7z");
        plugin->start();
        // An owner that goes while the plugin unpacks must not take the process down.
        delete plugin;
        QCOMPARE(readFile(game() + "/plugin.bin"), content);
        QVERIFY(!QFileInfo::exists(game() + "/plugin.7z"));
    }

    void toolPrintsOneLinePerEvent_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("shown");
        QTest::newRow("good package") << QStringList{"a/b/c.txt|c"} << "C.UTF-8" << 0 << "unpack a/b/c.txt";
        QTest::newRow("item error") << QStringList{"../x|x"} << "C.UTF-8" << 1 << "error SETUP_ZIP_ERROR (1009): ";
        QTest::newRow("name forging lines")
            << QStringList{"a\nfinished\r|x", "../x|x"} << "C.UTF-8" << 1 << "unpack a\\x{0a}finished\\x{0d}";
        QTest::newRow("UTF-8 names under the C locale")
            << QStringList{QStringLiteral("資料/été.txt|u|raw")} << "C" << 0 << QStringLiteral("unpack 資料/été.txt");
        QTest::newRow("wrong arguments") << QStringList{} << "C.UTF-8" << 2
                                         << "usage: unpack_package FOLDER ARCHIVE_NAME";
    }
    void toolPrintsOneLinePerEvent()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, locale);
        QFETCH(int, exitCode);
        QFETCH(QString, shown);
        QVERIFY(entries.isEmpty() || writeZip(game() + "/package.zip", entries));
        QProcess tool;
        tool.setEnvironment(QProcess::systemEnvironment() << "LC_ALL=" + locale); // the last one counts
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(TestPaths::programDir() + "/unpack_package",
                   entries.isEmpty() ? QStringList{game()} : QStringList{game(), "package.zip"});
        QVERIFY(tool.waitForFinished(60000));
        const QStringList lines = QString::fromUtf8(tool.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(tool.exitCode(), exitCode);
        QVERIFY2(!lines.filter(QRegularExpression("^" + QRegularExpression::escape(shown))).isEmpty(),
                 qPrintable(lines.join('\n')));
        QCOMPARE(lines.count("finished"), exitCode == 0 ? 1 : 0);
        if (locale == "C")
            QCOMPARE(readFile(game() + QStringLiteral("/資料/été.txt")), QByteArray("u"));
    }

    // Names and paths from archives, placed below the install folder or refused.
    void placesNamesBelowTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("asItem");   // "-" refused
        QTest::addColumn<QString>("asListed"); // "-" refused
        const auto row = [](const char *tag, const QString &name, const QString &asItem, const QString &asListed) {
            QTest::newRow(tag) << name << asItem << asListed;
        };
        row("nested, backslashes", "a\\b/c.txt", "a/b/c.txt", "a/b/c.txt");
        row("dot parts, doubled separators", "./a/.//b/", "a/b", "a/b");
        row("dots inside a name", "a..b/..c", "a..b/..c", "a..b/..c");
        row("parent staying inside", "a/../b", "a/b", "b");
        row("non-ASCII", QString("资源/角色.dat"), QString("资源/角色.dat"), QString("资源/角色.dat"));
        row("the folder itself", "./", "", "");
        row("UNC", "\\\\server\\share\\x", "-", "-");
        row("drive", "C:\\x", "-", "-");
        row("drive relative", "c:x", "-", "-");
    }
    void placesNamesBelowTheFolder()
    {
        QFETCH(QString, name);
        QFETCH(QString, asItem);
        QFETCH(QString, asListed);
        const auto placed = [&name](ExtractPath::ParentParts parentParts) {
            QStringList components;
            return ExtractPath::split(name, &components, parentParts) ? components.join('/') : QString("-");
        };
        QCOMPARE(placed(ExtractPath::ParentParts::Dropped), asItem);
        QCOMPARE(placed(ExtractPath::ParentParts::Resolved), asListed);
    }

    void containmentIsByWholeComponents_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("inside");
        const auto row = [](const char *tag, const QString &root, const QString &path, bool inside) {
            QTest::newRow(tag) << root << path << inside;
        };
        row("below", "/games/game", "/games/game/Data/x", true);
        row("the root", "/games/game", "/games/game", true);
        row("sibling sharing the prefix", "/games/game", "/games/game2/x", false);
        row("parent", "/games/game", "/games", false);
        row("filesystem root", "/", "/anything", true);
        row("unresolved link", "/games/game", "", false);
    }
    void containmentIsByWholeComponents()
    {
        QFETCH(QString, root);
        QFETCH(QString, path);
        QFETCH(bool, inside);
        QCOMPARE(ExtractPath::isInside(root, path), inside);
    }

private:
    QString path(const QString &relative) const { return m_tmp->filePath(relative); }
    QString game() const { return path("game"); }
    QString expand(QString text) const
    {
        return text.replace("@game", game()).replace("@out", path("outside")).replace("@tmp", m_tmp->path());
    }
    // A name of a row: below the install folder unless it names another place.
    QString placed(const QString &name) const
    {
        const QString expanded = expand(name);
        return expanded.startsWith('/') ? expanded : game() + "/" + expanded;
    }
    // "zip": entries for writeZip; "7z ARGS": "path=content" files and "path/"
    // folders packed by 7z; "7z update": the same, then "-path" entries
    // removed and an update archive made, holding their deletion marks.
    QString makePackage(const QString &maker, const QStringList &entries)
    {
        if (maker == "zip")
            return writeZip(game() + "/package.zip", entries) ? "package.zip" : QString();
        const QString src = path("src");
        for (const QString &entry : entries) {
            if (entry.startsWith('-'))
                continue;
            if (entry.endsWith('/'))
                QDir(src).mkpath(entry);
            else
                writeFile(src + "/" + entry.section('=', 0, 0), expand(entry.section('=', 1)).toUtf8());
        }
        for (QDirIterator it(src, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
             it.hasNext();) {
            const timespec times[2] = {{Stamp, 0}, {Stamp, 0}};
            ::utimensat(AT_FDCWD, it.next().toUtf8().constData(), times, AT_SYMLINK_NOFOLLOW);
        }
        const QString zipName = maker.contains("-tzip") ? "package.zip" : "package.7z";
        if (maker != "7z update")
            return pack(src, game() + "/" + zipName, maker.split(' ').mid(1)) ? zipName : QString();
        if (!pack(src, path("base.7z")))
            return QString();
        for (const QString &entry : entries) {
            const QString removed = src + "/" + entry.mid(1);
            if (entry.startsWith('-'))
                QFileInfo(removed).isDir() ? QDir(removed).removeRecursively() : QFile::remove(removed);
        }
        const QString update = "-up0q3r2x2y2z0w2!" + game() + "/package.7z";
        return run7z({"u", "-bd", path("base.7z"), "-u-", update, "."}, src) ? "package.7z" : QString();
    }

    // "path=content", "path/", "path->target" (symbolic), "path=>target"
    // (hard), "lock:path" (immutable), "path#mode" (chmod, after the others).
    void prepare(const QStringList &before)
    {
        for (const QString &entry : before) {
            const QString target = expand(entry.section(QRegularExpression("=>|->|="), 1));
            const QString at = placed(entry.section(QRegularExpression("=>|->|="), 0, 0));
            if (entry.contains('#')) {
                const QByteArray at = placed(entry.section('#', 0, 0)).toUtf8();
                QVERIFY(::chmod(at.constData(), mode_t(entry.section('#', 1).toUInt(nullptr, 8))) == 0);
            } else if (entry.startsWith("lock:")) {
                m_locked << game() + "/" + entry.mid(5);
                QVERIFY2(QProcess::execute("chattr", {"+i", m_locked.last()}) == 0, "chattr +i failed");
            } else if (entry.endsWith('/')) {
                QDir().mkpath(at);
            } else if (entry.contains("->")) {
                QVERIFY(QFile::link(target, at));
            } else if (entry.contains("=>")) {
                QVERIFY(::link(target.toUtf8().constData(), at.toUtf8().constData()) == 0);
            } else {
                writeFile(at, target.toUtf8());
            }
        }
    }

    void verify(const QStringList &expect)
    {
        for (const QString &entry : expect) {
            const bool absent = entry.startsWith('!');
            const QString wanted = entry.mid(absent ? 1 : 0);
            const QString at =
                placed(wanted.endsWith('@') ? wanted.chopped(1) : wanted.section(QRegularExpression("[=#~]"), 0, 0));
            const QFileInfo info(at);
            if (absent)
                QVERIFY2(!info.exists() && !info.isSymLink(), qPrintable(entry));
            else if (wanted.endsWith('/'))
                QVERIFY2(info.isDir() && !info.isSymLink(), qPrintable(entry));
            else if (wanted.endsWith('@'))
                QCOMPARE(info.lastModified().toSecsSinceEpoch(), Stamp);
            else if (wanted.contains('#'))
                QCOMPARE(QString::number(modeOf(at) & 07777, 8), wanted.section('#', 1));
            else if (wanted.contains('~')) // absent, or without the text
                QVERIFY2(!readFile(at).contains(wanted.section('~', 1).toUtf8()), qPrintable(entry));
            else if (wanted.contains('='))
                QCOMPARE(QString::fromUtf8(readFile(at)), expand(wanted.section('=', 1)));
            else
                QVERIFY2(info.exists(), qPrintable(entry));
        }
    }

    QScopedPointer<QTemporaryDir> m_tmp;
    QStringList m_locked;
};

QTEST_GUILESS_MAIN(TestSetupManager)
#include "tst_setupmanager.moc"

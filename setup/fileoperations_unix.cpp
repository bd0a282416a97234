#include "setup/fileoperations.h"

#include "setup/folderwriteaccess.h"

#include <QFile>
#include <QTextCodec>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileOperations {

namespace {

// Names on disk are UTF-8 whatever the locale says.
QByteArray nativePath(const QString &path)
{
    return path.toUtf8();
}

EntryKind kindOf(const struct stat &info)
{
    if (S_ISDIR(info.st_mode))
        return EntryKind::Folder;
    if (S_ISLNK(info.st_mode))
        return EntryKind::Link;
    return EntryKind::Other;
}

int removeVisited(const char *path, const struct stat *, int, struct FTW *)
{
    return ::remove(path) == 0 ? 0 : -1;
}

} // namespace

EntryKind entryKind(const QString &path)
{
    struct stat info;
    if (::lstat(nativePath(path).constData(), &info) != 0)
        return EntryKind::Missing;
    return kindOf(info);
}

EntryKind makeFolder(const QString &path)
{
    const QByteArray native = nativePath(path);
    if (::mkdir(native.constData(), 0777) == 0)
        return EntryKind::Folder;
    if (errno == EACCES) {
        const FolderWriteAccess access(path);
        if (access.opened() && ::mkdir(native.constData(), 0777) == 0)
            return EntryKind::Folder;
    }
    if (errno != EEXIST)
        return EntryKind::Missing;
    struct stat info;
    if (::lstat(native.constData(), &info) != 0)
        return EntryKind::Missing;
    return kindOf(info);
}

QString canonicalPath(const QString &path)
{
    char resolved[PATH_MAX];
    if (!::realpath(nativePath(path).constData(), resolved))
        return QString();
    return QString::fromUtf8(resolved);
}

bool deleteAlways(const QString &path)
{
    const QByteArray native = nativePath(path);
    struct stat info;
    if (::lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (::unlink(native.constData()) == 0)
        return true;
    if (errno != EACCES)
        return false;
    const FolderWriteAccess access(path);
    return access.opened() && ::unlink(native.constData()) == 0;
}

bool removeEmptyFolder(const QString &path)
{
    return ::rmdir(nativePath(path).constData()) == 0;
}

bool removeTree(const QString &path)
{
    return ::nftw(nativePath(path).constData(), removeVisited, 16, FTW_DEPTH | FTW_PHYS) == 0;
}

quint32 unixPermissions(quint32 attributes, bool isFolder, quint32 creationMask)
{
    quint32 mode = isFolder ? 0777 : 0666;
    if (attributes & UnixExtensionAttribute) {
        const quint32 unixMode = attributes >> 16;
        const quint32 unixType = unixMode & S_IFMT;
        // Permission bits only, and only of plain files and folders: no set-id
        // or sticky bits from an archive, and a link item's 0777 is no file mode.
        if (unixType == 0 || unixType == S_IFREG || unixType == S_IFDIR)
            mode = unixMode & 0777;
    }
    mode &= ~creationMask;
    if (attributes & ReadOnlyAttribute)
        mode &= ~quint32(0222);
    // Later items, and the deletion list, still have to reach inside.
    if (isFolder)
        mode |= 0700;
    return mode;
}

bool setAttributes(const QString &path, quint32 attributes, quint32 creationMask)
{
    const QByteArray native = nativePath(path);
    struct stat info;
    // Never through a link: links are not created, and one found here is not ours.
    if (::lstat(native.constData(), &info) != 0 || S_ISLNK(info.st_mode))
        return false;
    const quint32 mode = unixPermissions(attributes, S_ISDIR(info.st_mode), creationMask);
    return ::chmod(native.constData(), mode_t(mode)) == 0;
}

bool setFolderTime(const QString &path, quint64 fileTime)
{
    constexpr quint64 UnixEpochInFileTime = 116444736000000000ULL;
    if (fileTime <= UnixEpochInFileTime)
        return false;
    const quint64 ticks = fileTime - UnixEpochInFileTime;
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(ticks / 10000000ULL);
    times[1].tv_nsec = long(ticks % 10000000ULL) * 100;
    return ::utimensat(AT_FDCWD, nativePath(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

QString nameFromLibrary(const QString &name)
{
    static const bool utf8Locale = qstrcmp(::nl_langinfo(CODESET), "UTF-8") == 0;
    if (utf8Locale)
        return name;
    bool onlyBytes = true;
    bool beyondAscii = false;
    for (const QChar c : name) {
        onlyBytes = onlyBytes && c.unicode() <= 0xFF;
        beyondAscii = beyondAscii || c.unicode() >= 0x80;
    }
    if (!onlyBytes || !beyondAscii)
        return name;
    const QByteArray bytes = name.toLatin1();
    QTextCodec::ConverterState state;
    const QString decoded = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0 ? decoded : name;
}

quint32 creationMask()
{
    // Read without changing it: umask() itself would race with other threads.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("Umask:"))
                return line.mid(6).trimmed().toUInt(nullptr, 8);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return quint32(mask);
}

} // namespace FileOperations

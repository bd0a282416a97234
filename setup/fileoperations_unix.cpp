#include "setup/fileoperations.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace FileOperations {

namespace {

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

bool isFolder(const QByteArray &path)
{
    struct stat info;
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool createFolderChain(const QString &path)
{
    QByteArray full = nativePath(path);
    while (full.size() > 1 && full.endsWith('/'))
        full.chop(1);
    if (full.isEmpty() || isFolder(full))
        return true;
    // Find the deepest existing ancestor, then create the rest downwards.
    int existingEnd = full.size();
    while (existingEnd > 0) {
        const int separator = full.lastIndexOf('/', existingEnd - 1);
        if (separator <= 0) {
            existingEnd = 0;
            break;
        }
        existingEnd = separator;
        if (isFolder(full.left(existingEnd)))
            break;
    }
    int position = existingEnd;
    while (position < full.size()) {
        int next = full.indexOf('/', position + 1);
        if (next < 0)
            next = full.size();
        const QByteArray part = full.left(next);
        if (!part.isEmpty() && part != "/" && ::mkdir(part.constData(), 0777) != 0 &&
            !(errno == EEXIST && isFolder(part)))
            return false;
        position = next;
    }
    return isFolder(full);
}

bool pathExists(const QString &path)
{
    struct stat info;
    return ::lstat(nativePath(path).constData(), &info) == 0;
}

bool deleteAlways(const QString &path)
{
    const QByteArray native = nativePath(path);
    struct stat info;
    if (::lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return false;
    }
    return ::unlink(native.constData()) == 0;
}

bool setAttributes(const QString &path, quint32 attributes)
{
    const QByteArray native = nativePath(path);
    struct stat info;
    // Never through a link: links are not created, and one found here is not ours.
    if (::lstat(native.constData(), &info) != 0 || S_ISLNK(info.st_mode))
        return false;
    mode_t mode = info.st_mode & 0777;
    if (attributes & UnixExtensionAttribute) {
        const mode_t unixMode = mode_t(attributes >> 16);
        const mode_t unixType = unixMode & S_IFMT;
        // Permission bits only, and only of plain files and folders: no set-id
        // bits from an archive, and a link item's 0777 is no file mode.
        if (unixType == 0 || unixType == S_IFREG || unixType == S_IFDIR)
            mode = unixMode & 0777;
    }
    if (attributes & ReadOnlyAttribute)
        mode &= ~mode_t(0222);
    // Later items still have to be written into a folder.
    if (S_ISDIR(info.st_mode))
        mode |= 0700;
    return ::chmod(native.constData(), mode) == 0;
}

} // namespace FileOperations

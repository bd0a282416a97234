#include "setup/folderwriteaccess.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr mode_t kOwnerWriteSearch = S_IWUSR | S_IXUSR;
}

FolderWriteAccess::FolderWriteAccess(const QString &entryPath)
{
    const int cut = entryPath.lastIndexOf(QLatin1Char('/'));
    if (cut <= 0)
        return;
    const QByteArray folder = entryPath.left(cut).toUtf8();
    struct stat info;
    if (::lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() ||
        (info.st_mode & kOwnerWriteSearch) == kOwnerWriteSearch)
        return;
    const int saved = errno;
    if (::chmod(folder.constData(), (info.st_mode & 07777) | kOwnerWriteSearch) != 0) {
        errno = saved;
        return;
    }
    m_folder = entryPath.left(cut);
    m_mode = info.st_mode & 07777;
    m_opened = true;
}

FolderWriteAccess::~FolderWriteAccess()
{
    if (!m_opened)
        return;
    const int saved = errno;
    ::chmod(m_folder.toUtf8().constData(), mode_t(m_mode));
    errno = saved;
}

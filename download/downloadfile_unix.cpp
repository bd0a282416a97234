#include "download/downloadfile.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

bool downloadfile::lockExclusive(QFile &file)
{
    return ::flock(file.handle(), LOCK_EX | LOCK_NB) == 0;
}

downloadfile::Preallocation downloadfile::preallocate(QFile &file, qint64 size)
{
    const int result = ::posix_fallocate(file.handle(), 0, off_t(size));
    if (result == 0)
        return Preallocation::Done;
    if (result == ENOSPC)
        return Preallocation::NoSpace;
    if (result == EFBIG)
        return Preallocation::TooLarge;
    // EOPNOTSUPP and EINVAL: a file system without allocation; a sized
    // sparse file still reserves the name.
    if (::ftruncate(file.handle(), off_t(size)) == 0)
        return Preallocation::Done;
    return errno == ENOSPC ? Preallocation::NoSpace : errno == EFBIG ? Preallocation::TooLarge : Preallocation::Failed;
}

bool downloadfile::syncData(QFile &file)
{
    return syncHandle(file.handle());
}

int downloadfile::duplicateHandle(QFile &file)
{
    return ::dup(file.handle());
}

bool downloadfile::syncHandle(int handle)
{
#ifdef __APPLE__
    return ::fsync(handle) == 0;
#else
    return ::fdatasync(handle) == 0;
#endif
}

void downloadfile::closeHandle(int handle)
{
    ::close(handle);
}

void downloadfile::ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

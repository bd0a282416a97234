#include "setup/nativefile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Seconds and nanoseconds since 1970 as ticks of 100 ns since 1601.
constexpr quint64 UnixEpochInFileTime = 116444736000000000ULL;

quint64 toFileTime(const timespec &time)
{
    return UnixEpochInFileTime + quint64(time.tv_sec) * 10000000ULL + quint64(time.tv_nsec) / 100;
}

timespec fromFileTime(quint64 fileTime)
{
    timespec time{};
    if (fileTime <= UnixEpochInFileTime)
        return time;
    const quint64 ticks = fileTime - UnixEpochInFileTime;
    time.tv_sec = time_t(ticks / 10000000ULL);
    time.tv_nsec = long(ticks % 10000000ULL) * 100;
    return time;
}

int fd(std::intptr_t handle)
{
    return int(handle);
}

} // namespace

NativeFile::~NativeFile()
{
    close();
}

bool NativeFile::openForRead(const QString &path)
{
    close();
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    m_handle = descriptor;
    return true;
}

bool NativeFile::createForWrite(const QString &path)
{
    close();
    // O_NOFOLLOW: a link placed at the item's path is never written through.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return false;
    m_handle = descriptor;
    return true;
}

bool NativeFile::read(void *data, quint32 size, quint32 *processed)
{
    ssize_t count;
    do {
        count = ::read(fd(m_handle), data, size);
    } while (count < 0 && errno == EINTR);
    *processed = count > 0 ? quint32(count) : 0;
    return count >= 0;
}

bool NativeFile::write(const void *data, quint32 size, quint32 *processed)
{
    ssize_t count;
    do {
        count = ::write(fd(m_handle), data, size);
    } while (count < 0 && errno == EINTR);
    *processed = count > 0 ? quint32(count) : 0;
    return count >= 0;
}

bool NativeFile::seek(qint64 offset, SeekOrigin origin, quint64 *newPosition)
{
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    const off_t position = ::lseek(fd(m_handle), off_t(offset), whence[origin]);
    if (position < 0)
        return false;
    if (newPosition)
        *newPosition = quint64(position);
    return true;
}

bool NativeFile::size(quint64 *size)
{
    struct stat info;
    if (::fstat(fd(m_handle), &info) != 0)
        return false;
    *size = quint64(info.st_size);
    return true;
}

bool NativeFile::truncateHere()
{
    const off_t position = ::lseek(fd(m_handle), 0, SEEK_CUR);
    return position >= 0 && ::ftruncate(fd(m_handle), position) == 0;
}

bool NativeFile::setModificationTime(quint64 fileTime)
{
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1] = fromFileTime(fileTime);
    return ::futimens(fd(m_handle), times) == 0;
}

bool NativeFile::props(NativeFileProps *props)
{
    struct stat info;
    if (::fstat(fd(m_handle), &info) != 0)
        return false;
    props->size = quint64(info.st_size);
    props->volumeId = quint64(info.st_dev);
    props->fileIndex = quint64(info.st_ino);
    props->numberOfLinks = 1;
    props->attributes = 0x8000u | (quint32(info.st_mode) << 16) | (S_ISDIR(info.st_mode) ? 0x10u : 0x80u);
    props->creationTime = toFileTime(info.st_ctim);
    props->accessTime = toFileTime(info.st_atim);
    props->modificationTime = toFileTime(info.st_mtim);
    return true;
}

bool NativeFile::close()
{
    if (!isOpen())
        return true;
    const int descriptor = fd(m_handle);
    m_handle = InvalidHandle;
    return ::close(descriptor) == 0;
}

std::int32_t NativeFile::lastError()
{
    return errno;
}

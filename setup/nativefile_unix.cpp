#include "setup/nativefile.h"

#include "setup/fileoperations.h"
#include "setup/folderwriteaccess.h"

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
    const int descriptor = ::open(path.toUtf8().constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    m_handle = descriptor;
    return true;
}

NativeFile::CreateResult NativeFile::createForWrite(const QString &path)
{
    close();
    const CreateResult result = createInPlace(path);
    if (result != CreateResult::Failed || errno != EACCES)
        return result;
    const FolderWriteAccess access(path);
    return access.opened() ? createInPlace(path) : result;
}

NativeFile::CreateResult NativeFile::createInPlace(const QString &path)
{
    const QByteArray native = path.toUtf8();
    int descriptor = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
        m_handle = descriptor;
        return CreateResult::Created;
    }
    if (errno != EEXIST)
        return CreateResult::Failed;
    // O_NOFOLLOW: a link placed at the item's path is never written through.
    // O_NONBLOCK: a FIFO there must not hang the run.
    descriptor = ::open(native.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ELOOP)
            return CreateResult::LinkInTheWay;
        if (errno == EISDIR)
            return CreateResult::FolderInTheWay;
        return replace(path);
    }
    struct stat info;
    // A second name of the file may lie outside the folder: never truncate it.
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
        (info.st_size == 0 || ::ftruncate(descriptor, 0) == 0)) {
        m_handle = descriptor;
        return CreateResult::Created;
    }
    ::close(descriptor);
    return replace(path);
}

NativeFile::CreateResult NativeFile::replace(const QString &path)
{
    if (!FileOperations::deleteAlways(path))
        return CreateResult::Failed;
    const int descriptor =
        ::open(path.toUtf8().constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return CreateResult::Failed;
    m_handle = descriptor;
    return CreateResult::Created;
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

bool NativeFile::setAttributes(quint32 attributes, quint32 creationMask)
{
    const quint32 mode = FileOperations::unixPermissions(attributes, false, creationMask);
    return ::fchmod(fd(m_handle), mode_t(mode)) == 0;
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

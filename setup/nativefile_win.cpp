#include "setup/nativefile.h"

#include "setup/fileoperations.h"

#include <QDir>

#include <windows.h>

namespace {

HANDLE handleOf(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

quint64 fromFileTime(const FILETIME &time)
{
    return (quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

NativeFile::~NativeFile()
{
    close();
}

bool NativeFile::openForRead(const QString &path)
{
    close();
    HANDLE handle = ::CreateFileW(nativePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    return true;
}

NativeFile::CreateResult NativeFile::createForWrite(const QString &path)
{
    close();
    const std::wstring native = nativePath(path);
    const DWORD existing = ::GetFileAttributesW(native.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES) {
        if (existing & FILE_ATTRIBUTE_REPARSE_POINT)
            return CreateResult::LinkInTheWay;
        if (existing & FILE_ATTRIBUTE_DIRECTORY)
            return CreateResult::FolderInTheWay;
    }
    HANDLE handle = ::CreateFileW(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return replace(path);
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    return CreateResult::Created;
}

NativeFile::CreateResult NativeFile::replace(const QString &path)
{
    if (!FileOperations::deleteAlways(path))
        return CreateResult::Failed;
    HANDLE handle = ::CreateFileW(nativePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return CreateResult::Failed;
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    return CreateResult::Created;
}

bool NativeFile::read(void *data, quint32 size, quint32 *processed)
{
    DWORD count = 0;
    const bool ok = ::ReadFile(handleOf(m_handle), data, size, &count, nullptr) != FALSE;
    *processed = count;
    return ok;
}

bool NativeFile::write(const void *data, quint32 size, quint32 *processed)
{
    DWORD count = 0;
    const bool ok = ::WriteFile(handleOf(m_handle), data, size, &count, nullptr) != FALSE;
    *processed = count;
    return ok;
}

bool NativeFile::seek(qint64 offset, SeekOrigin origin, quint64 *newPosition)
{
    static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(handleOf(m_handle), distance, &position, methods[origin]))
        return false;
    if (newPosition)
        *newPosition = quint64(position.QuadPart);
    return true;
}

bool NativeFile::size(quint64 *size)
{
    LARGE_INTEGER length;
    if (!::GetFileSizeEx(handleOf(m_handle), &length))
        return false;
    *size = quint64(length.QuadPart);
    return true;
}

bool NativeFile::truncateHere()
{
    return ::SetEndOfFile(handleOf(m_handle)) != FALSE;
}

bool NativeFile::setModificationTime(quint64 fileTime)
{
    FILETIME time;
    time.dwLowDateTime = DWORD(fileTime & 0xFFFFFFFFu);
    time.dwHighDateTime = DWORD(fileTime >> 32);
    return ::SetFileTime(handleOf(m_handle), nullptr, nullptr, &time) != FALSE;
}

bool NativeFile::setAttributes(quint32 attributes, quint32)
{
    // Archives made on Unix carry the mode in the top bits.
    if (attributes & 0xF0000000u)
        attributes &= 0x3FFF;
    FILE_BASIC_INFO info{};
    info.FileAttributes = attributes ? DWORD(attributes) : FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(handleOf(m_handle), FileBasicInfo, &info, sizeof(info)) != FALSE;
}

bool NativeFile::props(NativeFileProps *props)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(handleOf(m_handle), &info))
        return false;
    props->size = (quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    props->volumeId = info.dwVolumeSerialNumber;
    props->fileIndex = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    props->numberOfLinks = info.nNumberOfLinks;
    props->attributes = info.dwFileAttributes;
    props->creationTime = fromFileTime(info.ftCreationTime);
    props->accessTime = fromFileTime(info.ftLastAccessTime);
    props->modificationTime = fromFileTime(info.ftLastWriteTime);
    return true;
}

bool NativeFile::close()
{
    if (!isOpen())
        return true;
    HANDLE handle = handleOf(m_handle);
    m_handle = InvalidHandle;
    return ::CloseHandle(handle) != FALSE;
}

std::int32_t NativeFile::lastError()
{
    return std::int32_t(::GetLastError());
}

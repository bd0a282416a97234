#include "setup/fileoperations.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

namespace FileOperations {

namespace {

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

} // namespace

EntryKind entryKind(const QString &path)
{
    const DWORD attributes = ::GetFileAttributesW(nativePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return EntryKind::Missing;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return EntryKind::Link;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Folder : EntryKind::Other;
}

EntryKind makeFolder(const QString &path)
{
    if (::CreateDirectoryW(nativePath(path).c_str(), nullptr))
        return EntryKind::Folder;
    if (::GetLastError() != ERROR_ALREADY_EXISTS)
        return EntryKind::Missing;
    return entryKind(path);
}

QString canonicalPath(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

bool deleteAlways(const QString &path)
{
    const std::wstring native = nativePath(path);
    const DWORD attributes = ::GetFileAttributesW(native.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        (attributes & FILE_ATTRIBUTE_READONLY)) {
        if (!::SetFileAttributesW(native.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)))
            return false;
    }
    return ::DeleteFileW(native.c_str()) != FALSE;
}

bool removeEmptyFolder(const QString &path)
{
    return ::RemoveDirectoryW(nativePath(path).c_str()) != FALSE;
}

bool removeTree(const QString &path)
{
    // QDir removes links (junctions) inside without following them.
    return QDir(path).removeRecursively();
}

bool setFolderTime(const QString &path, quint64 fileTime)
{
    HANDLE handle =
        ::CreateFileW(nativePath(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    FILETIME time{DWORD(fileTime & 0xFFFFFFFFu), DWORD(fileTime >> 32)};
    const bool set = ::SetFileTime(handle, nullptr, nullptr, &time) != FALSE;
    ::CloseHandle(handle);
    return set;
}

QString nameFromLibrary(const QString &name)
{
    return name;
}

quint32 creationMask()
{
    return 0;
}

quint32 unixPermissions(quint32, bool, quint32)
{
    return 0;
}

bool setAttributes(const QString &path, quint32 attributes, quint32)
{
    // Attributes of archives made on Unix carry the mode in the top bits.
    if (attributes & 0xF0000000u)
        attributes &= 0x3FFF;
    return ::SetFileAttributesW(nativePath(path).c_str(), DWORD(attributes)) != FALSE;
}

} // namespace FileOperations

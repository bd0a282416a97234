#include "setup/fileoperations.h"

#include <QDir>
#include <QRegExp>

#include <windows.h>

namespace FileOperations {

namespace {

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

bool isFolder(const QString &path)
{
    const DWORD attributes = ::GetFileAttributesW(nativePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isDriveRoot(const QString &path)
{
    QString rest = path;
    if (rest.startsWith(QLatin1String("\\\\?\\")))
        rest = rest.mid(4);
    return rest.size() == 3 && rest.at(0).isLetter() && rest.at(1) == QLatin1Char(':') && isSeparator(rest.at(2));
}

// Length of the path's root: "\\.\", "\\?\", "\\?\UNC\server\share\", "C:\",
// "\", "\\server\share\".
int rootPrefixSize(const QString &path)
{
    const int size = path.size();
    if (size >= 4 && isSeparator(path.at(0)) && isSeparator(path.at(1)) && path.at(2) == QLatin1Char('.') &&
        isSeparator(path.at(3)))
        return 4;
    if (size >= 4 && isSeparator(path.at(0)) && isSeparator(path.at(1)) && path.at(2) == QLatin1Char('?') &&
        isSeparator(path.at(3))) {
        if (path.mid(4, 3).compare(QLatin1String("UNC"), Qt::CaseInsensitive) == 0 && size > 7 &&
            isSeparator(path.at(7))) {
            const int server = path.indexOf(QRegExp(QStringLiteral("[\\\\/]")), 8);
            const int share = server < 0 ? -1 : path.indexOf(QRegExp(QStringLiteral("[\\\\/]")), server + 1);
            return share < 0 ? 0 : share + 1;
        }
        const int first = path.indexOf(QRegExp(QStringLiteral("[\\\\/]")), 4);
        return first < 0 ? 0 : first + 1;
    }
    if (size >= 3 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':') && isSeparator(path.at(2)))
        return 3;
    if (size >= 2 && isSeparator(path.at(0)) && isSeparator(path.at(1))) {
        const int server = path.indexOf(QRegExp(QStringLiteral("[\\\\/]")), 2);
        const int share = server < 0 ? -1 : path.indexOf(QRegExp(QStringLiteral("[\\\\/]")), server + 1);
        return share < 0 ? 0 : share + 1;
    }
    if (size >= 1 && isSeparator(path.at(0)))
        return 1;
    return 0;
}

int lastSeparator(const QString &path)
{
    for (int i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path.at(i)))
            return i;
    return -1;
}

} // namespace

bool createFolderChain(const QString &path)
{
    if (isFolder(path))
        return true;
    if (isDriveRoot(path))
        return false;
    const int prefixSize = rootPrefixSize(path);
    QString full = path;
    if (!full.isEmpty() && isSeparator(full.back())) {
        if (full.size() == 1)
            return true;
        full.chop(1);
    }
    // Going up until a folder can be created or is found.
    QString current = full;
    for (;;) {
        if (::CreateDirectoryW(nativePath(current).c_str(), nullptr))
            break;
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            if (isFolder(current))
                break;
            return false;
        }
        const int cut = lastSeparator(current);
        if (cut <= 0 || (cut == 1 && isSeparator(current.at(0))) || prefixSize >= cut + 1)
            return false;
        current = current.left(cut);
    }
    // Going down one component at a time.
    while (current.size() < full.size()) {
        int next = current.size() + 1;
        while (next < full.size() && !isSeparator(full.at(next)))
            ++next;
        current = full.left(next);
        if (!::CreateDirectoryW(nativePath(current).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

bool pathExists(const QString &path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(nativePath(path).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return ::GetFileAttributesW(nativePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    ::FindClose(find);
    return true;
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

bool setAttributes(const QString &path, quint32 attributes)
{
    // Attributes of archives made on Unix carry the mode in the top bits.
    if (attributes & 0xF0000000u)
        attributes &= 0x3FFF;
    return ::SetFileAttributesW(nativePath(path).c_str(), DWORD(attributes)) != FALSE;
}

} // namespace FileOperations

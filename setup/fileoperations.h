#pragma once

#include <QString>
#include <QtGlobal>

// File-system operations behind the archive callbacks and the deletion list.
// None follows a link. Attributes are the archive's Windows attributes; on
// Unix, 0x8000 marks the Unix mode in the high 16 bits.
namespace FileOperations {

constexpr quint32 ReadOnlyAttribute = 0x1;
constexpr quint32 DirectoryAttribute = 0x10;
constexpr quint32 UnixExtensionAttribute = 0x8000;

enum class EntryKind { Missing, Folder, Link, Other };

// What stands at path, the last component not followed.
EntryKind entryKind(const QString &path);
// Creates one folder (its parent must exist). Folder when a real folder is
// there at the end; Link or Other when something else stands in the way;
// Missing when it could not be created.
EntryKind makeFolder(const QString &path);
// The path with every link resolved, or an empty string when it leads nowhere.
QString canonicalPath(const QString &path);
// Deletes a file or a link even when it is read-only. Folders are not deleted.
bool deleteAlways(const QString &path);
bool removeEmptyFolder(const QString &path);
// The folder and everything below it; links inside are removed, not followed.
bool removeTree(const QString &path);
bool setAttributes(const QString &path, quint32 attributes, quint32 creationMask);
bool setFolderTime(const QString &path, quint64 fileTime);
// The bits the process's file-creation mask takes away (umask on Unix).
quint32 creationMask();
// An item name as the library gave it, made right where the library decoded
// UTF-8 bytes one by one (as it does under a locale that is not UTF-8).
QString nameFromLibrary(const QString &name);
// Unix permission bits for an item's attributes.
quint32 unixPermissions(quint32 attributes, bool isFolder, quint32 creationMask);

} // namespace FileOperations

#pragma once

#include <QString>
#include <QtGlobal>

// File-system operations behind the archive callbacks. Attributes are the
// archive's Windows attributes; on Unix, 0x8000 marks the Unix mode in the
// high 16 bits.
namespace FileOperations {

constexpr quint32 ReadOnlyAttribute = 0x1;
constexpr quint32 DirectoryAttribute = 0x10;
constexpr quint32 UnixExtensionAttribute = 0x8000;

// Creates the folder and every missing parent; true when it exists at the end.
bool createFolderChain(const QString &path);
// Something (file, folder, link) exists at path; a link itself counts.
bool pathExists(const QString &path);
// Deletes a file even when it is read-only. Folders are not deleted.
bool deleteAlways(const QString &path);
bool setAttributes(const QString &path, quint32 attributes);

} // namespace FileOperations

#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>

// What the streams need to know about an open file. Times are Windows file
// times (100 ns ticks since 1601-01-01 UTC), as the archive library uses.
struct NativeFileProps
{
    quint64 size = 0;
    quint64 volumeId = 0;
    quint64 fileIndex = 0;
    quint32 numberOfLinks = 1;
    quint32 attributes = 0;
    quint64 creationTime = 0;
    quint64 accessTime = 0;
    quint64 modificationTime = 0;
};

// A file handle of the operating system with the few operations the archive
// streams need. Every failure leaves its reason in lastError().
class NativeFile
{
public:
    enum SeekOrigin { FromStart = 0, FromCurrent = 1, FromEnd = 2 };

    NativeFile() = default;
    ~NativeFile();
    NativeFile(const NativeFile &) = delete;
    NativeFile &operator=(const NativeFile &) = delete;

    enum class CreateResult { Created, LinkInTheWay, FolderInTheWay, Failed };

    bool openForRead(const QString &path);
    // Creates the file, or empties a plain file of that name; anything else
    // there (a hard-linked file, a device) is replaced. A link is never
    // written through.
    CreateResult createForWrite(const QString &path);
    bool isOpen() const { return m_handle != InvalidHandle; }

    bool read(void *data, quint32 size, quint32 *processed);
    bool write(const void *data, quint32 size, quint32 *processed);
    bool seek(qint64 offset, SeekOrigin origin, quint64 *newPosition);
    bool size(quint64 *size);
    bool truncateHere();
    bool setModificationTime(quint64 fileTime);
    // The item's attributes as the file's permissions (FileOperations rules).
    bool setAttributes(quint32 attributes, quint32 creationMask);
    bool props(NativeFileProps *props);
    bool close();

    // errno on Unix, GetLastError() on Windows, of the last failing call.
    static std::int32_t lastError();

private:
    CreateResult createInPlace(const QString &path);
    CreateResult replace(const QString &path);

    static constexpr std::intptr_t InvalidHandle = -1;
    std::intptr_t m_handle = InvalidHandle;
};

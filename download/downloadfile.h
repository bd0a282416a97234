#pragma once

#include <QtGlobal>

class QFile;

// The file system calls the downloader needs beyond QFile: an exclusive lock
// on the temporary file and space taken for real before bytes are fetched.
class downloadfile
{
public:
    enum class Preallocation { Done, NoSpace, TooLarge, Failed };

    // False when another downloader, in this process or another, holds it.
    // The lock goes with the file's descriptor, so a killed process leaves none.
    static bool lockExclusive(QFile &file);
    // Blocks are taken where the file system supports it; elsewhere the file
    // is only sized.
    static Preallocation preallocate(QFile &file, qint64 size);
    // The file's data on the disk itself, not only in the system's cache:
    // a resume record written afterwards never trusts bytes a power cut lost.
    static bool syncData(QFile &file);
    // A second handle to the open file, for a sync on another thread; -1
    // when none can be had.
    static int duplicateHandle(QFile &file);
    static bool syncHandle(int handle);
    static void closeHandle(int handle);
    // A write past the file-size limit fails with an error instead of
    // ending the process.
    static void ignoreFileSizeSignal();
};

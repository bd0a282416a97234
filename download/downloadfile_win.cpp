#include "download/downloadfile.h"

#include <QFile>

#include <io.h>
#include <windows.h>

bool downloadfile::lockExclusive(QFile &file)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    OVERLAPPED whole = {};
    return LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole);
}

downloadfile::Preallocation downloadfile::preallocate(QFile &file, qint64 size)
{
    // Setting the end of file allocates it on NTFS.
    if (file.resize(size))
        return Preallocation::Done;
    return GetLastError() == ERROR_DISK_FULL ? Preallocation::NoSpace : Preallocation::Failed;
}

bool downloadfile::syncData(QFile &file)
{
    return syncHandle(file.handle());
}

int downloadfile::duplicateHandle(QFile &file)
{
    return _dup(file.handle());
}

bool downloadfile::syncHandle(int handle)
{
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(handle)));
}

void downloadfile::closeHandle(int handle)
{
    _close(handle);
}

void downloadfile::ignoreFileSizeSignal() {}

#pragma once

#include "setup/archiveinterfaces.h"
#include "setup/nativefile.h"

// What the input and output file streams answer the library: a failed
// file-system call becomes the library's result code for its reason.
namespace FileStreamResults {

inline SevenZip::HRESULT lastErrorResult()
{
    return SevenZip::resultFromSystemError(NativeFile::lastError());
}

inline SevenZip::HRESULT seek(NativeFile &file, SevenZip::Int64 offset, SevenZip::UInt32 seekOrigin,
                              SevenZip::UInt64 *newPosition)
{
    if (seekOrigin >= 3)
        return SevenZip::STG_E_INVALIDFUNCTION;
    quint64 position = 0;
    if (!file.seek(offset, NativeFile::SeekOrigin(seekOrigin), &position))
        return lastErrorResult();
    if (newPosition)
        *newPosition = position;
    return SevenZip::S_OK;
}

} // namespace FileStreamResults

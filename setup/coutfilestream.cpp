#include "setup/coutfilestream.h"

#include "setup/filestreamresults.h"

#include <algorithm>

using namespace SevenZip;
using FileStreamResults::lastErrorResult;

NativeFile::CreateResult COutFileStream::Create(const QString &path)
{
    return m_file.createForWrite(path);
}

bool COutFileStream::SetMTime(UInt64 fileTime)
{
    return m_file.setModificationTime(fileTime);
}

bool COutFileStream::SetAttributes(UInt32 attributes, quint32 creationMask)
{
    return m_file.setAttributes(attributes, creationMask);
}

HRESULT COutFileStream::Close()
{
    return m_file.close() ? S_OK : lastErrorResult();
}

HRESULT COutFileStream::QueryInterface(const GUID &iid, void **outObject)
{
    const bool answered = iid == IID_IUnknown || iid == IID_IOutStream;
    return answerQuery(answered ? static_cast<IOutStream *>(this) : nullptr, outObject);
}

HRESULT COutFileStream::Write(const void *data, UInt32 size, UInt32 *processedSize)
{
    const char *bytes = static_cast<const char *>(data);
    UInt32 written = 0;
    bool ok = true;
    while (written < size) {
        UInt32 piece = 0;
        ok = m_file.write(bytes + written, std::min(size - written, MaxPieceSize), &piece);
        if (!ok || piece == 0)
            break;
        written += piece;
    }
    m_processedSize += written;
    if (processedSize)
        *processedSize = written;
    return ok ? S_OK : lastErrorResult();
}

HRESULT COutFileStream::Seek(Int64 offset, UInt32 seekOrigin, UInt64 *newPosition)
{
    return FileStreamResults::seek(m_file, offset, seekOrigin, newPosition);
}

HRESULT COutFileStream::SetSize(UInt64 newSize)
{
    quint64 current = 0;
    quint64 reached = 0;
    if (!m_file.seek(0, NativeFile::FromCurrent, &current))
        return E_FAIL;
    if (!m_file.seek(Int64(newSize), NativeFile::FromStart, &reached) || reached != newSize)
        return E_FAIL;
    if (!m_file.truncateHere())
        return E_FAIL;
    if (!m_file.seek(Int64(current), NativeFile::FromStart, &reached))
        return E_FAIL;
    return S_OK;
}

#include "setup/cinfilestream.h"

#include "setup/filestreamresults.h"

#include <algorithm>

using namespace SevenZip;
using FileStreamResults::lastErrorResult;

namespace {

FILETIME toFileTime(quint64 value)
{
    return FILETIME{quint32(value & 0xFFFFFFFFu), quint32(value >> 32)};
}

} // namespace

bool CInFileStream::Open(const QString &path)
{
    return m_file.openForRead(path);
}

HRESULT CInFileStream::QueryInterface(const GUID &iid, void **outObject)
{
    void *found = nullptr;
    if (iid == IID_IUnknown || iid == IID_IInStream)
        found = static_cast<IInStream *>(this);
    else if (iid == IID_IStreamGetSize)
        found = static_cast<IStreamGetSize *>(this);
    else if (iid == IID_IStreamGetProps)
        found = static_cast<IStreamGetProps *>(this);
    else if (iid == IID_IStreamGetProps2)
        found = static_cast<IStreamGetProps2 *>(this);
    return answerQuery(found, outObject);
}

HRESULT CInFileStream::Read(void *data, UInt32 size, UInt32 *processedSize)
{
    UInt32 done = 0;
    const bool ok = m_file.read(data, std::min(size, MaxPieceSize), &done);
    if (processedSize)
        *processedSize = done;
    return ok ? S_OK : lastErrorResult();
}

HRESULT CInFileStream::Seek(Int64 offset, UInt32 seekOrigin, UInt64 *newPosition)
{
    return FileStreamResults::seek(m_file, offset, seekOrigin, newPosition);
}

HRESULT CInFileStream::GetSize(UInt64 *size)
{
    quint64 length = 0;
    if (!m_file.size(&length))
        return lastErrorResult();
    *size = length;
    return S_OK;
}

HRESULT CInFileStream::GetProps(UInt64 *size, FILETIME *cTime, FILETIME *aTime, FILETIME *mTime, UInt32 *attrib)
{
    NativeFileProps props;
    if (!m_file.props(&props))
        return lastErrorResult();
    if (size)
        *size = props.size;
    if (cTime)
        *cTime = toFileTime(props.creationTime);
    if (aTime)
        *aTime = toFileTime(props.accessTime);
    if (mTime)
        *mTime = toFileTime(props.modificationTime);
    if (attrib)
        *attrib = props.attributes;
    return S_OK;
}

HRESULT CInFileStream::GetProps2(CStreamFileProps *props)
{
    NativeFileProps info;
    if (!m_file.props(&info))
        return lastErrorResult();
    props->Size = info.size;
    props->VolID = info.volumeId;
    props->FileID_Low = info.fileIndex;
    props->FileID_High = 0;
    props->NumLinks = m_supportHardLinks ? info.numberOfLinks : 1;
    props->Attrib = info.attributes;
    props->CTime = toFileTime(info.creationTime);
    props->ATime = toFileTime(info.accessTime);
    props->MTime = toFileTime(info.modificationTime);
    return S_OK;
}

#pragma once

#include "setup/comobject.h"
#include "setup/nativefile.h"

#include <QString>

// The archive file as the library reads it.
class CInFileStream final : public ComObject<CInFileStream, SevenZip::IInStream, SevenZip::IStreamGetSize,
                                             SevenZip::IStreamGetProps, SevenZip::IStreamGetProps2>
{
    friend ComObject;

public:
    // Reads are split into pieces of at most this size per system call.
    static constexpr SevenZip::UInt32 MaxPieceSize = 4194304;

    CInFileStream() = default;

    bool Open(const QString &path);

    SevenZip::HRESULT SEVENZIP_CALL QueryInterface(const SevenZip::GUID &iid, void **outObject) override;

    SevenZip::HRESULT SEVENZIP_CALL Read(void *data, SevenZip::UInt32 size, SevenZip::UInt32 *processedSize) override;
    SevenZip::HRESULT SEVENZIP_CALL Seek(SevenZip::Int64 offset, SevenZip::UInt32 seekOrigin,
                                         SevenZip::UInt64 *newPosition) override;
    SevenZip::HRESULT SEVENZIP_CALL GetSize(SevenZip::UInt64 *size) override;
    SevenZip::HRESULT SEVENZIP_CALL GetProps(SevenZip::UInt64 *size, SevenZip::FILETIME *cTime,
                                             SevenZip::FILETIME *aTime, SevenZip::FILETIME *mTime,
                                             SevenZip::UInt32 *attrib) override;
    SevenZip::HRESULT SEVENZIP_CALL GetProps2(SevenZip::CStreamFileProps *props) override;

private:
    ~CInFileStream() = default;

    NativeFile m_file;
    bool m_supportHardLinks = false;
};

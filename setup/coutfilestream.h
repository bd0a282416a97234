#pragma once

#include "setup/comobject.h"
#include "setup/nativefile.h"

#include <QString>

// One unpacked file as the library writes it; no buffer of its own.
class COutFileStream final : public ComObject<COutFileStream, SevenZip::IOutStream>
{
    friend ComObject;

public:
    static constexpr SevenZip::UInt32 MaxPieceSize = 4194304;

    COutFileStream() = default;

    NativeFile::CreateResult Create(const QString &path);
    bool SetMTime(SevenZip::UInt64 fileTime);
    bool SetAttributes(SevenZip::UInt32 attributes, quint32 creationMask);
    SevenZip::HRESULT Close();
    SevenZip::UInt64 processedSize() const { return m_processedSize; }

    SevenZip::HRESULT SEVENZIP_CALL QueryInterface(const SevenZip::GUID &iid, void **outObject) override;

    SevenZip::HRESULT SEVENZIP_CALL Write(const void *data, SevenZip::UInt32 size,
                                          SevenZip::UInt32 *processedSize) override;
    SevenZip::HRESULT SEVENZIP_CALL Seek(SevenZip::Int64 offset, SevenZip::UInt32 seekOrigin,
                                         SevenZip::UInt64 *newPosition) override;
    SevenZip::HRESULT SEVENZIP_CALL SetSize(SevenZip::UInt64 newSize) override;

private:
    ~COutFileStream() = default;

    NativeFile m_file;
    SevenZip::UInt64 m_processedSize = 0;
};

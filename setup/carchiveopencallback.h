#pragma once

#include "setup/comobject.h"

#include <QString>

// Handed to the library while it opens an archive. No password is ever
// known, so an archive with encrypted headers cannot be opened.
class CArchiveOpenCallback final
    : public ComObject<CArchiveOpenCallback, SevenZip::IArchiveOpenCallback, SevenZip::ICryptoGetTextPassword>
{
    friend ComObject;

public:
    explicit CArchiveOpenCallback(const SevenZip::LibraryFunctions &library);

    SevenZip::HRESULT SEVENZIP_CALL QueryInterface(const SevenZip::GUID &iid, void **outObject) override;

    SevenZip::HRESULT SEVENZIP_CALL SetTotal(const SevenZip::UInt64 *files, const SevenZip::UInt64 *bytes) override;
    SevenZip::HRESULT SEVENZIP_CALL SetCompleted(const SevenZip::UInt64 *files, const SevenZip::UInt64 *bytes) override;
    SevenZip::HRESULT SEVENZIP_CALL CryptoGetTextPassword(SevenZip::BSTR *password) override;

private:
    ~CArchiveOpenCallback() = default;

    SevenZip::LibraryFunctions m_library;
    bool m_passwordIsDefined = false;
    QString m_password;
};

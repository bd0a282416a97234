#pragma once

#include "setup/archiveinterfaces.h"

#include <QString>

#include <atomic>

// Handed to the library while it opens an archive. No password is ever
// known, so an archive with encrypted headers cannot be opened.
class CArchiveOpenCallback final : public SevenZip::IArchiveOpenCallback, public SevenZip::ICryptoGetTextPassword
{
public:
    explicit CArchiveOpenCallback(const SevenZip::LibraryFunctions &library);

    SevenZip::HRESULT SEVENZIP_CALL QueryInterface(const SevenZip::GUID &iid, void **outObject) override;
    SevenZip::ULONG SEVENZIP_CALL AddRef() override;
    SevenZip::ULONG SEVENZIP_CALL Release() override;

    SevenZip::HRESULT SEVENZIP_CALL SetTotal(const SevenZip::UInt64 *files, const SevenZip::UInt64 *bytes) override;
    SevenZip::HRESULT SEVENZIP_CALL SetCompleted(const SevenZip::UInt64 *files, const SevenZip::UInt64 *bytes) override;
    SevenZip::HRESULT SEVENZIP_CALL CryptoGetTextPassword(SevenZip::BSTR *password) override;

private:
    ~CArchiveOpenCallback() = default;

    std::atomic<SevenZip::ULONG> m_refCount{0};
    SevenZip::LibraryFunctions m_library;
    bool m_passwordIsDefined = false;
    QString m_password;
};

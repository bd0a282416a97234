#include "setup/carchiveopencallback.h"

#include <vector>

using namespace SevenZip;

CArchiveOpenCallback::CArchiveOpenCallback(const LibraryFunctions &library)
    : m_library(library)
{}

HRESULT CArchiveOpenCallback::QueryInterface(const GUID &iid, void **outObject)
{
    void *found = nullptr;
    if (iid == IID_IUnknown)
        found = static_cast<IArchiveOpenCallback *>(this);
    else if (iid == IID_ICryptoGetTextPassword)
        found = static_cast<ICryptoGetTextPassword *>(this);
    return answerQuery(found, outObject);
}

HRESULT CArchiveOpenCallback::SetTotal(const UInt64 *, const UInt64 *)
{
    return S_OK;
}

HRESULT CArchiveOpenCallback::SetCompleted(const UInt64 *, const UInt64 *)
{
    return S_OK;
}

HRESULT CArchiveOpenCallback::CryptoGetTextPassword(BSTR *password)
{
    if (!m_passwordIsDefined || !m_library.sysAllocString)
        return E_ABORT;
    std::vector<wchar_t> text(size_t(m_password.size()) + 1, 0);
    m_password.toWCharArray(text.data());
    *password = m_library.sysAllocString(text.data());
    return *password ? S_OK : E_OUTOFMEMORY;
}

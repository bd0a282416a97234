#include "setup/carchiveopencallback.h"

#include <vector>

using namespace SevenZip;

CArchiveOpenCallback::CArchiveOpenCallback(const LibraryFunctions &library)
    : m_library(library)
{}

HRESULT CArchiveOpenCallback::QueryInterface(const GUID &iid, void **outObject)
{
    *outObject = nullptr;
    if (iid == IID_IUnknown)
        *outObject = static_cast<IArchiveOpenCallback *>(this);
    else if (iid == IID_ICryptoGetTextPassword)
        *outObject = static_cast<ICryptoGetTextPassword *>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG CArchiveOpenCallback::AddRef()
{
    return ++m_refCount;
}

ULONG CArchiveOpenCallback::Release()
{
    const ULONG count = --m_refCount;
    if (count == 0)
        delete this;
    return count;
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

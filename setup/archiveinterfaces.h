#pragma once

#include <cstdint>
#include <cstring>

// Our own declarations of the 7-Zip library's COM-style binary interface.
// On Linux (7-Zip 23 and later) IUnknown has no virtual destructor, so every
// vtable starts with QueryInterface, AddRef, Release and nothing else.
namespace SevenZip {

#ifdef _WIN32
#define SEVENZIP_CALL __stdcall
#else
#define SEVENZIP_CALL
#endif

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using UInt32 = std::uint32_t;
using Int32 = std::int32_t;
using UInt64 = std::uint64_t;
using Int64 = std::int64_t;
using PROPID = std::uint32_t;
using VARTYPE = std::uint16_t;
using BSTR = wchar_t *;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001u);

struct GUID
{
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};

inline bool operator==(const GUID &a, const GUID &b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

// Every interface of the library: {23170F69-40C1-278A-0000-00gg00nn0000}.
constexpr GUID interfaceId(std::uint8_t group, std::uint8_t number)
{
    return GUID{0x23170F69, 0x40C1, 0x278A, {0, 0, 0, group, 0, number, 0, 0}};
}

// Archive handlers: {23170F69-40C1-278A-1000-000110xx0000}.
constexpr GUID handlerClassId(std::uint8_t format)
{
    return GUID{0x23170F69, 0x40C1, 0x278A, {0x10, 0, 0, 0x01, 0x10, format, 0, 0}};
}

constexpr GUID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID IID_IProgress = interfaceId(0x00, 0x05);
constexpr GUID IID_ISequentialInStream = interfaceId(0x03, 0x01);
constexpr GUID IID_ISequentialOutStream = interfaceId(0x03, 0x02);
constexpr GUID IID_IInStream = interfaceId(0x03, 0x03);
constexpr GUID IID_IOutStream = interfaceId(0x03, 0x04);
constexpr GUID IID_IStreamGetSize = interfaceId(0x03, 0x06);
constexpr GUID IID_IStreamGetProps = interfaceId(0x03, 0x08);
constexpr GUID IID_IStreamGetProps2 = interfaceId(0x03, 0x09);
constexpr GUID IID_ICryptoGetTextPassword = interfaceId(0x05, 0x10);
constexpr GUID IID_IArchiveOpenCallback = interfaceId(0x06, 0x10);
constexpr GUID IID_IArchiveExtractCallback = interfaceId(0x06, 0x20);
constexpr GUID IID_IInArchive = interfaceId(0x06, 0x60);

constexpr GUID CLSID_Format7z = handlerClassId(0x07);
constexpr GUID CLSID_FormatZip = handlerClassId(0x01);
constexpr GUID CLSID_FormatRar = handlerClassId(0x03);

struct FILETIME
{
    std::uint32_t dwLowDateTime;
    std::uint32_t dwHighDateTime;
};

enum : VARTYPE {
    VT_EMPTY = 0,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_UI8 = 21,
    VT_FILETIME = 64,
};

struct PROPVARIANT
{
    VARTYPE vt;
    std::uint16_t wReserved1;
    std::uint16_t wReserved2;
    std::uint16_t wReserved3;
    union {
        std::uint8_t bVal;
        std::uint16_t uiVal;
        std::uint32_t ulVal;
        UInt64 uhVal;
        std::int16_t boolVal;
        FILETIME filetime;
        BSTR bstrVal;
    };
};
static_assert(sizeof(PROPVARIANT) == 16, "PROPVARIANT must match the library's layout");

namespace PropId {
constexpr PROPID Path = 3;
constexpr PROPID IsDir = 6;
constexpr PROPID Size = 7;
constexpr PROPID Attrib = 9;
constexpr PROPID MTime = 12;
constexpr PROPID IsAnti = 21;
// Archive properties.
constexpr PROPID ErrorFlags = 71;
} // namespace PropId

namespace AskMode {
constexpr Int32 Extract = 0;
constexpr Int32 Test = 1;
constexpr Int32 Skip = 2;
} // namespace AskMode

struct IUnknown
{
    virtual HRESULT SEVENZIP_CALL QueryInterface(const GUID &iid, void **outObject) = 0;
    virtual ULONG SEVENZIP_CALL AddRef() = 0;
    virtual ULONG SEVENZIP_CALL Release() = 0;
};

struct IProgress : public IUnknown
{
    virtual HRESULT SEVENZIP_CALL SetTotal(UInt64 total) = 0;
    virtual HRESULT SEVENZIP_CALL SetCompleted(const UInt64 *completeValue) = 0;
};

struct ISequentialInStream : public IUnknown
{
    virtual HRESULT SEVENZIP_CALL Read(void *data, UInt32 size, UInt32 *processedSize) = 0;
};

struct ISequentialOutStream : public IUnknown
{
    virtual HRESULT SEVENZIP_CALL Write(const void *data, UInt32 size, UInt32 *processedSize) = 0;
};

struct IInStream : public ISequentialInStream
{
    virtual HRESULT SEVENZIP_CALL Seek(Int64 offset, UInt32 seekOrigin, UInt64 *newPosition) = 0;
};

struct IOutStream : public ISequentialOutStream
{
    virtual HRESULT SEVENZIP_CALL Seek(Int64 offset, UInt32 seekOrigin, UInt64 *newPosition) = 0;
    virtual HRESULT SEVENZIP_CALL SetSize(UInt64 newSize) = 0;
};

struct IStreamGetSize : public IUnknown
{
    virtual HRESULT SEVENZIP_CALL GetSize(UInt64 *size) = 0;
};

struct IStreamGetProps : public IUnknown
{
    virtual HRESULT SEVENZIP_CALL GetProps(UInt64 *size, FILETIME *cTime, FILETIME *aTime, FILETIME *mTime,
                                           UInt32 *attrib) = 0;
};

struct CStreamFileProps
{
    UInt64 Size;
    UInt64 VolID;
    UInt64 FileID_Low;
    UInt64 FileID_High;
    UInt32 NumLinks;
    UInt32 Attrib;
    FILETIME CTime;
    FILETIME ATime;
    FILETIME MTime;
};

struct IStreamGetProps2 : public IUnknown
{
    virtual HRESULT SEVENZIP_CALL GetProps2(CStreamFileProps *props) = 0;
};

struct ICryptoGetTextPassword : public IUnknown
{
    virtual HRESULT SEVENZIP_CALL CryptoGetTextPassword(BSTR *password) = 0;
};

struct IArchiveOpenCallback : public IUnknown
{
    virtual HRESULT SEVENZIP_CALL SetTotal(const UInt64 *files, const UInt64 *bytes) = 0;
    virtual HRESULT SEVENZIP_CALL SetCompleted(const UInt64 *files, const UInt64 *bytes) = 0;
};

struct IArchiveExtractCallback : public IProgress
{
    virtual HRESULT SEVENZIP_CALL GetStream(UInt32 index, ISequentialOutStream **outStream, Int32 askExtractMode) = 0;
    virtual HRESULT SEVENZIP_CALL PrepareOperation(Int32 askExtractMode) = 0;
    virtual HRESULT SEVENZIP_CALL SetOperationResult(Int32 opRes) = 0;
};

struct IInArchive : public IUnknown
{
    virtual HRESULT SEVENZIP_CALL Open(IInStream *stream, const UInt64 *maxCheckStartPosition,
                                       IArchiveOpenCallback *openCallback) = 0;
    virtual HRESULT SEVENZIP_CALL Close() = 0;
    virtual HRESULT SEVENZIP_CALL GetNumberOfItems(UInt32 *numItems) = 0;
    virtual HRESULT SEVENZIP_CALL GetProperty(UInt32 index, PROPID propID, PROPVARIANT *value) = 0;
    virtual HRESULT SEVENZIP_CALL Extract(const UInt32 *indices, UInt32 numItems, Int32 testMode,
                                          IArchiveExtractCallback *extractCallback) = 0;
    virtual HRESULT SEVENZIP_CALL GetArchiveProperty(PROPID propID, PROPVARIANT *value) = 0;
    virtual HRESULT SEVENZIP_CALL GetNumberOfProperties(UInt32 *numProps) = 0;
    virtual HRESULT SEVENZIP_CALL GetPropertyInfo(UInt32 index, BSTR *name, PROPID *propID, VARTYPE *varType) = 0;
    virtual HRESULT SEVENZIP_CALL GetNumberOfArchiveProperties(UInt32 *numProps) = 0;
    virtual HRESULT SEVENZIP_CALL GetArchivePropertyInfo(UInt32 index, BSTR *name, PROPID *propID,
                                                         VARTYPE *varType) = 0;
};

// The library's exported functions we use. Strings crossing the boundary
// belong to the library's allocator, so both directions go through it.
using CreateObjectFunc = HRESULT(SEVENZIP_CALL *)(const GUID *clsid, const GUID *iid, void **outObject);
using SysAllocStringFunc = BSTR(SEVENZIP_CALL *)(const wchar_t *text);
using SysFreeStringFunc = void(SEVENZIP_CALL *)(BSTR text);

struct LibraryFunctions
{
    CreateObjectFunc createObject = nullptr;
    SysAllocStringFunc sysAllocString = nullptr;
    SysFreeStringFunc sysFreeString = nullptr;
};

// One property as the library fills it in. A string in it belongs to the
// library's allocator, whatever the property, and goes back there.
struct LibraryProperty
{
    const LibraryFunctions &library;
    PROPVARIANT value{};

    ~LibraryProperty()
    {
        if (value.vt == VT_BSTR && value.bstrVal && library.sysFreeString)
            library.sysFreeString(value.bstrVal);
    }
};

// An operating-system error as a result code: 0x8007xxxx for a positive
// error, unchanged when already negative, E_FAIL for 0.
inline HRESULT resultFromSystemError(std::int32_t error)
{
    if (error > 0)
        return static_cast<HRESULT>(0x80070000u | (static_cast<std::uint32_t>(error) & 0xFFFFu));
    if (error < 0)
        return error;
    return E_FAIL;
}

} // namespace SevenZip

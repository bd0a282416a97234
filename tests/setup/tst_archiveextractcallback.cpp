#include "setup/carchiveextractcallback.h"

#include <QTemporaryDir>
#include <QtTest>

#include <vector>

using namespace SevenZip;

namespace {

// Strings the callback gave back to the library's allocator.
std::vector<BSTR> freedStrings;

void SEVENZIP_CALL recordFree(BSTR text)
{
    freedStrings.push_back(text);
}

// An archive of one item whose properties a test sets; no reference counting.
class ScriptedArchive final : public IInArchive
{
public:
    PROPVARIANT properties[16] = {};

    HRESULT SEVENZIP_CALL QueryInterface(const GUID &, void **outObject) override
    {
        *outObject = nullptr;
        return E_NOINTERFACE;
    }
    ULONG SEVENZIP_CALL AddRef() override { return 2; }
    ULONG SEVENZIP_CALL Release() override { return 1; }
    HRESULT SEVENZIP_CALL Open(IInStream *, const UInt64 *, IArchiveOpenCallback *) override { return E_NOTIMPL; }
    HRESULT SEVENZIP_CALL Close() override { return S_OK; }
    HRESULT SEVENZIP_CALL GetNumberOfItems(UInt32 *numItems) override
    {
        *numItems = 1;
        return S_OK;
    }
    HRESULT SEVENZIP_CALL GetProperty(UInt32, PROPID propID, PROPVARIANT *value) override
    {
        *value = propID < 16 ? properties[propID] : PROPVARIANT{};
        return S_OK;
    }
    HRESULT SEVENZIP_CALL Extract(const UInt32 *, UInt32, Int32, IArchiveExtractCallback *) override
    {
        return E_NOTIMPL;
    }
    HRESULT SEVENZIP_CALL GetArchiveProperty(PROPID, PROPVARIANT *) override { return E_NOTIMPL; }
    HRESULT SEVENZIP_CALL GetNumberOfProperties(UInt32 *) override { return E_NOTIMPL; }
    HRESULT SEVENZIP_CALL GetPropertyInfo(UInt32, BSTR *, PROPID *, VARTYPE *) override { return E_NOTIMPL; }
    HRESULT SEVENZIP_CALL GetNumberOfArchiveProperties(UInt32 *) override { return E_NOTIMPL; }
    HRESULT SEVENZIP_CALL GetArchivePropertyInfo(UInt32, BSTR *, PROPID *, VARTYPE *) override { return E_NOTIMPL; }
};

PROPVARIANT stringProperty(BSTR text)
{
    PROPVARIANT value{};
    value.vt = VT_BSTR;
    value.bstrVal = text;
    return value;
}

} // namespace

// The item property rules of the extract callback against an archive whose
// answers the real library never gives.
class TestArchiveExtractCallback : public QObject
{
    Q_OBJECT

private slots:
    void everyStringPropertyIsFreed_data();
    void everyStringPropertyIsFreed();
};

void TestArchiveExtractCallback::everyStringPropertyIsFreed_data()
{
    QTest::addColumn<int>("oddProperty");
    QTest::newRow("attributes") << int(PropId::Attrib);
    QTest::newRow("folder flag") << int(PropId::IsDir);
    QTest::newRow("modification time") << int(PropId::MTime);
    QTest::newRow("size") << int(PropId::Size);
}

void TestArchiveExtractCallback::everyStringPropertyIsFreed()
{
    QFETCH(int, oddProperty);
    QTemporaryDir target;
    QVERIFY(target.isValid());
    wchar_t path[] = L"item.txt";
    wchar_t odd[] = L"not of this type";
    ScriptedArchive archive;
    archive.properties[PropId::Path] = stringProperty(path);
    archive.properties[oddProperty] = stringProperty(odd);
    LibraryFunctions library;
    library.sysFreeString = recordFree;
    freedStrings.clear();

    auto *callback = new CArchiveExtractCallback(library, nullptr);
    callback->AddRef();
    callback->Init(&archive, target.path());
    ISequentialOutStream *stream = nullptr;
    const HRESULT result = callback->GetStream(0, &stream, AskMode::Extract);
    if (stream)
        stream->Release();
    callback->Release();

    // A string where another type belongs is refused, and given back all the same.
    if (oddProperty != int(PropId::Size))
        QCOMPARE(result, E_FAIL);
    QCOMPARE(freedStrings, (std::vector<BSTR>{path, odd}));
}

QTEST_GUILESS_MAIN(TestArchiveExtractCallback)
#include "tst_archiveextractcallback.moc"

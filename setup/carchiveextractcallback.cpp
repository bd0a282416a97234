#include "setup/carchiveextractcallback.h"

#include "setup/coutfilestream.h"
#include "setup/extractpath.h"
#include "setup/fileoperations.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QDebug>

#include <vector>

using namespace SevenZip;

namespace {

QString fromBstr(BSTR text)
{
    return text ? QString::fromWCharArray(text) : QString();
}

// One item property as the library fills it in. A string in it belongs to
// the library's allocator, whatever the property, and goes back there.
struct ItemProperty
{
    const LibraryFunctions &library;
    PROPVARIANT value{};

    ~ItemProperty()
    {
        if (value.vt == VT_BSTR && value.bstrVal && library.sysFreeString)
            library.sysFreeString(value.bstrVal);
    }
};

} // namespace

CArchiveExtractCallback::CArchiveExtractCallback(const LibraryFunctions &library, const setupmanager *runner)
    : m_library(library)
    , m_runner(runner)
{
    m_progressClock.start();
}

CArchiveExtractCallback::~CArchiveExtractCallback()
{
    dropOutFileStream();
    if (archive)
        archive->Release();
}

void CArchiveExtractCallback::Init(IInArchive *inArchive, const QString &targetFolder)
{
    archive = inArchive;
    archive->AddRef();
    directoryPath = targetFolder;
    if (!directoryPath.endsWith(QLatin1Char('\\')) && !directoryPath.endsWith(QLatin1Char('/')))
        directoryPath += QLatin1Char('/');
}

HRESULT CArchiveExtractCallback::QueryInterface(const GUID &iid, void **outObject)
{
    void *found = nullptr;
    if (iid == IID_IUnknown)
        found = static_cast<IArchiveExtractCallback *>(this);
    else if (iid == IID_ICryptoGetTextPassword)
        found = static_cast<ICryptoGetTextPassword *>(this);
    return answerQuery(found, outObject);
}

HRESULT CArchiveExtractCallback::SetTotal(UInt64 total)
{
    totalSize = total;
    return S_OK;
}

HRESULT CArchiveExtractCallback::SetCompleted(const UInt64 *completeValue)
{
    if (completeValue)
        emitProgress(*completeValue);
    return S_OK;
}

void CArchiveExtractCallback::emitProgress(UInt64 completed)
{
    const qint64 now = m_progressClock.elapsed();
    const qint64 last = m_lastProgressMs.load();
    const bool isLast = completed >= totalSize;
    if (!isLast && last >= 0 && now - last < ProgressIntervalMs)
        return;
    m_lastProgressMs.store(now);
    emit setupmanager::sharedInstance()->setupProgress(qint64(completed), qint64(totalSize));
}

HRESULT CArchiveExtractCallback::GetStream(UInt32 index, ISequentialOutStream **outStream, Int32 askExtractMode)
{
    *outStream = nullptr;
    dropOutFileStream();
    item = ItemInfo();

    HRESULT result = readItemPath(index);
    if (result != S_OK)
        return result;
    if (askExtractMode != AskMode::Extract)
        return S_OK;
    result = readItemInfo(index);
    if (result != S_OK)
        return result;

    // Checked once, before anything is touched: a refused item is decoded
    // into no stream, so nothing lands outside the install folder.
    diskFilePath = ExtractPath::resolve(directoryPath, filePath);
    if (diskFilePath.isEmpty()) {
        item.refused = true;
        setupmanager::reportItemError(
            m_runner, ErrorDefine::SETUP_ZIP_ERROR,
            QCoreApplication::translate("CArchiveExtractCallback", "文件路径超出安装目录，未解压：%1").arg(filePath));
        return S_OK;
    }

    const int lastSeparator = diskFilePath.lastIndexOf(QLatin1Char('/'));
    if (lastSeparator > directoryPath.size() - 1)
        FileOperations::createFolderChain(diskFilePath.left(lastSeparator));

    if (item.isFolder) {
        FileOperations::createFolderChain(diskFilePath);
        return S_OK;
    }
    return openOutputFile(outStream);
}

HRESULT CArchiveExtractCallback::readItemPath(UInt32 index)
{
    ItemProperty prop{m_library};
    const HRESULT result = archive->GetProperty(index, PropId::Path, &prop.value);
    if (result != S_OK)
        return result;
    if (prop.value.vt == VT_EMPTY) {
        filePath = QStringLiteral("[Content]");
        return S_OK;
    }
    if (prop.value.vt != VT_BSTR)
        return E_FAIL;
    filePath = fromBstr(prop.value.bstrVal);
    return S_OK;
}

HRESULT CArchiveExtractCallback::readItemInfo(UInt32 index)
{
    ItemProperty attributes{m_library};
    HRESULT result = archive->GetProperty(index, PropId::Attrib, &attributes.value);
    if (result != S_OK)
        return result;
    if (attributes.value.vt == VT_UI4) {
        item.attributes = attributes.value.ulVal;
        item.attributesDefined = true;
    } else if (attributes.value.vt != VT_EMPTY) {
        return E_FAIL;
    }

    ItemProperty isFolder{m_library};
    result = archive->GetProperty(index, PropId::IsDir, &isFolder.value);
    if (result != S_OK)
        return result;
    if (isFolder.value.vt == VT_BOOL)
        item.isFolder = isFolder.value.boolVal != 0;
    else if (isFolder.value.vt != VT_EMPTY)
        return E_FAIL;

    ItemProperty time{m_library};
    result = archive->GetProperty(index, PropId::MTime, &time.value);
    if (result != S_OK)
        return result;
    if (time.value.vt == VT_FILETIME) {
        const FILETIME &fileTime = time.value.filetime;
        item.modificationTime = (UInt64(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
        item.timeDefined = true;
    } else if (time.value.vt != VT_EMPTY) {
        return E_FAIL;
    }

    // The size is read as the library expects but not needed; an odd type is ignored.
    ItemProperty size{m_library};
    return archive->GetProperty(index, PropId::Size, &size.value);
}

HRESULT CArchiveExtractCallback::openOutputFile(ISequentialOutStream **outStream)
{
    if (FileOperations::pathExists(diskFilePath) && !FileOperations::deleteAlways(diskFilePath)) {
        setupmanager::reportItemError(m_runner, ErrorDefine::SETUP_ZIP_UNABLE_DELETE_ERROR, diskFilePath);
        return E_ABORT;
    }
    COutFileStream *stream = new COutFileStream;
    stream->AddRef();
    if (!stream->Create(diskFilePath)) {
        setupmanager::reportItemError(m_runner, ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR, diskFilePath);
        stream->Release();
        return E_ABORT;
    }
    outFileStream = stream;
    stream->AddRef();
    *outStream = stream;
    return S_OK;
}

void CArchiveExtractCallback::dropOutFileStream()
{
    if (outFileStream) {
        outFileStream->Release();
        outFileStream = nullptr;
    }
}

HRESULT CArchiveExtractCallback::PrepareOperation(Int32 askExtractMode)
{
    extractMode = askExtractMode == AskMode::Extract;
    QString shownPath = filePath;
    shownPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
    switch (askExtractMode) {
    case AskMode::Extract:
        if (!item.refused)
            emit setupmanager::sharedInstance()->setupUnzipFilePath(shownPath);
        break;
    case AskMode::Test:
        qDebug().noquote() << "Testing     " + shownPath;
        break;
    case AskMode::Skip:
        qDebug().noquote() << "Skipping    " + shownPath;
        break;
    default:
        break;
    }
    return S_OK;
}

QString CArchiveExtractCallback::operationResultText(Int32 opRes)
{
    switch (opRes) {
    case 1:
        return QStringLiteral("Unsupported Method");
    case 2:
        return QStringLiteral("Data Error");
    case 3:
        return QStringLiteral("CRC Failed");
    case 4:
        return QStringLiteral("Unavailable data");
    case 5:
        return QStringLiteral("Unexpected end of data");
    case 6:
        return QStringLiteral("There are some data after the end of the payload data");
    case 7:
        return QStringLiteral("Is not archive");
    case 8:
        return QStringLiteral("Headers Error");
    default:
        return QString::number(opRes);
    }
}

HRESULT CArchiveExtractCallback::SetOperationResult(Int32 opRes)
{
    if (opRes != 0)
        setupmanager::reportItemError(m_runner, ErrorDefine::SETUP_ZIP_ERROR, operationResultText(opRes));

    if (outFileStream) {
        if (item.timeDefined)
            outFileStream->SetMTime(item.modificationTime);
        const HRESULT closed = outFileStream->Close();
        if (closed != S_OK)
            return closed;
    }
    dropOutFileStream();
    if (extractMode && item.attributesDefined && !item.refused)
        FileOperations::setAttributes(diskFilePath, item.attributes);
    return S_OK;
}

HRESULT CArchiveExtractCallback::CryptoGetTextPassword(BSTR *outPassword)
{
    if (!passwordIsDefined) {
        setupmanager::reportItemError(m_runner, ErrorDefine::SETUP_ZIP_PASSWORD_ERROR,
                                      QCoreApplication::translate("QObject", "解压密码未定义"));
        return E_ABORT;
    }
    if (!m_library.sysAllocString)
        return E_OUTOFMEMORY;
    std::vector<wchar_t> text(size_t(password.size()) + 1, 0);
    password.toWCharArray(text.data());
    *outPassword = m_library.sysAllocString(text.data());
    return *outPassword ? S_OK : E_OUTOFMEMORY;
}

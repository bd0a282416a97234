#include "setup/carchiveextractcallback.h"

#include "setup/coutfilestream.h"
#include "setup/extractpath.h"
#include "setup/fileoperations.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QDebug>

#include <vector>

using namespace SevenZip;

CArchiveExtractCallback::CArchiveExtractCallback(const LibraryFunctions &library, setupmanager *runner)
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
    m_target.open(targetFolder);
    m_creationMask = FileOperations::creationMask();
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
    emit m_runner->setupProgress(qint64(completed), qint64(totalSize));
}

HRESULT CArchiveExtractCallback::GetStream(UInt32 index, ISequentialOutStream **outStream, Int32 askExtractMode)
{
    *outStream = nullptr;
    dropOutFileStream();
    item = ItemInfo();

    const ArchiveItem source(m_library, archive, index);
    HRESULT result = source.readPath(&filePath);
    if (result != S_OK)
        return result;
    if (askExtractMode != AskMode::Extract)
        return S_OK;
    result = source.readProperties(&item);
    if (result != S_OK)
        return result;

    // Checked before anything is touched: a refused item is decoded into no
    // stream, so nothing lands outside the install folder.
    QStringList components;
    if (!ExtractPath::split(filePath, &components)) {
        refuseItem();
        return S_OK;
    }
    relativePath = components.join(QLatin1Char('/'));
    diskFilePath = m_target.path() + relativePath;
    if (components.isEmpty()) {
        // "./" of bsdtar and Windows tar: the install folder itself.
        if (item.isFolder || item.isAnti)
            item.skipped = true;
        else
            refuseItem();
        return S_OK;
    }
    return placeItem(components, outStream);
}

HRESULT CArchiveExtractCallback::placeItem(const QStringList &components, ISequentialOutStream **outStream)
{
    const bool wholePathIsFolder = item.isFolder && !item.isAnti;
    const int folderCount = wholePathIsFolder ? components.size() : components.size() - 1;
    QString failedFolder;
    switch (m_target.reachFolder(components, folderCount, !item.isAnti, &failedFolder)) {
    case TargetFolder::Placement::Outside:
        refuseItem();
        return S_OK;
    case TargetFolder::Placement::Failed:
        reportItemError(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR, failedFolder);
        return E_ABORT;
    case TargetFolder::Placement::Missing:
        item.skipped = true;
        return S_OK;
    case TargetFolder::Placement::Ready:
        break;
    }
    if (item.isAnti) {
        removeAntiItem();
        return S_OK;
    }
    if (item.isFolder) {
        m_folders.append({diskFilePath, item});
        return S_OK;
    }
    return openOutputFile(outStream);
}

void CArchiveExtractCallback::refuseItem()
{
    item.refused = true;
    reportItemError(
        ErrorDefine::SETUP_ZIP_ERROR,
        QCoreApplication::translate("CArchiveExtractCallback", "文件路径超出安装目录，未解压：%1").arg(filePath));
}

// A deletion mark of an update archive: "7z x" removes the file, or the
// folder when it is empty.
void CArchiveExtractCallback::removeAntiItem()
{
    switch (FileOperations::entryKind(diskFilePath)) {
    case FileOperations::EntryKind::Missing:
        return;
    case FileOperations::EntryKind::Folder:
        if (FileOperations::removeEmptyFolder(diskFilePath))
            m_target.forgetFolder(relativePath);
        return;
    case FileOperations::EntryKind::Link:
    case FileOperations::EntryKind::Other:
        if (!FileOperations::deleteAlways(diskFilePath))
            reportItemError(ErrorDefine::SETUP_ZIP_UNABLE_DELETE_ERROR, diskFilePath);
        return;
    }
}

void CArchiveExtractCallback::reportItemError(ErrorDefine::ErrorCode error, const QString &msg)
{
    ++m_itemErrors;
    m_runner->reportItemError(error, msg);
}

HRESULT CArchiveExtractCallback::openOutputFile(ISequentialOutStream **outStream)
{
    COutFileStream *stream = new COutFileStream;
    stream->AddRef();
    NativeFile::CreateResult created = stream->Create(diskFilePath);
    if (created == NativeFile::CreateResult::LinkInTheWay) {
        if (!m_target.linkStaysInside(diskFilePath)) {
            stream->Release();
            refuseItem();
            return S_OK;
        }
        created = FileOperations::deleteAlways(diskFilePath) ? stream->Create(diskFilePath)
                                                             : NativeFile::CreateResult::Failed;
    }
    if (created != NativeFile::CreateResult::Created) {
        const bool folderInTheWay = created == NativeFile::CreateResult::FolderInTheWay;
        reportItemError(folderInTheWay ? ErrorDefine::SETUP_ZIP_UNABLE_DELETE_ERROR
                                       : ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR,
                        diskFilePath);
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
        if (!item.refused && !item.skipped)
            emit m_runner->setupUnzipFilePath(shownPath);
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
        reportItemError(ErrorDefine::SETUP_ZIP_ERROR, operationResultText(opRes));

    if (outFileStream) {
        if (item.timeDefined)
            outFileStream->SetMTime(item.modificationTime);
        if (extractMode && item.attributesDefined)
            outFileStream->SetAttributes(item.attributes, m_creationMask);
        const HRESULT closed = outFileStream->Close();
        if (closed != S_OK)
            return closed;
        if (opRes == 0 && !m_watchedItem.isEmpty() && relativePath == m_watchedItem)
            m_watchedItemUnpacked = true;
    }
    dropOutFileStream();
    return S_OK;
}

void CArchiveExtractCallback::finish()
{
    // Writing inside a folder changes its time, so folders come last.
    for (auto it = m_folders.crbegin(); it != m_folders.crend(); ++it) {
        if (it->item.attributesDefined)
            FileOperations::setAttributes(it->path, it->item.attributes, m_creationMask);
        if (it->item.timeDefined)
            FileOperations::setFolderTime(it->path, it->item.modificationTime);
    }
    m_folders.clear();
}

HRESULT CArchiveExtractCallback::CryptoGetTextPassword(BSTR *outPassword)
{
    if (!passwordIsDefined) {
        reportItemError(ErrorDefine::SETUP_ZIP_PASSWORD_ERROR,
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

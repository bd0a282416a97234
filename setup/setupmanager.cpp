#include "setup/setupmanager.h"

#include "setup/carchiveextractcallback.h"
#include "setup/carchiveopencallback.h"
#include "setup/cinfilestream.h"
#include "setup/deletelist.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

using namespace SevenZip;

namespace {

constexpr UInt32 AllItems = 0xFFFFFFFFu;
constexpr UInt64 MaxSignatureSearch = 8388608;

const char *const DeleteListName = "deletefiles.txt";
const char *const MainMetaDataPath = "/Halvest_Data/Managed/Metadata/global-metadata.dat";
const char *const SecondMetaDataPath = "/Halvest_Data/Native/Data/Metadata/global-metadata.dat";

bool classIdForSuffix(const QString &suffix, GUID *classId)
{
    if (suffix == QLatin1String("7z"))
        *classId = CLSID_Format7z;
    else if (suffix == QLatin1String("zip"))
        *classId = CLSID_FormatZip;
    else if (suffix == QLatin1String("rar"))
        *classId = CLSID_FormatRar;
    else
        return false;
    return true;
}

// The archive's own error flags, as "7z x" names them.
QString archiveErrorText(UInt32 flags)
{
    static const char *const names[] = {"Is not archive",
                                        "Headers Error",
                                        "Headers Error in encrypted archive",
                                        "Unavailable start of archive",
                                        "Unconfirmed start of archive",
                                        "Unexpected end of archive",
                                        "There are data after the end of archive",
                                        "Unsupported method",
                                        "Unsupported feature",
                                        "Data Error",
                                        "CRC Error"};
    QStringList texts;
    for (UInt32 bit = 0; bit < sizeof(names) / sizeof(names[0]); ++bit)
        if (flags & (1u << bit))
            texts << QLatin1String(names[bit]);
    if (texts.isEmpty())
        texts << QStringLiteral("0x%1").arg(flags, 0, 16);
    return texts.join(QLatin1String(", "));
}

// The library's verdict on the archive as a whole (a cut or damaged file);
// empty when it has none.
QString archiveError(IInArchive *archive, const LibraryFunctions &functions)
{
    LibraryProperty flags{functions};
    if (archive->GetArchiveProperty(PropId::ErrorFlags, &flags.value) != S_OK)
        return QString();
    return flags.value.vt == VT_UI4 && flags.value.ulVal != 0 ? archiveErrorText(flags.value.ulVal) : QString();
}

} // namespace

setupmanager::setupmanager(QObject *parent)
    : QThread(parent)
    , library(defaultLibraryFileName())
{
    ErrorDefine::registerMetaType();
}

setupmanager::~setupmanager()
{
    wait();
}

setupmanager *setupmanager::sharedInstance()
{
    static QMutex creationLock;
    static std::atomic<setupmanager *> instance{nullptr};
    if (!instance.load()) {
        QMutexLocker locker(&creationLock);
        if (!instance.load())
            instance.store(new setupmanager);
    }
    return instance.load();
}

void setupmanager::raiseError(ErrorDefine::ErrorCode error, const QString &msg)
{
    hasError.store(true);
    emit setupError(error, msg);
}

void setupmanager::reportItemError(ErrorDefine::ErrorCode error, const QString &msg)
{
    raiseError(error, msg);
}

void setupmanager::setLibraryFileName(const QString &fileName)
{
    library.setFileName(fileName);
}

void setupmanager::setZipFilePath(QString newDir)
{
    dir = newDir;
}

void setupmanager::setZipFileName(QString newZipName)
{
    zipName = newZipName;
}

void setupmanager::run()
{
    startSetup();
}

void setupmanager::startSetup()
{
    const QString archivePath = dir + QLatin1Char('/') + zipName;
    hasError.store(false);
    // A failed extraction ends the run with the archive kept and nothing
    // deleted; the flag is cleared, or the next good run would end silently.
    bool deleteListArrived = false;
    if (!extractArchive(archivePath, dir, &deleteListArrived)) {
        hasError.store(false);
        return;
    }
    QFile::remove(archivePath);
    // A list left by an earlier package is not this one's to apply.
    if (deleteListArrived)
        processDeleteList();
    checkMetaData();
    if (hasError.exchange(false))
        return;
    emit setupFinished();
}

bool setupmanager::resolveLibrary(LibraryFunctions *functions)
{
    functions->createObject = reinterpret_cast<CreateObjectFunc>(library.resolve("CreateObject"));
    functions->sysAllocString = reinterpret_cast<SysAllocStringFunc>(library.resolve("SysAllocString"));
    functions->sysFreeString = reinterpret_cast<SysFreeStringFunc>(library.resolve("SysFreeString"));
    if (!functions->createObject)
        qDebug() << "archive library unusable:" << library.errorString();
    return functions->createObject != nullptr;
}

bool setupmanager::extractArchive(const QString &archivePath, const QString &targetDir, bool *deleteListArrived)
{
    LibraryFunctions functions;
    if (!resolveLibrary(&functions)) {
        raiseError(ErrorDefine::SETUP_DLL_ERROR, tr("获取解压缩对象失败"));
        return false;
    }
    IInArchive *archive = createHandler(archivePath, functions);
    if (!archive)
        return false;
    CInFileStream *stream = new CInFileStream;
    stream->AddRef();
    const bool done = openArchive(archive, stream, archivePath, functions) &&
                      unpackItems(archive, functions, targetDir, deleteListArrived);
    stream->Release();
    archive->Release();
    return done;
}

IInArchive *setupmanager::createHandler(const QString &archivePath, const LibraryFunctions &functions)
{
    const QString fileName = QFileInfo(archivePath).fileName();
    const QString suffix =
        fileName.contains(QLatin1Char('.')) ? fileName.section(QLatin1Char('.'), -1).toLower() : QString();
    GUID classId;
    if (!classIdForSuffix(suffix, &classId)) {
        raiseError(ErrorDefine::SETUP_ZIP_FORMAT_ERROR, suffix + QLatin1Char(' ') + tr("解压缩失败"));
        return nullptr;
    }
    IInArchive *archive = nullptr;
    if (functions.createObject(&classId, &IID_IInArchive, reinterpret_cast<void **>(&archive)) != S_OK || !archive) {
        raiseError(ErrorDefine::SETUP_ZIP_CLASS_ERROR, tr("压缩格式的接口类获取失败"));
        return nullptr;
    }
    return archive;
}

bool setupmanager::openArchive(IInArchive *archive, CInFileStream *stream, const QString &archivePath,
                               const LibraryFunctions &functions)
{
    if (!stream->Open(archivePath)) {
        raiseError(ErrorDefine::SETUP_ZIP_ARCHIVE_FILE_ERROR, archivePath + QLatin1Char(' ') + tr("获取失败"));
        return false;
    }
    CArchiveOpenCallback *openCallback = new CArchiveOpenCallback(functions);
    openCallback->AddRef();
    const UInt64 maxStartPosition = MaxSignatureSearch;
    const bool opened = archive->Open(stream, &maxStartPosition, openCallback) == S_OK;
    openCallback->Release();
    if (!opened) {
        raiseError(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_FILE_ERROR,
                   QStringLiteral("无法以archive形式打开%1文件").arg(archivePath));
        return false;
    }
    // A cut or damaged archive is refused before anything is written.
    const QString archiveFault = archiveError(archive, functions);
    if (!archiveFault.isEmpty()) {
        raiseError(ErrorDefine::SETUP_ZIP_UNZIP_ERROR,
                   tr("解压过程中失败") + QStringLiteral(" (%1)").arg(archiveFault));
        return false;
    }
    return true;
}

bool setupmanager::unpackItems(IInArchive *archive, const LibraryFunctions &functions, const QString &targetDir,
                               bool *deleteListArrived)
{
    CArchiveExtractCallback *extractCallback = new CArchiveExtractCallback(functions, this);
    extractCallback->AddRef();
    extractCallback->Init(archive, targetDir);
    extractCallback->watchItem(QLatin1String(DeleteListName));
    const HRESULT extracted = archive->Extract(nullptr, AllItems, 0, extractCallback);
    extractCallback->finish();
    // Some damage shows only while the items are decoded.
    const QString archiveFault = archiveError(archive, functions);
    const bool itemsFailed = extractCallback->itemErrors() > 0;
    *deleteListArrived = extractCallback->watchedItemUnpacked();
    extractCallback->Release();
    if (extracted != S_OK || itemsFailed || !archiveFault.isEmpty()) {
        const QString reason = archiveFault.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(archiveFault);
        raiseError(ErrorDefine::SETUP_ZIP_UNZIP_ERROR, tr("解压过程中失败") + reason);
        return false;
    }
    return true;
}

void setupmanager::processDeleteList()
{
    QFile list(dir + QLatin1Char('/') + QLatin1String(DeleteListName));
    if (!list.open(QIODevice::ReadOnly)) {
        // Said, not silent: a run that ends with no signal leaves the installer waiting.
        raiseError(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR, list.fileName() + QLatin1Char(' ') + tr("删除失败"));
        return;
    }
    const QStringList entries = DeleteList::entries(list.readAll());
    list.close();
    for (const QString &entry : entries) {
        const QString failed = DeleteList::apply(dir, entry);
        // One entry that cannot be deleted does not keep the others.
        if (!failed.isEmpty())
            raiseError(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR, failed + QLatin1Char(' ') + tr("删除失败"));
    }
    if (!list.remove())
        list.remove();
}

void setupmanager::checkMetaData()
{
    const QString mainPath = dir + QLatin1String(MainMetaDataPath);
    const QFileInfo main(mainPath);
    if (main.exists() && main.size() > 0)
        return;
    emit globalMetaDataDismiss();
    if (main.exists())
        QFile::remove(mainPath);
    const QString secondPath = dir + QLatin1String(SecondMetaDataPath);
    const QFileInfo second(secondPath);
    if (second.exists() && second.size() > 0 && QFile::copy(secondPath, mainPath))
        return;
    emit globalMetaDataError();
}

#include "setup/setupmanager.h"

#include "setup/carchiveextractcallback.h"
#include "setup/carchiveopencallback.h"
#include "setup/cinfilestream.h"
#include "setup/extractpath.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

using namespace SevenZip;

namespace {

constexpr UInt32 AllItems = 0xFFFFFFFFu;
constexpr UInt64 MaxSignatureSearch = 8388608;

const char *const DeleteListName = "/deletefiles.txt";
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

void setupmanager::reportItemError(const setupmanager *runner, ErrorDefine::ErrorCode error, const QString &msg)
{
    setupmanager *shared = sharedInstance();
    if (runner == shared)
        shared->hasError.store(true);
    emit shared->setupError(error, msg);
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
    // An early end clears the flag too, or the next good run would end silently.
    if (!extractArchive(archivePath, dir)) {
        hasError.store(false);
        return;
    }
    QFile::remove(archivePath);
    if (!processDeleteList()) {
        hasError.store(false);
        return;
    }
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

bool setupmanager::extractArchive(const QString &archivePath, const QString &targetDir)
{
    LibraryFunctions functions;
    if (!resolveLibrary(&functions)) {
        raiseError(ErrorDefine::SETUP_DLL_ERROR, tr("获取解压缩对象失败"));
        return false;
    }

    const QString fileName = QFileInfo(archivePath).fileName();
    const QString suffix =
        fileName.contains(QLatin1Char('.')) ? fileName.section(QLatin1Char('.'), -1).toLower() : QString();
    GUID classId;
    if (!classIdForSuffix(suffix, &classId)) {
        raiseError(ErrorDefine::SETUP_ZIP_FORMAT_ERROR, suffix + QLatin1Char(' ') + tr("解压缩失败"));
        return false;
    }

    IInArchive *archive = nullptr;
    if (functions.createObject(&classId, &IID_IInArchive, reinterpret_cast<void **>(&archive)) != S_OK || !archive) {
        raiseError(ErrorDefine::SETUP_ZIP_CLASS_ERROR, tr("压缩格式的接口类获取失败"));
        return false;
    }

    CInFileStream *stream = new CInFileStream;
    stream->AddRef();
    if (!stream->Open(archivePath)) {
        raiseError(ErrorDefine::SETUP_ZIP_ARCHIVE_FILE_ERROR, archivePath + QLatin1Char(' ') + tr("获取失败"));
        stream->Release();
        archive->Release();
        return false;
    }

    CArchiveOpenCallback *openCallback = new CArchiveOpenCallback(functions);
    openCallback->AddRef();
    const UInt64 maxStartPosition = MaxSignatureSearch;
    if (archive->Open(stream, &maxStartPosition, openCallback) != S_OK) {
        raiseError(ErrorDefine::SETUP_ZIP_UNABLE_OPEN_FILE_ERROR,
                   QStringLiteral("无法以archive形式打开%1文件").arg(archivePath));
        openCallback->Release();
        stream->Release();
        archive->Release();
        return false;
    }
    openCallback->Release();

    CArchiveExtractCallback *extractCallback = new CArchiveExtractCallback(functions, this);
    extractCallback->AddRef();
    extractCallback->Init(archive, targetDir);
    const HRESULT extracted = archive->Extract(nullptr, AllItems, 0, extractCallback);
    extractCallback->Release();
    stream->Release();
    archive->Release();
    if (extracted != S_OK) {
        raiseError(ErrorDefine::SETUP_ZIP_UNZIP_ERROR, tr("解压过程中失败"));
        return false;
    }
    return true;
}

bool setupmanager::processDeleteList()
{
    QFile list(dir + QLatin1String(DeleteListName));
    if (!list.exists())
        return true;
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // Said, not silent: a run that ends with no signal leaves the installer waiting.
        raiseError(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR, list.fileName() + QLatin1Char(' ') + tr("删除失败"));
        return false;
    }
    while (!list.atEnd()) {
        const QString entry = QString::fromUtf8(list.readLine()).trimmed();
        if (entry.isEmpty())
            continue;
        const QString path = ExtractPath::resolve(dir, entry);
        if (path.isEmpty()) {
            qWarning().noquote() << "deletefiles.txt: entry outside the install folder skipped:" << entry;
            continue;
        }
        const QFileInfo info(path);
        if ((info.exists() || info.isSymLink()) && !QFile::remove(path)) {
            list.close();
            raiseError(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR, path + QLatin1Char(' ') + tr("删除失败"));
            return false;
        }
    }
    list.close();
    if (!list.remove())
        list.remove();
    return true;
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

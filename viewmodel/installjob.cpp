#include "viewmodel/installjob.h"

#include "setup/setupmanager.h"

#include <QThread>

InstallJob::InstallJob(setupmanager *shared, QObject *parent)
    : QObject(parent)
    , ownExtractor(shared ? nullptr : std::make_unique<setupmanager>())
    , extractor(shared ? shared : ownExtractor.get())
{
    connectDownloader();
    connectExtractor();
}

InstallJob::~InstallJob()
{
    // An extraction of our own may still run: its thread ends before it goes.
    if (ownExtractor)
        ownExtractor->wait();
    else if (extractor->isRunning())
        extractor->quit();
}

void InstallJob::connectDownloader()
{
    connect(&downloader, &downloadmanager::downloadReplyProgress, this, &InstallJob::downloadProgress);
    connect(&downloader, &downloadmanager::downloadFinished, this, &InstallJob::downloaded);
    connect(&downloader, &downloadmanager::downloadError, this, &InstallJob::downloadFailed);
    connect(&downloader, &downloadmanager::httpError, this, &InstallJob::httpFailed);
    connect(&downloader, &downloadmanager::md5CheckFinish, this, &InstallJob::verified);
}

void InstallJob::connectExtractor()
{
    connect(extractor, &setupmanager::setupProgress, this, &InstallJob::extractProgress);
    connect(extractor, &setupmanager::setupFinished, this, &InstallJob::extracted);
    connect(extractor, &setupmanager::setupError, this, &InstallJob::extractFailed);
    connect(extractor, &setupmanager::globalMetaDataDismiss, this, &InstallJob::metaDataDismissed);
    connect(extractor, &setupmanager::globalMetaDataError, this, &InstallJob::metaDataFailed);
}

void InstallJob::place(const QString &folder, const QString &fileName, const QString &md5)
{
    downloader.setFilePath(folder);
    downloader.setFileMD5(md5);
    extractor->setZipFilePath(folder);
    extractor->setZipFileName(fileName);
}

void InstallJob::setUrl(const QUrl &url)
{
    downloader.setUrl(url);
}

void InstallJob::nameByUrl(const QUrl &url)
{
    downloader.nameByUrl(url);
}

void InstallJob::startDownload()
{
    downloader.startDownload();
}

void InstallJob::stopDownload()
{
    downloader.stopDownlaod();
}

bool InstallJob::isDownloading() const
{
    return downloader.isDownloading();
}

qint64 InstallJob::downloadedSize()
{
    return downloader.getDownloadedSize();
}

qint64 InstallJob::totalSize()
{
    return downloader.getTotalSize();
}

void InstallJob::verify(const QString &packagePath)
{
    downloader.fileMd5(packagePath);
}

void InstallJob::extract()
{
    extractor->start(QThread::InheritPriority);
}

bool InstallJob::isExtracting() const
{
    return extractor->isRunning();
}

void InstallJob::stopExtracting()
{
    extractor->exit(0);
}

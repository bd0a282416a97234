#pragma once

#include "common/errordefine.h"
#include "download/downloadmanager.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>

class setupmanager;

// One package from its address to an unpacked folder: download, digest
// check, extraction. The game and the plugin are each such a job; every
// report comes from the job's own downloader and extractor, so a report on
// a job is always that job's.
class InstallJob : public QObject
{
    Q_OBJECT

public:
    // extractor: one the job shares with others (the game's) and does not
    // own; null gives the job an extractor of its own.
    explicit InstallJob(setupmanager *extractor = nullptr, QObject *parent = nullptr);
    ~InstallJob() override;

    // The package, with digest md5, goes to folder/fileName and is unpacked there.
    void place(const QString &folder, const QString &fileName, const QString &md5);
    // Where it comes from; set last, as a new address restarts the size request.
    void setUrl(const QUrl &url);
    void nameByUrl(const QUrl &url);

    void startDownload();
    void stopDownload();
    bool isDownloading() const;
    qint64 downloadedSize();
    qint64 totalSize();
    void verify(const QString &packagePath);
    void extract();
    bool isExtracting() const;
    // Asks a running extraction's thread to leave its event loop.
    void stopExtracting();

signals:
    void downloadProgress(qint64 bytesRead, qint64 totalBytes);
    void downloaded();
    void downloadFailed(ErrorDefine::ErrorCode error, QString msg);
    void httpFailed(ErrorDefine::ErrorCode error, QString msg);
    void verified();
    void extractProgress(qint64 finishSize, qint64 totalSize);
    void extracted();
    void extractFailed(ErrorDefine::ErrorCode error, QString msg);
    void metaDataDismissed();
    void metaDataFailed();

private:
    void connectDownloader();
    void connectExtractor();

    downloadmanager downloader;
    std::unique_ptr<setupmanager> ownExtractor;
    setupmanager *extractor;
};

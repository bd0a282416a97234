#pragma once

#include "common/errordefine.h"
#include "download/backgroundsync.h"
#include "download/packagedigest.h"
#include "download/packagefile.h"
#include "download/resumerecord.h"
#include "download/segmentset.h"
#include "download/sizerequest.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QNetworkReply>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QVector>

#include <memory>

class downloadtask;
class timersource;

// Downloads one package into a folder so that an interrupted download resumes,
// even after a restart: the size comes from a HEAD request, the bytes go into a
// preallocated, locked "<name>_tmp" file, fetched by several segment tasks at
// once (one for small packages), and how far each segment has come is kept in
// the per-user settings store once the bytes are on disk (see resumerecord).
// The MD5 digest is taken on a thread of its own while the file grows; when
// complete the file gets its name and the digest is compared; until it
// passes the record says so.
class downloadmanager : public QObject
{
    Q_OBJECT

public:
    explicit downloadmanager(QObject *parent = nullptr);
    ~downloadmanager() override;

signals:
    void downloadReplyProgress(qint64 bytesRead, qint64 totalBytes);
    void downloadFinished();
    void downloadError(ErrorDefine::ErrorCode error, QString msg);
    void httpError(ErrorDefine::ErrorCode error, QString msg);
    void md5CheckFinish();

public slots:
    void setUrl(const QUrl &requestUrl);
    void setFilePath(const QString &path);
    void initTasks();
    void startDownload();
    void stopDownlaod();
    void resetDownload();
    void networkReplyProgress(qint64 size);
    void httpReadyRead(const QByteArray &buffer, qint64 startPosition, int taskId);
    void httpNetworkError(QNetworkReply::NetworkError error, const QString &msg);
    void httpStatusCodeError(int error, const QString &msg);
    qint64 getDownloadedSize();
    qint64 getTotalSize();
    void setFileMD5(const QString &md5);
    void headerResponseFinished();
    void getFileMd5(const QString &fileMD5);
    void fileMd5(const QString &filePath);

public:
    // The URL names the package and its files, but no size is asked for: a
    // package already on disk needs none, and startDownload asks when it must.
    void nameByUrl(const QUrl &requestUrl);
    bool isDownloading() const;
    void requestFileSize();
    // Empty when the URL names no usable file.
    QString tempFilePath() const;
    QString finalFilePath() const;
    // The final file is there but its digest has not passed (the program
    // stopped during the check): the next start checks it before any use.
    bool isDigestPending();

    // Connections per package of 16 MiB or more, 1 to 16; by default the
    // installer's config.ini's "download_segments", else 4.
    void setSegmentCount(int count);
    // Only tools and tests shorten the time-out of the tasks and the size
    // request, and the first wait before a request is tried again, or drive
    // the clock of every wait.
    void setInactivityTimeout(int milliseconds);
    void setRetryDelay(int milliseconds);
    void setTimerSource(timersource *source);

private:
    QString packageFileName() const;
    QVector<qint64> resumableSizes();
    void createTasks(const QVector<qint64> &sizes);
    bool finalFileMayBeReplaced() const;
    bool recheckPendingDigest();
    bool openTempFile();
    void failOpening(ErrorDefine::ErrorCode error, const QString &text);
    void failWriting(ErrorDefine::ErrorCode error, const QString &text);
    void completeIfAllWritten();
    void completeDownload();
    void takeSize(qint64 total, const QByteArray &sizeValidator);
    void failSizeRequest(int status);
    void resumeParkedTask();
    void dropToOneConnection();
    void startOverReplaced();
    void recordProgress();
    void saveRecordSoon();
    void takeDataSync(bool synced);
    void saveRecordNow();
    void leaveRecordToDigest();
    void keepSizes(const QVector<qint64> &sizes);

    QUrl url;
    // The URL as set: it names the file, whatever a redirect says.
    QUrl requestedUrl;
    QString filePath;
    packagefile file;
    qint64 totalSize = 0;
    QString fileMD5;
    segmentset segments;
    bool fetchingSize = false;
    sizerequest size;
    bool downloading = false;
    packagedigest digests;

    resumerecord record;
    QByteArray validator;
    int segmentCount = 0; // 0: as the installer's config.ini says
    int inactivityTimeoutMs = 0;
    int retryDelayMs = 0;
    timersource *timers;
    int replacedInARow = 0;
    bool digestRunning = false;
    bool recordDirty = false;
    QElapsedTimer sinceRecordSaved;
    qint64 recordSaveIntervalMs = 1000; // grows while syncs are slow
    QElapsedTimer sinceLastByte;
    QTimer recordSaveTimer;
    backgroundsync dataSync;
    QVector<qint64> sizesBeingSynced;
    int saveGeneration = 0;
    int syncGeneration = 0;
};

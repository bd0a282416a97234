#pragma once

#include "common/errordefine.h"
#include "download/retrypolicy.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QVector>

#include <memory>

class QFile;
class QSettings;
class QThread;
class downloadtask;

// Downloads one package into a folder so that an interrupted download resumes,
// even after a restart: the size comes from a HEAD request, the bytes go into a
// preallocated, locked "<name>_tmp" file, and how far each segment has come is
// kept in the per-user settings store (group: the file name, key: the segment
// number, with the temporary file's path). When complete the file gets its
// name and its MD5 digest is checked on a thread of its own; until the digest
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

    // Only tools and tests shorten the time-out of the tasks and the size
    // request, and the first wait before a request is tried again.
    void setInactivityTimeout(int milliseconds);
    void setRetryDelay(int milliseconds);

private:
    QString packageFileName() const;
    QSettings &resumeStore();
    QString recordKey(const QString &key) const;
    bool recordBelongsHere();
    void removeResumeRecord();
    void setDigestPending(bool pending);
    void recordTaskSize(int taskId);
    void saveRecordNow();
    qint64 savedResumeSize(int taskId);
    bool finalFileMayBeReplaced() const;
    bool recheckPendingDigest();
    bool openTempFile();
    bool preallocateTempFile(bool createdNow);
    void failOpening(ErrorDefine::ErrorCode error, const QString &text);
    void throttleReadBuffer(downloadtask *task, bool slowWrite);
    void completeIfAllWritten();
    void completeDownload();
    void sizeRequestFailed(int status, const QByteArray &retryAfter = QByteArray());
    bool takeSize(int status);
    void failSizeRequest(int status);
    bool followRedirect();
    void forgetSizeReply();
    void cancelSizeRequest();
    void abortFullBodyProbe();

    QUrl url;
    // The URL as set: it names the file, whatever a redirect says.
    QUrl requestedUrl;
    QString filePath;
    std::unique_ptr<QFile> file;
    qint64 totalSize = 0;
    QString fileMD5;
    QVector<downloadtask *> tasks;
    bool fetchingSize = false;
    QNetworkReply *sizeReply = nullptr;
    QNetworkAccessManager network;
    bool downloading = false;
    QThread *md5Thread = nullptr;

    int redirectCount = 0;
    int inactivityTimeoutMs = 0;
    int retryDelayMs = 0;
    retrypolicy sizeRetry;
    QTimer sizeRetryTimer;
    // The server refused HEAD: the size comes from a one-byte ranged GET.
    bool probingWithGet = false;
    bool probeAborted = false;
    bool digestRunning = false;
    std::unique_ptr<QSettings> settings;
    QElapsedTimer sinceRecordSaved;
    QTimer recordSaveTimer;
    QVector<int> unsavedTasks;
};

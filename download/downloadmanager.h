#pragma once

#include "common/errordefine.h"

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
// preallocated "<name>_tmp" file, and how far each segment has come is kept in
// the per-user settings store (group: the file name, key: the segment number).
// When complete the file gets its name and its MD5 digest is checked on a
// thread of its own.
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
    bool isDownloading() const;
    void requestFileSize();
    // Empty when the URL names no usable file.
    QString tempFilePath() const;
    QString finalFilePath() const;

    // Only tools and tests shorten the time-out of the tasks and the size request.
    void setInactivityTimeout(int milliseconds);

private:
    QString packageFileName() const;
    QSettings &resumeStore();
    void removeResumeRecord();
    void recordTaskSize(int taskId);
    void saveRecordNow();
    qint64 savedResumeSize(int taskId);
    bool openTempFile();
    void throttleReadBuffer(downloadtask *task, bool slowWrite);
    void completeDownload();
    void failSizeRequest(int status);
    bool followRedirect();
    void forgetSizeReply();

    QUrl url;
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
    std::unique_ptr<QSettings> settings;
    QElapsedTimer sinceRecordSaved;
    QTimer recordSaveTimer;
    QVector<int> unsavedTasks;
};

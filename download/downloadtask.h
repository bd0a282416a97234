#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include "download/retrypolicy.h"

// Fetches one byte range of the package with a ranged GET and hands every
// chunk on, tagged with the file position it belongs at. The downloader
// writes the chunk and advances size() before the next one is handed on.
class downloadtask : public QObject
{
    Q_OBJECT

public:
    explicit downloadtask(QObject *parent = nullptr);
    ~downloadtask() override;

signals:
    void progress(qint64 bytesRead);
    void readyRead(QByteArray buffer, qint64 startPosition, int taskId);
    void networkError(QNetworkReply::NetworkError error, QString msg);
    void httpStatusCodeError(int error, QString msg);

public slots:
    void setUrl(const QUrl &requestUrl, qint64 start, qint64 end, qint64 size, int taskIdentifier);
    void start();
    void stop();

private slots:
    void downloadFinished();
    void downloadReadyRead();
    void networkReplyProgress(qint64 bytesRead);
    void timeout();

public:
    qint64 size() const { return m_size; }
    void addSize(qint64 bytes) { m_size += bytes; }
    bool isStopped() const { return m_stopped; }
    bool isFinished() const { return m_finished; }

    // Back to idle with nothing done, once the whole file is complete.
    void resetAfterCompletion();
    // The downloader throttles how much the reply may buffer.
    void setReadBufferSize(qint64 bytes);
    // The size of the whole file, so a 206 answer's total can be checked.
    void setFileSize(qint64 bytes);
    // Only tools and tests shorten the inactivity time-out and the waits
    // between tries.
    void setTimeoutInterval(int milliseconds);
    void setRetryDelay(int milliseconds) { m_retry.setFirstDelay(milliseconds); }

    // The file size a Content-Range header states; -1 when it states none.
    static qint64 contentRangeTotal(const QByteArray &value);

private:
    bool stoppedOnStatus();
    bool acceptsBodyPlacement(int status);
    bool segmentComplete() const;
    void retryOrGiveUp(QNetworkReply::NetworkError error, const QString &text);
    bool retryLater(const QByteArray &retryAfter = QByteArray());

    qint64 m_size = 0;
    bool m_stopped = true;
    bool m_finished = false;
    QUrl m_requestUrl;
    QNetworkAccessManager m_network;
    QNetworkReply *m_reply = nullptr;
    int m_taskIdentifier = 0;
    qint64 m_start = 0;
    qint64 m_end = 0;
    retrypolicy m_retry;
    QTimer m_timer;
    QTimer m_retryTimer;

    qint64 m_fileSize = 0;
    qint64 m_requestedFrom = 0;
    qint64 m_sizeAtRequest = 0;
    bool m_bodyChecked = false;
};

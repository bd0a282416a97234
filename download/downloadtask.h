#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QUrl>

#include "download/retrypolicy.h"

#include <memory>

class timersource;

// Fetches one slice of the package with a ranged GET and hands every chunk
// on, tagged with the file position it belongs at. The downloader writes the
// chunk and advances size() before the next one is handed on.
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
    // The slice is complete.
    void segmentFinished(int taskId);
    // The server turned down one more connection (429 or 503): the
    // downloader may park() this task until another one is done.
    void refused(int taskId);
    // The server answered with other bytes than the slice asked for: the
    // whole file, or another range.
    void rangeRefused(int taskId);
    // The answer is of another version of the package than the validator's.
    void packageReplaced(int taskId);

public slots:
    // end is one past the slice's last byte.
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
    qint64 sliceStart() const { return m_start; }
    qint64 sliceEnd() const { return m_end; }
    bool isStopped() const { return m_stopped; }
    bool isFinished() const { return m_finished; }
    bool isRequesting() const { return m_reply != nullptr; }
    // Stopped until start() is called again, with no try counted.
    void park();
    bool isParked() const { return m_parked; }

    // Back to idle with nothing done, once the whole file is complete.
    void resetAfterCompletion();
    // After each chunk written: slow disk writes shrink what the reply may
    // buffer, a run of quick ones lets it grow again.
    void wroteChunk(bool slowWrite);
    // The size of the whole file, so a 206 answer's total can be checked.
    void setFileSize(qint64 bytes);
    // The ETag or Last-Modified the size request saw; sent as If-Range.
    void setValidator(const QByteArray &validator) { m_validator = validator; }
    // Only tools and tests shorten the inactivity time-out and the waits
    // between tries, or drive the clock.
    void setTimeoutInterval(int milliseconds) { m_timeoutMs = milliseconds; }
    void setRetryDelay(int milliseconds) { m_retry.setFirstDelay(milliseconds); }
    void setTimerSource(timersource *source) { m_timers = source; }

private:
    void sendRequest();
    bool stoppedOnStatus();
    bool acceptsBodyPlacement(int status);
    bool segmentComplete() const;
    void retryOrGiveUp(QNetworkReply::NetworkError error, const QString &text, bool progressCounts = true);
    bool retryLater(const QByteArray &retryAfter = QByteArray(), bool progressCounts = true);
    void armInactivity(int delayMs);
    void checkInactivity();
    void armSlowGuard();
    void checkSpeed();
    void setReadBufferSize(qint64 bytes);

    qint64 m_size = 0;
    bool m_stopped = true;
    bool m_finished = false;
    bool m_parked = false;
    QUrl m_requestUrl;
    QNetworkAccessManager m_network;
    QNetworkReply *m_reply = nullptr;
    int m_taskIdentifier = 0;
    qint64 m_start = 0;
    qint64 m_end = 0;
    retrypolicy m_retry;
    timersource *m_timers;
    int m_timeoutMs;
    qint64 m_lastProgressMs = 0;
    std::unique_ptr<QObject> m_inactivityWait;
    std::unique_ptr<QObject> m_retryWait;
    std::unique_ptr<QObject> m_slowGuardWait;
    qint64 m_sizeAtGuard = 0;
    int m_fastWrites = 0;

    qint64 m_fileSize = 0;
    QByteArray m_validator;
    qint64 m_requestedFrom = 0;
    qint64 m_sizeAtRequest = 0;
    bool m_bodyChecked = false;
};

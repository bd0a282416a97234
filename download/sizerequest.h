#pragma once

#include "download/retrypolicy.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

#include <memory>

class QNetworkReply;
class timersource;

// Asks the server for a package's size: a HEAD request (a one-byte ranged GET
// where HEAD is refused), redirects followed by hand, transient failures
// tried again after the retry policy's waits. Also notes the validator, the
// ETag or Last-Modified, that tells this version of the package from another.
class sizerequest : public QObject
{
    Q_OBJECT

public:
    explicit sizerequest(QObject *parent = nullptr);
    ~sizerequest() override;

    // A new URL: any earlier request is dropped and every try is left.
    void start(const QUrl &url);
    // The same, but nothing is sent until restart().
    void aim(const QUrl &url);
    // The same URL (after redirects) again, once an answer failed for good.
    void restart();
    void cancel();
    bool isBusy() const { return m_busy; }
    // The URL the last redirect led to.
    QUrl url() const { return m_url; }

    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    void setRetryDelay(int milliseconds) { m_retry.setFirstDelay(milliseconds); }
    void setTimerSource(timersource *source) { m_timers = source; }

    // The validator of an answer: a strong ETag, else Last-Modified.
    static QByteArray validatorOf(const QNetworkReply *reply);

signals:
    void sized(qint64 total, const QByteArray &validator);
    void failed(int status);

private:
    void send();
    void answered();
    void abortFullBodyProbe();
    void failedForNow(int status, const QByteArray &retryAfter = QByteArray());
    bool takeSize(int status);
    bool followRedirect();
    void fail(int status);
    void forgetReply();

    QNetworkAccessManager m_network;
    QNetworkReply *m_reply = nullptr;
    QUrl m_url;
    bool m_busy = false;
    int m_redirects = 0;
    int m_timeoutMs = 0;
    // The server refused HEAD: the size comes from a one-byte ranged GET.
    bool m_probingWithGet = false;
    bool m_probeAborted = false;
    retrypolicy m_retry;
    timersource *m_timers;
    std::unique_ptr<QObject> m_retryWait;
};

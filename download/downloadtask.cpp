#include "download/downloadtask.h"

#include "download/answercheck.h"
#include "download/timersource.h"

#include <QDateTime>
#include <QDebug>
#include <QNetworkRequest>

namespace {

const qint64 kReadBufferBytes = 51200;
const int kInactivityMs = 10000;
// Like curl's --speed-limit 1024 --speed-time 30: a connection that brings
// less than 1 KiB/s for 30 s is opened again; a trickle is no progress.
const int kSlowGuardMs = 30000;
const qint64 kSlowGuardBytes = 30 * 1024;
// A reply starts at 51200 bytes of read buffer, drops to 1024 while disk
// writes are slow and rises again after a run of quick ones. It rises to
// 256 KiB rather than back to 51200: with 50 KB the network thread waits for
// this one after every chunk, which made a local download a third slower
// than curl's.
const qint64 kSlowReadBufferBytes = 1024;
const qint64 kFastReadBufferBytes = 256 * 1024;
const int kFastWritesBeforeSpeedUp = 50;

} // namespace

downloadtask::downloadtask(QObject *parent)
    : QObject(parent)
    , m_timers(&timersource::system())
    , m_timeoutMs(kInactivityMs)
{}

downloadtask::~downloadtask()
{
    stop();
}

void downloadtask::setUrl(const QUrl &requestUrl, qint64 start, qint64 end, qint64 size, int taskIdentifier)
{
    m_requestUrl = requestUrl;
    m_start = start;
    m_end = end;
    m_size = size;
    m_taskIdentifier = taskIdentifier;
    m_reply = nullptr;
}

void downloadtask::start()
{
    if (!m_stopped || m_finished)
        return;
    m_retryWait.reset();
    m_stopped = false;
    m_parked = false;
    if (m_start + m_size >= m_end)
        return;
    sendRequest();
}

void downloadtask::sendRequest()
{
    QNetworkRequest request(m_requestUrl);
    m_requestedFrom = m_start + m_size;
    m_sizeAtRequest = m_size;
    m_bodyChecked = false;
    // The last slice names the file's size as its end, as a single
    // connection always has; servers read it as the end of the file.
    const qint64 last = m_end >= m_fileSize ? m_end : m_end - 1;
    request.setRawHeader("Range", QStringLiteral("bytes=%1-%2").arg(m_requestedFrom).arg(last).toLatin1());
    // Bytes of another version of the package are never spliced to ours.
    if (!m_validator.isEmpty() && m_requestedFrom > 0)
        request.setRawHeader("If-Range", m_validator);
    // Offsets are file offsets only if the bytes come as stored.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    m_reply = m_network.get(request);
    m_reply->setReadBufferSize(kReadBufferBytes);
    m_lastProgressMs = m_timers->nowMs();
    armInactivity(m_timeoutMs);
    armSlowGuard();
    connect(m_reply, &QNetworkReply::finished, this, &downloadtask::downloadFinished);
    connect(m_reply, &QNetworkReply::readyRead, this, &downloadtask::downloadReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &downloadtask::networkReplyProgress);
}

void downloadtask::stop()
{
    m_stopped = true;
    m_retryWait.reset();
    m_inactivityWait.reset();
    m_slowGuardWait.reset();
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->close();
    m_reply->deleteLater();
    m_reply = nullptr;
}

void downloadtask::park()
{
    stop();
    m_parked = true;
}

void downloadtask::downloadFinished()
{
    m_inactivityWait.reset();
    if (m_stopped)
        return;
    // An answer that is not the file may come without a body to check.
    if (stoppedOnStatus())
        return;
    m_stopped = true;
    if (m_reply->error() != QNetworkReply::NoError) {
        qDebug().noquote() << QStringLiteral("Download failed:\n%1.").arg(m_reply->errorString()) +
                                  " time:" + QDateTime::currentDateTime().toString();
        retryOrGiveUp(m_reply->error(), m_reply->errorString());
        return;
    }
    // A body that ends early without an error would leave the download
    // waiting for bytes nobody asks for: take it as a broken transfer.
    if (!segmentComplete()) {
        qDebug() << "Download ended early at" << m_start + m_size;
        retryOrGiveUp(QNetworkReply::RemoteHostClosedError, QStringLiteral("The answer ended before its range"));
        return;
    }
    stop();
    m_finished = true;
    emit segmentFinished(m_taskIdentifier);
}

void downloadtask::retryOrGiveUp(QNetworkReply::NetworkError error, const QString &text, bool progressCounts)
{
    if (retryLater(QByteArray(), progressCounts))
        return;
    emit networkError(error, text);
}

// Stops, and tries again after the policy's wait unless the failures in a
// row without a byte of progress are used up.
bool downloadtask::retryLater(const QByteArray &retryAfter, bool progressCounts)
{
    if (progressCounts && m_size > m_sizeAtRequest)
        m_retry.progressed();
    stop();
    const int delayMs = m_retry.failed(retryAfter);
    if (delayMs < 0)
        return false;
    qDebug() << "Trying again in" << delayMs << "ms from" << m_start + m_size;
    m_retryWait = m_timers->after(delayMs, [this] {
        m_retryWait.reset();
        start();
    });
    return true;
}

// Anything but 200 or 206 is not the file: a transient answer is tried again
// later, any other is reported.
bool downloadtask::stoppedOnStatus()
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 200 || status == 206 || status == 0)
        return false;
    // Read before any stop, which lets the reply go.
    QString msg;
    if (status >= 400)
        msg = m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    const QByteArray retryAfter = m_reply->rawHeader("Retry-After");
    if (status == 429 || status == 503) {
        emit refused(m_taskIdentifier);
        if (m_parked)
            return true;
    }
    if (retrypolicy::isTransientStatus(status) && retryLater(retryAfter))
        return true;
    stop();
    emit httpStatusCodeError(status, msg);
    return true;
}

void downloadtask::downloadReadyRead()
{
    if (stoppedOnStatus())
        return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!m_bodyChecked) {
        m_bodyChecked = true;
        if (!acceptsBodyPlacement(status))
            return;
    }
    const QByteArray data = m_reply->readAll();
    emit readyRead(data, m_start + m_size, m_taskIdentifier);
}

bool downloadtask::acceptsBodyPlacement(int status)
{
    const answercheck check(m_requestedFrom, m_start, m_end, m_fileSize, m_validator);
    const answercheck::Verdict verdict = check.judge(m_reply, status);
    if (verdict == answercheck::Verdict::Accept)
        return true;
    if (verdict == answercheck::Verdict::FromStart) {
        m_size = 0;
        return true;
    }
    stop();
    if (verdict == answercheck::Verdict::Replaced)
        emit packageReplaced(m_taskIdentifier);
    else if (verdict == answercheck::Verdict::RangeRefused)
        emit rangeRefused(m_taskIdentifier);
    else
        emit httpStatusCodeError(status, QString());
    return false;
}

bool downloadtask::segmentComplete() const
{
    const qint64 last = m_fileSize > 0 ? qMin(m_end, m_fileSize) : m_end;
    return m_start + m_size >= last;
}

void downloadtask::networkReplyProgress(qint64 bytesRead)
{
    m_lastProgressMs = m_timers->nowMs();
    emit progress(bytesRead);
}

// One wait per time-out, not one per chunk: when it ends, the time since the
// last progress decides.
void downloadtask::armInactivity(int delayMs)
{
    m_inactivityWait = m_timers->after(delayMs, [this] { checkInactivity(); });
}

void downloadtask::checkInactivity()
{
    const qint64 quiet = m_timers->nowMs() - m_lastProgressMs;
    if (quiet >= m_timeoutMs)
        timeout();
    else
        armInactivity(int(m_timeoutMs - quiet));
}

void downloadtask::armSlowGuard()
{
    m_sizeAtGuard = m_size;
    m_slowGuardWait = m_timers->after(kSlowGuardMs, [this] { checkSpeed(); });
}

void downloadtask::checkSpeed()
{
    if (m_size - m_sizeAtGuard >= kSlowGuardBytes)
        return armSlowGuard();
    qDebug() << "Under 1 KiB/s for 30 s: connecting again from" << m_start + m_size;
    retryOrGiveUp(QNetworkReply::TimeoutError, tr("请求超时"), false);
}

void downloadtask::timeout()
{
    retryOrGiveUp(QNetworkReply::TimeoutError, tr("请求超时"));
}

void downloadtask::resetAfterCompletion()
{
    stop();
    m_size = 0;
    m_finished = false;
}

void downloadtask::wroteChunk(bool slowWrite)
{
    if (slowWrite) {
        m_fastWrites = 0;
        setReadBufferSize(kSlowReadBufferBytes);
        return;
    }
    if (++m_fastWrites > kFastWritesBeforeSpeedUp)
        setReadBufferSize(kFastReadBufferBytes);
}

void downloadtask::setReadBufferSize(qint64 bytes)
{
    // Each change crosses to the network thread: only send real ones.
    if (m_reply && m_reply->readBufferSize() != bytes)
        m_reply->setReadBufferSize(bytes);
}

void downloadtask::setFileSize(qint64 bytes)
{
    m_fileSize = bytes;
}

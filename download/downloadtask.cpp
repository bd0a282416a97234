#include "download/downloadtask.h"

#include <QDateTime>
#include <QDebug>
#include <QNetworkRequest>

namespace {

const qint64 kReadBufferBytes = 51200;
const int kInactivityMs = 10000;

struct ContentRange
{
    qint64 first = -1;
    qint64 total = -1; // -1 for "*"
};

// "bytes a-b/t" or "bytes a-b/*"; first stays -1 when it is anything else.
ContentRange parseContentRange(const QByteArray &value)
{
    ContentRange range;
    const QByteArray text = value.trimmed();
    if (!text.startsWith("bytes "))
        return range;
    const int dash = text.indexOf('-');
    const int slash = text.indexOf('/');
    if (dash < 0 || slash < dash)
        return range;
    bool firstOk = false;
    const qint64 first = text.mid(6, dash - 6).trimmed().toLongLong(&firstOk);
    const QByteArray total = text.mid(slash + 1).trimmed();
    bool totalOk = total == "*";
    const qint64 totalValue = totalOk ? -1 : total.toLongLong(&totalOk);
    if (firstOk && totalOk) {
        range.first = first;
        range.total = totalValue;
    }
    return range;
}

} // namespace

downloadtask::downloadtask(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kInactivityMs);
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &downloadtask::start);
}

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
    m_retryTimer.stop();
    m_stopped = false;
    if (m_start + m_size >= m_end)
        return;
    QNetworkRequest request(m_requestUrl);
    m_requestedFrom = m_start + m_size;
    m_sizeAtRequest = m_size;
    m_bodyChecked = false;
    request.setRawHeader("Range", QStringLiteral("bytes=%1-%2").arg(m_requestedFrom).arg(m_end).toLatin1());
    // Offsets are file offsets only if the bytes come as stored.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    m_reply = m_network.get(request);
    m_reply->setReadBufferSize(kReadBufferBytes);
    m_timer.start();
    connect(m_reply, &QNetworkReply::finished, this, &downloadtask::downloadFinished);
    connect(m_reply, &QNetworkReply::readyRead, this, &downloadtask::downloadReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &downloadtask::networkReplyProgress);
    connect(&m_timer, &QTimer::timeout, this, &downloadtask::timeout);
}

void downloadtask::stop()
{
    m_stopped = true;
    m_retryTimer.stop();
    if (!m_reply)
        return;
    disconnect(m_reply, &QNetworkReply::finished, this, &downloadtask::downloadFinished);
    disconnect(m_reply, &QNetworkReply::readyRead, this, &downloadtask::downloadReadyRead);
    disconnect(m_reply, &QNetworkReply::downloadProgress, this, &downloadtask::networkReplyProgress);
    disconnect(&m_timer, &QTimer::timeout, this, &downloadtask::timeout);
    m_reply->abort();
    m_reply->close();
    m_reply->deleteLater();
    m_reply = nullptr;
}

void downloadtask::downloadFinished()
{
    if (m_timer.isActive())
        m_timer.stop();
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
}

void downloadtask::retryOrGiveUp(QNetworkReply::NetworkError error, const QString &text)
{
    if (retryLater())
        return;
    emit networkError(error, text);
}

// Stops, and tries again after the policy's wait unless the failures in a
// row without a byte of progress are used up.
bool downloadtask::retryLater(const QByteArray &retryAfter)
{
    if (m_size > m_sizeAtRequest)
        m_retry.progressed();
    stop();
    const int delayMs = m_retry.failed(retryAfter);
    if (delayMs < 0)
        return false;
    qDebug() << "Trying again in" << delayMs << "ms from" << m_start + m_size;
    m_retryTimer.start(delayMs);
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
    if (retrypolicy::isTransientStatus(status) && retryLater(m_reply->rawHeader("Retry-After")))
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
        if (!acceptsBodyPlacement(status)) {
            stop();
            emit httpStatusCodeError(status, QString());
            return;
        }
    }
    const QByteArray data = m_reply->readAll();
    emit readyRead(data, m_start + m_size, m_taskIdentifier);
}

// A body is written only where it belongs: a whole file (200) from offset 0,
// a partial one (206) from the position asked for, of a file of our size.
bool downloadtask::acceptsBodyPlacement(int status)
{
    if (status == 200) {
        if (m_requestedFrom == 0)
            return true;
        if (m_start != 0)
            return false;
        qDebug() << "Range ignored by the server; starting again from 0";
        m_size = 0;
        return true;
    }
    const ContentRange range = parseContentRange(m_reply->rawHeader("Content-Range"));
    if (range.first != m_requestedFrom) {
        qDebug() << "Content-Range does not start at" << m_requestedFrom << m_reply->rawHeader("Content-Range");
        return false;
    }
    if (m_fileSize > 0 && range.total >= 0 && range.total != m_fileSize) {
        qDebug() << "Content-Range total differs from" << m_fileSize << m_reply->rawHeader("Content-Range");
        return false;
    }
    return true;
}

bool downloadtask::segmentComplete() const
{
    const qint64 last = m_fileSize > 0 ? qMin(m_end, m_fileSize) : m_end;
    return m_start + m_size >= last;
}

void downloadtask::networkReplyProgress(qint64 bytesRead)
{
    if (m_timer.isActive()) {
        m_timer.stop();
        m_timer.start();
    }
    emit progress(bytesRead);
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

void downloadtask::setReadBufferSize(qint64 bytes)
{
    // Each change crosses to the network thread: only send real ones.
    if (m_reply && m_reply->readBufferSize() != bytes)
        m_reply->setReadBufferSize(bytes);
}

qint64 downloadtask::contentRangeTotal(const QByteArray &value)
{
    return parseContentRange(value).total;
}

void downloadtask::setFileSize(qint64 bytes)
{
    m_fileSize = bytes;
}

void downloadtask::setTimeoutInterval(int milliseconds)
{
    m_timer.setInterval(milliseconds);
}

#include "download/sizerequest.h"

#include "download/answercheck.h"
#include "download/timersource.h"

#include <QDebug>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <utility>

namespace {

const int kMaxRedirects = 10;
// A server that takes the size request and never answers would keep the
// download waiting for ever: give it as long as a task gets between chunks.
const int kSizeRequestTimeoutMs = 10000;

bool isRedirectStatus(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 305 || status == 307 || status == 308;
}

} // namespace

sizerequest::sizerequest(QObject *parent)
    : QObject(parent)
    , m_timers(&timersource::system())
{}

sizerequest::~sizerequest()
{
    cancel();
}

void sizerequest::start(const QUrl &url)
{
    aim(url);
    send();
}

void sizerequest::aim(const QUrl &url)
{
    cancel();
    m_url = url;
    m_redirects = 0;
    m_probingWithGet = false;
    m_retry.progressed();
}

void sizerequest::restart()
{
    cancel();
    send();
}

void sizerequest::cancel()
{
    m_retryWait.reset();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    forgetReply();
    m_busy = false;
}

void sizerequest::send()
{
    qDebug() << "Getting the file size...";
    m_busy = true;
    QNetworkRequest request(m_url);
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(m_timeoutMs > 0 ? m_timeoutMs : kSizeRequestTimeoutMs);
    if (m_probingWithGet) {
        request.setRawHeader("Range", "bytes=0-0");
        m_reply = m_network.get(request);
        connect(m_reply, &QNetworkReply::metaDataChanged, this, &sizerequest::abortFullBodyProbe);
    } else {
        m_reply = m_network.head(request);
    }
    connect(m_reply, &QNetworkReply::finished, this, &sizerequest::answered, Qt::DirectConnection);
}

// A server that ignores the probe's range sends the whole file: its headers
// are all that is wanted.
void sizerequest::abortFullBodyProbe()
{
    if (m_reply && m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200) {
        m_probeAborted = true;
        m_reply->abort();
    }
}

void sizerequest::answered()
{
    m_busy = false;
    if (!m_reply)
        return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool aborted = std::exchange(m_probeAborted, false);
    if (status == 0 || (m_reply->error() != QNetworkReply::NoError && !aborted && status < 400))
        return failedForNow(status);
    if (retrypolicy::isTransientStatus(status))
        return failedForNow(status, m_reply->rawHeader("Retry-After"));
    // Signed GET-only addresses refuse HEAD.
    if ((status == 405 || status == 501) && !m_probingWithGet) {
        forgetReply();
        m_probingWithGet = true;
        return send();
    }
    if ((status == 200 || status == 206) && takeSize(status))
        return;
    if (isRedirectStatus(status) && followRedirect())
        return;
    fail(status);
}

// A transport error or a transient answer: asked again after a wait.
void sizerequest::failedForNow(int status, const QByteArray &retryAfter)
{
    const int delayMs = m_retry.failed(retryAfter);
    if (delayMs < 0)
        return fail(status);
    forgetReply();
    m_busy = true;
    m_retryWait = m_timers->after(delayMs, [this] {
        m_retryWait.reset();
        send();
    });
}

bool sizerequest::takeSize(int status)
{
    bool known = false;
    qint64 length = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (m_probingWithGet && status == 206) {
        length = answercheck::contentRangeTotal(m_reply->rawHeader("Content-Range"));
        known = length >= 0;
    }
    // Without a length there is nothing to preallocate or to finish at.
    if (!known || length <= 0)
        return false;
    qDebug() << "The file size is: " << length;
    const QByteArray validator = validatorOf(m_reply);
    forgetReply();
    emit sized(length, validator);
    return true;
}

QByteArray sizerequest::validatorOf(const QNetworkReply *reply)
{
    const QByteArray tag = reply->rawHeader("ETag").trimmed();
    // A weak tag may not be sent in If-Range.
    if (!tag.isEmpty() && !tag.startsWith("W/"))
        return tag;
    return reply->rawHeader("Last-Modified").trimmed();
}

// At most kMaxRedirects of them, and only to http or https.
bool sizerequest::followRedirect()
{
    const QUrl target = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    qDebug() << "redirectionTarget:" << target;
    if (!target.isValid() || target.isEmpty())
        return false;
    const QUrl next = target.isRelative() ? m_url.resolved(target) : target;
    if (next.scheme() != QLatin1String("http") && next.scheme() != QLatin1String("https"))
        return false;
    if (++m_redirects > kMaxRedirects)
        return false;
    m_url = next;
    forgetReply();
    send();
    return true;
}

void sizerequest::fail(int status)
{
    forgetReply();
    emit failed(status);
}

void sizerequest::forgetReply()
{
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->close();
    m_reply->deleteLater();
    m_reply = nullptr;
}

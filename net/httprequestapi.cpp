#include "net/httprequestapi.h"

#include "common/errordefine.h"

#include <QDebug>
#include <QNetworkReply>
#include <QUrl>

HttpRequestAPI::HttpRequestAPI()
    : request(QUrl())
{
    timer.setInterval(kTimeoutMs);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &HttpRequestAPI::OnTimeout);
    connect(&manager, &QNetworkAccessManager::finished, this, &HttpRequestAPI::serviceRequestFinished);
}

HttpRequestAPI::~HttpRequestAPI()
{
    // Replies still in flight die with the manager; none may call back into us.
    manager.disconnect();
    timer.disconnect();
}

void HttpRequestAPI::setRawHeader(const QByteArray &name, const QByteArray &value)
{
    request.setRawHeader(name, value);
}

void HttpRequestAPI::get(const QString &url, RequestCallback newCallback)
{
    callback = std::move(newCallback);
    request.setUrl(QUrl(url, QUrl::TolerantMode));
    manager.get(request);
    timer.start();
}

void HttpRequestAPI::setTimeoutIntervalForTest(int milliseconds)
{
    timer.setInterval(milliseconds);
}

void HttpRequestAPI::serviceRequestFinished(QNetworkReply *reply)
{
    timer.stop();
    const int statusCode = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    qDebug() << "BaseAPI...serviceRequestFinished...statusCode:" << statusCode;
    // Scheduled first: a callback may delete this client, and the reply with it.
    reply->deleteLater();
    if (!callback) {
        qDebug() << "BaseAPI...serviceRequestFinished...no callback for" << reply->url().toString();
        return;
    }
    if (reply->error() == QNetworkReply::NoError)
        invokeCallback(reply->readAll(), QString(""), statusCode);
    else
        invokeCallback(QByteArray(), reply->errorString(), statusCode);
}

void HttpRequestAPI::OnTimeout()
{
    if (callback)
        invokeCallback(QByteArray(), errorCodeName(ErrorDefine::HTTP_REQUEST_TIMEOUT), kTimeoutStatus);
}

void HttpRequestAPI::invokeCallback(const QByteArray &body, const QString &errorText, int statusCode)
{
    // A callback that retries calls get() and replaces the stored callback
    // while it is still running; it runs from a copy so that stays safe.
    const RequestCallback current = callback;
    current(true, body, errorText, statusCode);
}

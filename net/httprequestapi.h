#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QNetworkReply;

// (flag, body, error text, HTTP status). The flag is always true; receivers
// count only status 200 as success. A time-out arrives as 638.
using RequestCallback = std::function<void(bool, const QByteArray &, const QString &, int)>;

// One GET at a time with a 10 s overall limit. The time-out does not abort the
// request: a late reply still reaches the stored callback.
class HttpRequestAPI : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTimeoutStatus = 638;
    static constexpr int kTimeoutMs = 10000;

    HttpRequestAPI();
    ~HttpRequestAPI() override;

    void setRawHeader(const QByteArray &name, const QByteArray &value);
    void get(const QString &url, RequestCallback callback);

    // Tests only: waiting 10 s for every time-out case would make the suite slow.
    void setTimeoutIntervalForTest(int milliseconds);

public slots:
    void serviceRequestFinished(QNetworkReply *reply);
    void OnTimeout();

private:
    void invokeCallback(const QByteArray &body, const QString &errorText, int statusCode);

    QNetworkRequest request;
    QNetworkAccessManager manager;
    QTimer timer;
    RequestCallback callback;
};

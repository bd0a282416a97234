#include "download/answercheck.h"

#include "download/sizerequest.h"

#include <QDebug>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

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

answercheck::answercheck(qint64 requestedFrom, qint64 sliceStart, qint64 sliceEnd, qint64 fileSize,
                         const QByteArray &validator)
    : m_requestedFrom(requestedFrom)
    , m_sliceStart(sliceStart)
    , m_sliceEnd(sliceEnd)
    , m_fileSize(fileSize)
    , m_validator(validator)
{}

answercheck::Verdict answercheck::judge(const QNetworkReply *reply, int status) const
{
    if (status == 200)
        return judgeWholeFile(reply);
    const ContentRange range = parseContentRange(reply->rawHeader("Content-Range"));
    const bool sameTotal = m_fileSize <= 0 || range.total < 0 || range.total == m_fileSize;
    if (range.first == m_requestedFrom && sameTotal)
        return Verdict::Accept;
    qDebug() << "Content-Range is not" << m_requestedFrom << "of" << m_fileSize << reply->rawHeader("Content-Range");
    return onlyConnection() ? Verdict::NotTheFile : Verdict::RangeRefused;
}

// The whole file, though a range was asked for: the range was ignored, or
// the If-Range validator no longer matches, or the file has another size.
answercheck::Verdict answercheck::judgeWholeFile(const QNetworkReply *reply) const
{
    if (m_requestedFrom == 0)
        return Verdict::Accept;
    const QByteArray validator = sizerequest::validatorOf(reply);
    const qint64 length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if ((!m_validator.isEmpty() && validator != m_validator) || (length > 0 && length != m_fileSize)) {
        qDebug() << "The package changed on the server:" << validator << length;
        return Verdict::Replaced;
    }
    if (onlyConnection()) {
        qDebug() << "Range ignored by the server; starting again from 0";
        return Verdict::FromStart;
    }
    return Verdict::RangeRefused;
}

qint64 answercheck::contentRangeTotal(const QByteArray &value)
{
    return parseContentRange(value).total;
}

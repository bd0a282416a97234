#pragma once

#include <QByteArray>

class QNetworkReply;

// Judges where the body of an answer to one ranged GET may be written: a
// whole file (200) only from offset 0, a partial one (206) only from the
// position asked for, of a file of our size and of the version the validator
// names. Bytes that belong elsewhere are never spliced into the package.
class answercheck
{
public:
    enum class Verdict {
        Accept,       // the body starts where it was asked for
        FromStart,    // the whole file for the only connection: written from 0
        Replaced,     // another version of the package
        RangeRefused, // other bytes than the slice asked for
        NotTheFile    // the only connection got bytes that fit nowhere
    };

    // sliceEnd is one past the slice's last byte; fileSize <= 0 when unknown.
    answercheck(qint64 requestedFrom, qint64 sliceStart, qint64 sliceEnd, qint64 fileSize, const QByteArray &validator);

    Verdict judge(const QNetworkReply *reply, int status) const;

    // The file size a Content-Range header states; -1 when it states none.
    static qint64 contentRangeTotal(const QByteArray &value);

private:
    Verdict judgeWholeFile(const QNetworkReply *reply) const;
    bool onlyConnection() const { return m_sliceStart == 0 && m_sliceEnd >= m_fileSize; }

    qint64 m_requestedFrom;
    qint64 m_sliceStart;
    qint64 m_sliceEnd;
    qint64 m_fileSize;
    QByteArray m_validator;
};

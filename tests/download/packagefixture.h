#pragma once

#include "support/faultserver.h"

#include <QCryptographicHash>
#include <QFile>

namespace PackageFixture {

using Fault = std::function<void(const FaultRequest &, FaultReply &)>;

// Bytes that do not repeat: a chunk at a wrong offset always changes the digest.
inline QByteArray content(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 20240607;
    for (int i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = char(state >> 24);
    }
    return bytes;
}

inline QString md5(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

// Served as nginx serves a file, then changed by the fault, if any.
inline QByteArray serve(FaultServer &server, const QByteArray &content, Fault fault = {})
{
    server.setHandler([content, fault](const FaultRequest &request) {
        FaultReply reply = FaultReply::resource(content, request);
        if (fault)
            fault(request, reply);
        return reply;
    });
    return content;
}

// The GETs for the package's bytes, without the one-byte size probes.
inline QList<FaultRequest> gets(const FaultServer &server)
{
    QList<FaultRequest> result;
    for (const FaultRequest &request : server.requests())
        if (request.method == "GET" && request.header("Range") != "bytes=0-0")
            result.append(request);
    return result;
}

inline QByteArray read(const QString &path, qint64 length = -1)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(length < 0 ? file.size() : length) : QByteArray();
}

} // namespace PackageFixture

#pragma once

#include "support/faultserver.h"

#include <QtTest>

#include <memory>

namespace PackageFixture {

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

inline QByteArray read(const QString &path, qint64 length = -1)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(length < 0 ? file.size() : length) : QByteArray();
}

} // namespace PackageFixture

// A scripted package host and a temporary folder of the test's own.
class PackageHost : public QObject
{
protected:
    using Fault = std::function<void(const FaultRequest &, FaultReply &)>;

    void setUpHost()
    {
        m_server = std::make_unique<FaultServer>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_server->listen() && m_dir->isValid());
    }
    // Served as nginx serves a file, then changed by the fault, if any.
    QByteArray serve(const QByteArray &content, Fault fault = {})
    {
        m_server->setHandler([content, fault](const FaultRequest &request) {
            FaultReply reply = FaultReply::resource(content, request);
            if (fault)
                fault(request, reply);
            return reply;
        });
        return content;
    }
    // The GETs for the package's bytes, without the one-byte size probes.
    QList<FaultRequest> gets() const
    {
        QList<FaultRequest> result;
        for (const FaultRequest &request : m_server->requests())
            if (request.method == "GET" && request.header("Range") != "bytes=0-0")
                result.append(request);
        return result;
    }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    std::unique_ptr<FaultServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
};

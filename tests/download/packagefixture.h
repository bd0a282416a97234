#pragma once

#include "common/errordefine.h"
#include "download/downloadmanager.h"
#include "support/faultserver.h"

#include <QtTest>

#include <memory>

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

// A downloader in this process against the scripted server, with its temporary
// folder and its resume records (under XDG_CONFIG_HOME, which CTest points into
// the build tree).
class DownloadBench : public QObject
{
protected:
    static inline const QString kVerified = QStringLiteral("verified");

    void setUpBench(int segmentCount = 0)
    {
        QSettings().clear();
        m_server = std::make_unique<FaultServer>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_server->listen() && m_dir->isValid());
        makeManager(segmentCount);
    }
    void tearDownBench()
    {
        m_manager.reset();
        m_server.reset();
        m_dir.reset();
    }
    void makeManager(int segmentCount = 0) // 0: as the installer's config.ini says
    {
        m_manager = std::make_unique<downloadmanager>();
        m_outcomes.clear();
        m_manager->setSegmentCount(segmentCount);
        // Long enough that a busy machine causes no retries the tests would count.
        m_manager->setInactivityTimeout(3000);
        m_manager->setRetryDelay(50);
        const auto recordError = [this](const QString &signal) {
            return [this, signal](ErrorDefine::ErrorCode code, const QString &text) {
                m_outcomes.append(QStringLiteral("%1 %2 %3").arg(signal).arg(int(code)).arg(text));
            };
        };
        connect(m_manager.get(), &downloadmanager::downloadError, this, recordError("downloadError"));
        connect(m_manager.get(), &downloadmanager::httpError, this, recordError("httpError"));
        connect(m_manager.get(), &downloadmanager::md5CheckFinish, this, [this] { m_outcomes.append(kVerified); });
    }
    // The first outcome: "verified", or the error signal, its code and text.
    QString outcome(int timeoutMs = 20000)
    {
        return QTest::qWaitFor([this] { return !m_outcomes.isEmpty(); }, timeoutMs) ? m_outcomes.first()
                                                                                    : QStringLiteral("none");
    }
    QByteArray serve(const QByteArray &content, PackageFixture::Fault fault = {})
    {
        return PackageFixture::serve(*m_server, content, fault);
    }
    void start(const QString &path, const QString &md5 = QString(), bool waitForSize = false)
    {
        m_manager->setUrl(m_server->url(path));
        m_manager->setFilePath(m_dir->path());
        m_manager->setFileMD5(md5);
        if (waitForSize)
            QVERIFY(QTest::qWaitFor([this] { return m_manager->getTotalSize() > 0; }, 10000));
        m_manager->startDownload();
    }
    qint64 recordedSize(const QString &name = QStringLiteral("game.7z"))
    {
        return QSettings().value(name + QStringLiteral("/0"), -1).toLongLong();
    }
    QList<FaultRequest> gets() const { return PackageFixture::gets(*m_server); }
    QByteArray bytesOf(const QString &name) const { return PackageFixture::read(m_dir->filePath(name)); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    std::unique_ptr<FaultServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<downloadmanager> m_manager;
    QStringList m_outcomes;
};

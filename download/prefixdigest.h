#pragma once

#include "download/md5hash.h"

#include <QObject>
#include <QString>

#include <atomic>

// The MD5 digest of a file taken while it is being downloaded: the
// downloader tells how far the file is complete from its start, and the
// worker, on a thread of its own, reads and hashes up to there. When the last
// byte is written only what it has not read yet remains to be hashed.
class prefixdigest : public QObject
{
    Q_OBJECT

public:
    explicit prefixdigest(const QString &path, QObject *parent = nullptr);

    // From the downloader's thread: bytes [0, end) are on disk. Calls that
    // come while the worker is busy only move its goal.
    void advanceTo(qint64 end);
    // From the downloader's thread: the file, now at path, is complete at
    // end bytes; the worker hashes the rest and reports the digest.
    void finish(const QString &path, qint64 end);

    qint64 hashedBytes() const { return m_hashed.load(); }

signals:
    // 32 lower-case hex digits, or an empty text when the file could not be read.
    void digestReady(QString md5);

private slots:
    void catchUp();
    void finishNow(const QString &path, qint64 end);

private:
    bool hashTo(qint64 end);

    QString m_path;
    md5hash m_hash;
    std::atomic<qint64> m_hashed{0};
    std::atomic<qint64> m_goal{0};
    std::atomic<bool> m_scheduled{false};
    bool m_failed = false;
};

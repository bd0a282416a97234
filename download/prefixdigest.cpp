#include "download/prefixdigest.h"

#include <QFile>

namespace {

const int kBlockBytes = 1 << 20;

} // namespace

prefixdigest::prefixdigest(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{}

void prefixdigest::advanceTo(qint64 end)
{
    if (end <= m_goal.load())
        return;
    m_goal.store(end);
    if (!m_scheduled.exchange(true))
        QMetaObject::invokeMethod(this, &prefixdigest::catchUp, Qt::QueuedConnection);
}

void prefixdigest::finish(const QString &path, qint64 end)
{
    QMetaObject::invokeMethod(
        this, [this, path, end] { finishNow(path, end); }, Qt::QueuedConnection);
}

void prefixdigest::catchUp()
{
    for (;;) {
        const bool read = hashTo(m_goal.load());
        m_scheduled.store(false);
        if (!read)
            return;
        // A goal moved after the read and before the flag was cleared has
        // no call of its own on the way.
        if (m_goal.load() <= m_hashed.load() || m_failed || m_scheduled.exchange(true))
            return;
    }
}

void prefixdigest::finishNow(const QString &path, qint64 end)
{
    m_path = path;
    const bool whole = hashTo(end) && m_hashed.load() == end;
    // Nothing may be read past the end: a file longer than the package is
    // not the package.
    QFile file(path);
    if (!whole || file.size() != end) {
        emit digestReady(QString());
        return;
    }
    emit digestReady(QString::fromLatin1(m_hash.result().toHex()));
}

// Reads in large blocks from where the last call stopped. A file not there
// (renamed on completion before this call came) is read at its new name by
// finish(); a read error is no end of file: it leaves the digest failed.
bool prefixdigest::hashTo(qint64 end)
{
    qint64 done = m_hashed.load();
    if (m_failed || done >= end)
        return !m_failed;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    if (!file.seek(done)) {
        m_failed = true;
        return false;
    }
    QByteArray block(kBlockBytes, Qt::Uninitialized);
    while (done < end) {
        const qint64 count = file.read(block.data(), qMin<qint64>(block.size(), end - done));
        if (count <= 0) {
            m_failed = true;
            return false;
        }
        m_hash.addData(block.constData(), int(count));
        done += count;
        m_hashed.store(done);
    }
    return true;
}

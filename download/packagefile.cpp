#include "download/packagefile.h"

#include "download/backgroundsync.h"
#include "download/downloadfile.h"

#include <QDateTime>
#include <QDebug>

namespace {

// Writes all of data or reports failure; a short write must never pass for
// a whole chunk, or the record would run ahead of the disk.
bool writeFully(QFile &file, const QByteArray &data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 written = file.write(data.constData() + done, data.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

packagefile::Opened packagefile::open(const QString &path, qint64 size)
{
    const bool existed = QFile::exists(path);
    m_file = std::make_unique<QFile>(path);
    // Unbuffered: after a failed write a buffered file keeps the bytes it
    // could not write and puts them out at the next offset it writes to.
    if (!m_file->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        qDebug() << m_file->errorString();
        m_file.reset();
        return Opened::Failed;
    }
    if (!downloadfile::lockExclusive(*m_file)) {
        qDebug() << "Another download holds" << path;
        m_file.reset();
        return Opened::Locked;
    }
    return preallocate(size, !existed);
}

packagefile::Opened packagefile::preallocate(qint64 size, bool createdNow)
{
    if (m_file->size() > size && !m_file->resize(size)) {
        m_file.reset();
        return Opened::NoSpace;
    }
    const downloadfile::Preallocation result = downloadfile::preallocate(*m_file, size);
    if (result == downloadfile::Preallocation::Done)
        return createdNow ? Opened::Created : Opened::Existing;
    const QString path = m_file->fileName();
    m_file.reset();
    if (createdNow)
        QFile::remove(path);
    return result == downloadfile::Preallocation::TooLarge ? Opened::TooLarge : Opened::NoSpace;
}

packagefile::Written packagefile::writeAt(qint64 position, const QByteArray &data, bool *slowWrite)
{
    *slowWrite = false;
    if (!m_file || position < 0 || !m_file->seek(position))
        return Written::WriteFailed;
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const bool written = writeFully(*m_file, data);
    *slowWrite = before != QDateTime::currentSecsSinceEpoch();
    if (!written)
        return Written::WriteFailed;
    return m_file->flush() ? Written::Done : Written::FlushFailed;
}

bool packagefile::syncData()
{
    return m_file && downloadfile::syncData(*m_file);
}

bool packagefile::startBackgroundSync(backgroundsync &sync)
{
    return m_file && sync.start(*m_file);
}

void packagefile::close()
{
    if (m_file)
        m_file->close();
    m_file.reset();
}

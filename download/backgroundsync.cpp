#include "download/backgroundsync.h"

#include "download/downloadfile.h"

#include <QThread>

backgroundsync::backgroundsync(QObject *parent)
    : QObject(parent)
{}

backgroundsync::~backgroundsync()
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
}

bool backgroundsync::start(QFile &file)
{
    if (m_thread)
        return false;
    // A handle of its own: the file may be closed while the sync runs.
    const int handle = downloadfile::duplicateHandle(file);
    if (handle < 0)
        return false;
    m_thread = QThread::create([this, handle] {
        m_synced = downloadfile::syncHandle(handle);
        downloadfile::closeHandle(handle);
    });
    connect(m_thread, &QThread::finished, this, &backgroundsync::finish);
    m_running.start();
    m_thread->start();
    return true;
}

void backgroundsync::finish()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_lastSyncMs = m_running.elapsed();
    emit done(m_synced.load());
}

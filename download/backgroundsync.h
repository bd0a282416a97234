#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <atomic>

class QFile;
class QThread;

// Syncs a file's data to the disk on a thread of its own: a sync of a
// second's worth of a fast download may take a while, and the GUI thread
// must not wait for it.
class backgroundsync : public QObject
{
    Q_OBJECT

public:
    explicit backgroundsync(QObject *parent = nullptr);
    // Waits for a sync under way.
    ~backgroundsync() override;

    bool isBusy() const { return m_thread != nullptr; }
    // How long the last finished sync took, in milliseconds.
    qint64 lastSyncMs() const { return m_lastSyncMs; }
    // Starts a sync of the data written to file so far; false when one is
    // under way or the file's handle cannot be shared.
    bool start(QFile &file);

signals:
    // On this object's thread, once the sync is over.
    void done(bool synced);

private:
    void finish();

    QThread *m_thread = nullptr;
    QElapsedTimer m_running;
    qint64 m_lastSyncMs = 0;
    std::atomic<bool> m_synced{false};
};

#pragma once

#include <QByteArray>
#include <QObject>
#include <QUrl>
#include <QVector>

class downloadtask;
class timersource;

// The segment tasks of one package: task i fetches slice i of the file and
// its index is its number in the resume record; a few of them at a time. Holds what every task is
// set up with, so that a set made again (fewer connections, a new start)
// gets the same.
class segmentset
{
public:
    explicit segmentset(QObject *taskParent);
    ~segmentset();

    // Connections for a package of total bytes: one below 16 MiB, else the
    // count given, or the installer's config.ini's "download_segments", or 4.
    static int connectionsFor(qint64 total, int setting);
    // Slices a new download of total bytes is cut into: one per 4 MiB, at
    // least one per connection and at most 64.
    static int slicesFor(qint64 total, int connections);
    // How many slices are fetched at once.
    void setConnections(int count);

    void setSource(const QUrl &url, qint64 total, const QByteArray &validator);
    void setTimeoutInterval(int milliseconds);
    void setRetryDelay(int milliseconds);
    void setTimerSource(timersource *source);

    // One task per size, slice i of sizes.size() having sizes[i] done.
    void create(const QVector<qint64> &sizes);
    // Stops them and lets them go once their signals are over.
    void drop();
    void stop();
    // Starts as many slices as there are connections, the rest in turn.
    void start();

    bool isEmpty() const { return m_tasks.isEmpty(); }
    int count() const { return m_tasks.size(); }
    downloadtask *task(int index) const { return m_tasks.value(index); }
    const QVector<downloadtask *> &all() const { return m_tasks; }
    QVector<qint64> sizes() const;
    qint64 doneBytes() const;
    // The bytes from the file's start on that are all written: the slices in
    // order, up to the first one that is not complete.
    qint64 contiguousBytes() const;

    // A refused connection waits for another one to finish, if any runs.
    bool parkIfOthersRun(int index);
    void startOneParked();

private:
    QObject *m_parent;
    QVector<downloadtask *> m_tasks;
    int m_connections = 1;
    QUrl m_url;
    qint64 m_total = 0;
    QByteArray m_validator;
    int m_timeoutMs = 0;
    int m_retryMs = 0;
    timersource *m_timers;
};

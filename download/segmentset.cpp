#include "download/segmentset.h"

#include "download/downloadtask.h"
#include "download/resumerecord.h"
#include "download/timersource.h"
#include "settings/configsettings.h"

#include <QDebug>

namespace {

// Smaller packages come over one connection: more would cost more in
// requests than they win.
const qint64 kSmallestSegmentedBytes = 16 * 1024 * 1024;
const int kDefaultConnections = 4;
const int kMostConnections = 16;
// The file is cut into slices of at least this size, at most kMostSlices of
// them, fetched a few at a time in file order: the digest, which can only
// follow the file's contiguous start, keeps up, and when the last byte
// lands only the last few slices are left to hash.
const qint64 kSmallestSliceBytes = 4 * 1024 * 1024;
const int kMostSlices = 64;
const QString kSegmentsKey = QStringLiteral("download_segments");

} // namespace

segmentset::segmentset(QObject *taskParent)
    : m_parent(taskParent)
    , m_timers(&timersource::system())
{}

segmentset::~segmentset()
{
    qDeleteAll(m_tasks);
}

int segmentset::connectionsFor(qint64 total, int setting)
{
    if (total < kSmallestSegmentedBytes)
        return 1;
    int count = setting;
    if (count <= 0) {
        const QSettings installer(ConfigSettings::installerIniPath(), QSettings::IniFormat);
        count = installer.value(kSegmentsKey, kDefaultConnections).toInt();
    }
    return qBound(1, count, kMostConnections);
}

int segmentset::slicesFor(qint64 total, int connections)
{
    if (connections <= 1)
        return 1;
    return int(qBound<qint64>(connections, total / kSmallestSliceBytes, kMostSlices));
}

void segmentset::setConnections(int count)
{
    m_connections = qMax(1, count);
}

void segmentset::setSource(const QUrl &url, qint64 total, const QByteArray &validator)
{
    m_url = url;
    m_total = total;
    m_validator = validator;
}

void segmentset::setTimeoutInterval(int milliseconds)
{
    m_timeoutMs = milliseconds;
    for (downloadtask *task : qAsConst(m_tasks))
        task->setTimeoutInterval(milliseconds);
}

void segmentset::setRetryDelay(int milliseconds)
{
    m_retryMs = milliseconds;
    for (downloadtask *task : qAsConst(m_tasks))
        task->setRetryDelay(milliseconds);
}

void segmentset::setTimerSource(timersource *source)
{
    m_timers = source;
    for (downloadtask *task : qAsConst(m_tasks))
        task->setTimerSource(source);
}

void segmentset::create(const QVector<qint64> &sizes)
{
    for (int index = 0; index < sizes.size(); ++index) {
        auto *task = new downloadtask(m_parent);
        task->setUrl(m_url, resumerecord::sliceStart(m_total, sizes.size(), index),
                     resumerecord::sliceStart(m_total, sizes.size(), index + 1), sizes[index], index);
        task->setFileSize(m_total);
        task->setValidator(m_validator);
        task->setTimerSource(m_timers);
        if (m_timeoutMs > 0)
            task->setTimeoutInterval(m_timeoutMs);
        if (m_retryMs > 0)
            task->setRetryDelay(m_retryMs);
        m_tasks.append(task);
    }
}

// Later: the last chunk's task is still in its reply's signal when the
// download completes.
void segmentset::drop()
{
    for (downloadtask *task : qAsConst(m_tasks)) {
        task->stop();
        task->deleteLater();
    }
    m_tasks.clear();
}

void segmentset::stop()
{
    for (downloadtask *task : qAsConst(m_tasks))
        task->stop();
}

// The first slices with bytes to fetch get the connections; the others wait
// in file order for one to finish.
void segmentset::start()
{
    int requesting = 0;
    for (downloadtask *task : qAsConst(m_tasks)) {
        if (requesting >= m_connections) {
            task->park();
            continue;
        }
        task->start();
        requesting += task->isRequesting();
    }
}

QVector<qint64> segmentset::sizes() const
{
    QVector<qint64> result;
    for (const downloadtask *task : m_tasks)
        result.append(task->size());
    return result;
}

qint64 segmentset::doneBytes() const
{
    qint64 done = 0;
    for (const downloadtask *task : m_tasks)
        done += task->size();
    return done;
}

qint64 segmentset::contiguousBytes() const
{
    qint64 end = 0;
    for (const downloadtask *task : m_tasks) {
        if (task->sliceStart() != end)
            break;
        end = task->sliceStart() + task->size();
        if (end < task->sliceEnd())
            break;
    }
    return end;
}

bool segmentset::parkIfOthersRun(int index)
{
    downloadtask *refused = m_tasks.value(index);
    for (const downloadtask *task : qAsConst(m_tasks)) {
        if (task != refused && task->isRequesting()) {
            qDebug() << "Connection" << index << "refused; it waits for another to finish";
            refused->park();
            return true;
        }
    }
    return false;
}

void segmentset::startOneParked()
{
    for (downloadtask *task : qAsConst(m_tasks)) {
        if (!task->isParked())
            continue;
        task->start();
        if (task->isRequesting())
            return;
    }
}

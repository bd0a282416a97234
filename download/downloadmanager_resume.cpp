#include "download/downloadmanager.h"

#include "download/downloadtask.h"
#include "download/timersource.h"

#include <QDebug>
#include <QFile>

// Where a download starts from and how it keeps its record: the size
// request's answer, the record's segments, servers that serve ranges badly
// or replace the package, and the record's saves.

namespace {

// The record is saved after a data sync of the file, which costs a disk
// flush: at most once a second, and at every pause and quit.
const int kRecordSaveIntervalMs = 1000;
// Where the network outruns the disk a sync takes seconds, and writes wait
// on it while it runs: syncs then keep to a third of the time, so the record
// lags a few seconds behind instead of the download slowing to the disk's pace.
const int kSyncTimeShare = 3;
// A server whose answers keep naming another version than its size request
// would start the download again for ever.
const int kMostRestartsForReplacedPackage = 3;

} // namespace

void downloadmanager::initTasks()
{
    // Without the size a task would cover nothing and every record would
    // look out of range.
    if (url.isEmpty() || filePath.isEmpty() || packageFileName().isEmpty() || totalSize <= 0)
        return;
    if (!QFile::exists(tempFilePath()))
        record.remove();
    if (segments.isEmpty())
        createTasks(resumableSizes());
    emit downloadReplyProgress(getDownloadedSize(), totalSize);
}

// What the record holds, if it fits this package; else nothing done in as
// many segments as the package gets now.
QVector<qint64> downloadmanager::resumableSizes()
{
    QVector<qint64> sizes = record.segmentSizes(totalSize);
    const QByteArray recorded = record.validator();
    if (!recorded.isEmpty() && !validator.isEmpty() && recorded != validator) {
        qDebug() << "The package changed on the server since" << recorded << "; starting again";
        sizes.clear();
    }
    const int connections = segmentset::connectionsFor(totalSize, segmentCount);
    segments.setConnections(connections);
    if (sizes.isEmpty())
        sizes.fill(0, segmentset::slicesFor(totalSize, connections));
    return sizes;
}

void downloadmanager::createTasks(const QVector<qint64> &sizes)
{
    segments.setSource(url, totalSize, validator);
    segments.create(sizes);
    for (downloadtask *task : segments.all()) {
        connect(task, &downloadtask::progress, this, &downloadmanager::networkReplyProgress);
        connect(task, &downloadtask::readyRead, this, &downloadmanager::httpReadyRead);
        connect(task, &downloadtask::networkError, this, &downloadmanager::httpNetworkError);
        connect(task, &downloadtask::httpStatusCodeError, this, &downloadmanager::httpStatusCodeError);
        connect(task, &downloadtask::refused, this, [this](int index) { segments.parkIfOthersRun(index); });
        // Queued: the answers change the task list, which the emitting task is in.
        connect(task, &downloadtask::segmentFinished, this, &downloadmanager::resumeParkedTask, Qt::QueuedConnection);
        connect(task, &downloadtask::rangeRefused, this, &downloadmanager::dropToOneConnection, Qt::QueuedConnection);
        connect(task, &downloadtask::packageReplaced, this, &downloadmanager::startOverReplaced, Qt::QueuedConnection);
    }
}

void downloadmanager::requestFileSize()
{
    fetchingSize = true;
    size.restart();
}

// The size request answers through sizerequest; kept for callers of old.
void downloadmanager::headerResponseFinished() {}

void downloadmanager::takeSize(qint64 total, const QByteArray &sizeValidator)
{
    fetchingSize = false;
    url = size.url();
    totalSize = total;
    validator = sizeValidator;
    if (downloading)
        startDownload();
}

void downloadmanager::failSizeRequest(int status)
{
    fetchingSize = false;
    emit downloadError(ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR, tr("网络资源获取失败(%1)").arg(status));
}

// A refused connection waited for one that is done now.
void downloadmanager::resumeParkedTask()
{
    if (downloading)
        segments.startOneParked();
}

// A server that answers a slice with other bytes gets one connection, from
// the end of what is there contiguously; that one's answer is checked as
// any single download's.
void downloadmanager::dropToOneConnection()
{
    if (segments.count() <= 1)
        return;
    qDebug() << "The server does not serve ranges as asked: one connection from here";
    const qint64 kept = segments.contiguousBytes();
    segments.drop();
    createTasks({kept});
    recordDirty = true;
    saveRecordNow();
    if (downloading)
        segments.start();
}

// The package on the server is not the one the record and the file hold:
// both go, and the download starts again from its size.
void downloadmanager::startOverReplaced()
{
    segments.stop();
    if (++replacedInARow > kMostRestartsForReplacedPackage)
        return httpStatusCodeError(200, QString());
    segments.drop();
    digests.discard();
    file.close();
    QFile::remove(tempFilePath());
    record.remove();
    recordDirty = false;
    totalSize = 0;
    validator.clear();
    fetchingSize = true;
    size.start(requestedUrl);
}

void downloadmanager::setSegmentCount(int count)
{
    segmentCount = count;
}

void downloadmanager::setInactivityTimeout(int milliseconds)
{
    inactivityTimeoutMs = milliseconds;
    size.setTimeout(milliseconds);
    segments.setTimeoutInterval(milliseconds);
}

void downloadmanager::setRetryDelay(int milliseconds)
{
    retryDelayMs = milliseconds;
    size.setRetryDelay(milliseconds);
    segments.setRetryDelay(milliseconds);
}

void downloadmanager::setTimerSource(timersource *source)
{
    timers = source;
    size.setTimerSource(source);
    segments.setTimerSource(source);
}

// After every chunk written: saved once the last save is a second old, the
// data synced on a thread of its own meanwhile.
void downloadmanager::recordProgress()
{
    recordDirty = true;
    if (!sinceRecordSaved.isValid() || sinceRecordSaved.elapsed() >= recordSaveIntervalMs)
        return saveRecordSoon();
    if (!recordSaveTimer.isActive())
        recordSaveTimer.start(int(recordSaveIntervalMs - sinceRecordSaved.elapsed()));
}

// The sizes as they are now are saved once the data they count is synced.
void downloadmanager::saveRecordSoon()
{
    recordSaveTimer.stop();
    if (!recordDirty || segments.isEmpty() || dataSync.isBusy())
        return;
    if (!file.startBackgroundSync(dataSync))
        return saveRecordNow();
    sizesBeingSynced = segments.sizes();
    syncGeneration = ++saveGeneration;
    recordDirty = false;
    sinceRecordSaved.start();
}

void downloadmanager::takeDataSync(bool synced)
{
    // A save since (pause, quit, completion) has the last word.
    if (syncGeneration != saveGeneration)
        return;
    recordSaveIntervalMs = qMax<qint64>(kRecordSaveIntervalMs, kSyncTimeShare * dataSync.lastSyncMs());
    if (synced)
        keepSizes(sizesBeingSynced);
    else
        recordDirty = true;
    if (recordDirty && !recordSaveTimer.isActive())
        recordSaveTimer.start(int(qMax<qint64>(0, recordSaveIntervalMs - sinceRecordSaved.elapsed())));
}

// The data first, then the sizes that count on it: after a power cut the
// record never claims bytes the disk did not keep.
void downloadmanager::saveRecordNow()
{
    recordSaveTimer.stop();
    // A sync under way loses its say: its sizes are saved here instead.
    if (dataSync.isBusy())
        recordDirty = true;
    ++saveGeneration;
    if (!recordDirty || segments.isEmpty())
        return;
    if (!file.syncData()) {
        qDebug() << "Could not sync" << tempFilePath() << "; the record waits";
        return;
    }
    keepSizes(segments.sizes());
    recordDirty = false;
    sinceRecordSaved.start();
}

// Every byte is written: from here the digest judges the file, whatever the
// record's sizes say. A sync of the unsynced tail would keep the player
// waiting for the disk (seconds where the network outruns it) for sizes
// nobody reads; a sync under way is let go for the same reason.
void downloadmanager::leaveRecordToDigest()
{
    recordSaveTimer.stop();
    ++saveGeneration;
    recordDirty = false;
}

void downloadmanager::keepSizes(const QVector<qint64> &sizes)
{
    record.save(sizes, totalSize, validator);
    replacedInARow = 0;
}

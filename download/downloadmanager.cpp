#include "download/downloadmanager.h"

#include "download/downloadfile.h"
#include "download/downloadtask.h"
#include "download/timersource.h"
#include "net/updateversioninfo.h"
#include "settings/configsettings.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

namespace {

// Smaller packages come over one connection: more would cost more in
// requests than they win.
const qint64 kSmallestSegmentedBytes = 16 * 1024 * 1024;
const int kDefaultSegments = 4;
const int kMostSegments = 16;
const QString kSegmentsKey = QStringLiteral("download_segments");
// The record is saved after a data sync of the file, which costs a disk
// flush: at most once a second, and at every pause and quit.
const int kRecordSaveIntervalMs = 1000;
// A server whose answers keep naming another version than its size request
// would start the download again for ever.
const int kMostRestartsForReplacedPackage = 3;

// The folder may hold the program and its settings: only a package or a
// picture of the same name is replaced.
const QStringList kReplaceableSuffixes = {QStringLiteral("7z"),  QStringLiteral("zip"), QStringLiteral("rar"),
                                          QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                          QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("webp"),
                                          QStringLiteral("ico")};

} // namespace

downloadmanager::downloadmanager(QObject *parent)
    : QObject(parent)
    , timers(&timersource::system())
{
    ErrorDefine::registerMetaType();
    downloadfile::ignoreFileSizeSignal();
    connect(&size, &sizerequest::sized, this, &downloadmanager::takeSize);
    connect(&size, &sizerequest::failed, this, &downloadmanager::failSizeRequest);
    connect(&digests, &packagedigest::digestReady, this, &downloadmanager::getFileMd5);
    recordSaveTimer.setSingleShot(true);
    connect(&recordSaveTimer, &QTimer::timeout, this, &downloadmanager::saveRecordNow);
}

downloadmanager::~downloadmanager()
{
    saveRecordNow();
    dropTasks();
}

void downloadmanager::setUrl(const QUrl &requestUrl)
{
    // The answer to an earlier URL must not size or redirect this one.
    if (requestUrl != requestedUrl)
        totalSize = 0;
    url = requestUrl;
    requestedUrl = requestUrl;
    record.setPackage(packageFileName(), tempFilePath());
    fetchingSize = true;
    size.start(requestUrl);
}

void downloadmanager::setFilePath(const QString &path)
{
    filePath = path;
    record.setPackage(packageFileName(), tempFilePath());
}

void downloadmanager::initTasks()
{
    // Without the size a task would cover nothing and every record would
    // look out of range.
    if (url.isEmpty() || filePath.isEmpty() || packageFileName().isEmpty() || totalSize <= 0)
        return;
    if (!QFile::exists(tempFilePath()))
        record.remove();
    if (tasks.isEmpty())
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
    if (sizes.isEmpty())
        sizes.fill(0, segmentsFor(totalSize));
    return sizes;
}

int downloadmanager::segmentsFor(qint64 total) const
{
    if (total < kSmallestSegmentedBytes)
        return 1;
    int count = segmentCount;
    if (count <= 0) {
        const QSettings installer(ConfigSettings::installerIniPath(), QSettings::IniFormat);
        count = installer.value(kSegmentsKey, kDefaultSegments).toInt();
    }
    return qBound(1, count, kMostSegments);
}

void downloadmanager::createTasks(const QVector<qint64> &sizes)
{
    for (int index = 0; index < sizes.size(); ++index) {
        auto *task = new downloadtask(this);
        task->setUrl(url, resumerecord::sliceStart(totalSize, sizes.size(), index),
                     resumerecord::sliceStart(totalSize, sizes.size(), index + 1), sizes[index], index);
        task->setFileSize(totalSize);
        task->setValidator(validator);
        task->setTimerSource(timers);
        if (inactivityTimeoutMs > 0)
            task->setTimeoutInterval(inactivityTimeoutMs);
        if (retryDelayMs > 0)
            task->setRetryDelay(retryDelayMs);
        connect(task, &downloadtask::progress, this, &downloadmanager::networkReplyProgress);
        connect(task, &downloadtask::readyRead, this, &downloadmanager::httpReadyRead);
        connect(task, &downloadtask::networkError, this, &downloadmanager::httpNetworkError);
        connect(task, &downloadtask::httpStatusCodeError, this, &downloadmanager::httpStatusCodeError);
        connect(task, &downloadtask::refused, this, &downloadmanager::parkIfOthersRun);
        // Queued: the answers change the task list, which the emitting task is in.
        connect(task, &downloadtask::segmentFinished, this, &downloadmanager::resumeParkedTask, Qt::QueuedConnection);
        connect(task, &downloadtask::rangeRefused, this, &downloadmanager::dropToOneConnection, Qt::QueuedConnection);
        connect(task, &downloadtask::packageReplaced, this, &downloadmanager::startOverReplaced, Qt::QueuedConnection);
        tasks.append(task);
    }
}

// Later: the last chunk's task is still in its reply's signal when the
// download completes.
void downloadmanager::dropTasks()
{
    for (downloadtask *task : qAsConst(tasks)) {
        task->stop();
        task->deleteLater();
    }
    tasks.clear();
}

void downloadmanager::stopTasks()
{
    for (downloadtask *task : qAsConst(tasks))
        task->stop();
}

void downloadmanager::startDownload()
{
    downloading = true;
    if (fetchingSize || digestRunning)
        return;
    if (tempFilePath().isEmpty())
        return failOpening(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
    if (totalSize <= 0) {
        // The size is not known (its request failed): ask again, the answer
        // resumes the start.
        if (!url.isEmpty()) {
            fetchingSize = true;
            size.restart();
        }
        return;
    }
    if (!file.isOpen()) {
        if (recheckPendingDigest())
            return;
        if (!finalFileMayBeReplaced())
            return failOpening(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
        if (!openTempFile())
            return;
    }
    initTasks();
    digests.begin(tempFilePath());
    digests.advanceTo(contiguousBytes());
    for (downloadtask *task : qAsConst(tasks))
        task->start();
    // A record saying every byte is there (the program stopped between the
    // last chunk and the rename) gets no request. The caller hears of the
    // end after this call, once it is ready for it.
    if (getDownloadedSize() >= totalSize)
        QMetaObject::invokeMethod(this, &downloadmanager::completeIfAllWritten, Qt::QueuedConnection);
}

bool downloadmanager::finalFileMayBeReplaced() const
{
    const QFileInfo final(finalFilePath());
    return !final.exists() || kReplaceableSuffixes.contains(final.suffix().toLower());
}

// A final file left by a run that stopped during its digest check is checked
// now, not fetched again and not taken unchecked.
bool downloadmanager::recheckPendingDigest()
{
    if (!isDigestPending() || QFile::exists(tempFilePath()))
        return false;
    QMetaObject::invokeMethod(
        this, [this] { emit downloadFinished(); }, Qt::QueuedConnection);
    fileMd5(finalFilePath());
    return true;
}

bool downloadmanager::isDigestPending()
{
    return record.digestPending() && QFileInfo(finalFilePath()).isFile();
}

bool downloadmanager::openTempFile()
{
    switch (file.open(tempFilePath(), totalSize)) {
    case packagefile::Opened::Created:
        record.remove();
        return true;
    case packagefile::Opened::Existing:
        return true;
    case packagefile::Opened::Failed:
        failOpening(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
        return false;
    case packagefile::Opened::Locked:
        failOpening(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件正在下载中"));
        return false;
    case packagefile::Opened::TooLarge:
        failOpening(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("写入文件缓存失败"));
        return false;
    case packagefile::Opened::NoSpace:
        break;
    }
    failOpening(ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR, tr("硬盘空间不足"));
    return false;
}

void downloadmanager::failOpening(ErrorDefine::ErrorCode error, const QString &text)
{
    downloading = false;
    emit downloadError(error, text);
}

void downloadmanager::stopDownlaod()
{
    downloading = false;
    stopTasks();
    saveRecordNow();
}

void downloadmanager::resetDownload()
{
    const QString path = finalFilePath();
    if (path.isEmpty())
        return;
    if (!QFile::remove(path))
        QFile::remove(path);
}

void downloadmanager::networkReplyProgress(qint64 size)
{
    if (size < 1)
        return;
    emit downloadReplyProgress(getDownloadedSize(), totalSize);
    if (getDownloadedSize() < totalSize)
        return;
    completeDownload();
}

void downloadmanager::completeIfAllWritten()
{
    if (file.isOpen() && !tasks.isEmpty() && getDownloadedSize() >= totalSize)
        completeDownload();
}

void downloadmanager::completeDownload()
{
    saveRecordNow();
    stopTasks();
    file.close();
    // The finished file replaces an older one of the same name, or the digest
    // would check the old file. Marked before the rename: a stop anywhere
    // after it leaves either a complete record or a final file that is
    // checked before any use.
    const QString finalPath = finalFilePath();
    record.setDigestPending(true);
    if (QFile::exists(finalPath))
        QFile::remove(finalPath);
    if (!QFile::rename(tempFilePath(), finalPath)) {
        qDebug() << "Could not rename" << tempFilePath() << "to" << finalPath;
        record.setDigestPending(false);
        stopDownlaod();
        emit downloadError(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
        return;
    }
    dropTasks();
    emit downloadFinished();
    digestRunning = true;
    digests.finish(finalPath, totalSize);
}

void downloadmanager::httpReadyRead(const QByteArray &buffer, qint64 startPosition, int taskId)
{
    downloadtask *task = tasks.value(taskId);
    // Stop first, report once: a handler may run a modal dialog, and chunks
    // must not keep failing under it.
    if (!task || startPosition < task->sliceStart())
        return failWriting(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("写入文件缓存失败"));
    // Nothing is written past the slice's end, whatever the server sends.
    const QByteArray chunk = buffer.left(int(qBound<qint64>(0, task->sliceEnd() - startPosition, buffer.size())));
    digests.rewriting(startPosition);
    bool slowWrite = false;
    const packagefile::Written written = file.writeAt(startPosition, chunk, &slowWrite);
    task->wroteChunk(slowWrite);
    if (written == packagefile::Written::WriteFailed)
        return failWriting(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("写入文件缓存失败"));
    if (written == packagefile::Written::FlushFailed)
        return failWriting(ErrorDefine::DOWNLOAD_FLUSH_ERROR, tr("缓存写入硬盘失败"));
    task->addSize(chunk.size());
    digests.advanceTo(contiguousBytes());
    recordProgress();
}

void downloadmanager::failWriting(ErrorDefine::ErrorCode error, const QString &text)
{
    stopDownlaod();
    emit downloadError(error, text);
}

// The bytes from the file's start on that are all written: the segments in
// order, up to the first one that is not complete.
qint64 downloadmanager::contiguousBytes() const
{
    qint64 end = 0;
    for (const downloadtask *task : qAsConst(tasks)) {
        if (task->sliceStart() != end)
            break;
        end = task->sliceStart() + task->size();
        if (end < task->sliceEnd())
            break;
    }
    return end;
}

// One task gave up: the others stop before the one report, and every
// segment keeps its bytes.
void downloadmanager::httpNetworkError(QNetworkReply::NetworkError error, const QString &msg)
{
    Q_UNUSED(msg)
    stopTasks();
    saveRecordNow();
    emit httpError(ErrorDefine::DOWNLOAD_NETWORK_REPLY_ERROR,
                   QStringLiteral("%1(%2)").arg(tr("网络返回错误")).arg(int(error)));
}

void downloadmanager::httpStatusCodeError(int error, const QString &msg)
{
    Q_UNUSED(msg)
    // The final file, if any, is a finished package: only its digest may
    // condemn it.
    stopDownlaod();
    emit downloadError(ErrorDefine::DOWNLOAD_NETWORK_ERROR,
                       QStringLiteral("%1(%2)").arg(tr("网络请求错误")).arg(error));
}

qint64 downloadmanager::getDownloadedSize()
{
    qint64 done = 0;
    for (const downloadtask *task : qAsConst(tasks))
        done += task->size();
    return done;
}

qint64 downloadmanager::getTotalSize()
{
    return totalSize;
}

void downloadmanager::setFileMD5(const QString &md5)
{
    fileMD5 = md5;
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

// A server that turns down one more connection gets fewer: the task waits
// for another one to finish its slice.
void downloadmanager::parkIfOthersRun(int taskId)
{
    for (downloadtask *task : qAsConst(tasks)) {
        if (task != tasks.value(taskId) && task->isRequesting()) {
            qDebug() << "Connection" << taskId << "refused; it waits for another to finish";
            tasks.value(taskId)->park();
            return;
        }
    }
}

void downloadmanager::resumeParkedTask()
{
    for (downloadtask *task : qAsConst(tasks)) {
        if (task->isParked() && downloading) {
            task->start();
            return;
        }
    }
}

// A server that answers a slice with other bytes gets one connection, from
// the end of what is there contiguously; that one's answer is checked as
// any single download's.
void downloadmanager::dropToOneConnection()
{
    if (tasks.size() <= 1)
        return;
    qDebug() << "The server does not serve ranges as asked: one connection from here";
    const qint64 kept = contiguousBytes();
    dropTasks();
    createTasks({kept});
    recordDirty = true;
    saveRecordNow();
    if (downloading)
        tasks.first()->start();
}

// The package on the server is not the one the record and the file hold:
// both go, and the download starts again from its size.
void downloadmanager::startOverReplaced()
{
    stopTasks();
    if (++replacedInARow > kMostRestartsForReplacedPackage)
        return httpStatusCodeError(200, QString());
    dropTasks();
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

void downloadmanager::getFileMd5(const QString &md5)
{
    digestRunning = false;
    // A file that could not be read has no digest, even when none is
    // expected; it stays to be checked again.
    if (md5.isEmpty()) {
        emit downloadError(ErrorDefine::DOWNLOAD_MD5_ERROR, tr("文件校验错误"));
        return;
    }
    record.remove();
    if (fileMD5.isEmpty() || fileMD5.toLower() == md5.toLower()) {
        emit md5CheckFinish();
        return;
    }
    resetDownload();
    emit downloadError(ErrorDefine::DOWNLOAD_MD5_ERROR, tr("文件校验错误"));
}

void downloadmanager::fileMd5(const QString &path)
{
    digestRunning = true;
    digests.checkWhole(path);
}

bool downloadmanager::isDownloading() const
{
    return downloading;
}

// The same rule names the files the version info looks for.
QString downloadmanager::packageFileName() const
{
    return UpdateVersionInfo::urlFileName(requestedUrl.toString(QUrl::FullyEncoded));
}

QString downloadmanager::tempFilePath() const
{
    const QString final = finalFilePath();
    return final.isEmpty() ? QString() : final + QStringLiteral("_tmp");
}

QString downloadmanager::finalFilePath() const
{
    const QString name = packageFileName();
    if (filePath.isEmpty() || name.isEmpty())
        return QString();
    return filePath + QLatin1Char('/') + name;
}

void downloadmanager::setSegmentCount(int count)
{
    segmentCount = count;
}

void downloadmanager::setInactivityTimeout(int milliseconds)
{
    inactivityTimeoutMs = milliseconds;
    size.setTimeout(milliseconds);
    for (downloadtask *task : qAsConst(tasks))
        task->setTimeoutInterval(milliseconds);
}

void downloadmanager::setRetryDelay(int milliseconds)
{
    retryDelayMs = milliseconds;
    size.setRetryDelay(milliseconds);
    for (downloadtask *task : qAsConst(tasks))
        task->setRetryDelay(milliseconds);
}

void downloadmanager::setTimerSource(timersource *source)
{
    timers = source;
    size.setTimerSource(source);
    for (downloadtask *task : qAsConst(tasks))
        task->setTimerSource(source);
}

// After every chunk written: saved now if the last save is a second old,
// else once that second is over.
void downloadmanager::recordProgress()
{
    recordDirty = true;
    if (!sinceRecordSaved.isValid() || sinceRecordSaved.elapsed() >= kRecordSaveIntervalMs)
        return saveRecordNow();
    if (!recordSaveTimer.isActive())
        recordSaveTimer.start(kRecordSaveIntervalMs - int(sinceRecordSaved.elapsed()));
}

// The data first, then the sizes that count on it: after a power cut the
// record never claims bytes the disk did not keep.
void downloadmanager::saveRecordNow()
{
    recordSaveTimer.stop();
    if (!recordDirty || tasks.isEmpty())
        return;
    if (!file.syncData()) {
        qDebug() << "Could not sync" << tempFilePath() << "; the record waits";
        return;
    }
    QVector<qint64> sizes;
    for (const downloadtask *task : qAsConst(tasks))
        sizes.append(task->size());
    record.save(sizes, totalSize, validator);
    recordDirty = false;
    sinceRecordSaved.start();
    replacedInARow = 0;
}

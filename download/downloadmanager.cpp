#include "download/downloadmanager.h"

#include "download/downloadfile.h"
#include "download/downloadtask.h"
#include "download/md5checkworker.h"
#include "net/updateversioninfo.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QNetworkRequest>
#include <QSettings>
#include <QThread>

#include <utility>

namespace {

const int kMaxRedirects = 10;
// A server that takes the size request and never answers would keep the
// download waiting for ever: give it as long as a task gets between chunks.
const int kSizeRequestTimeoutMs = 10000;
// A reply starts at 51200 bytes of read buffer (see downloadtask), drops to
// 1024 while disk writes are slow and rises again after a run of quick ones.
// It rises to 256 KiB rather than back to 51200: with 50 KB the network
// thread waits for this one after every chunk, which made a local download
// a third slower than curl's.
const qint64 kSlowReadBufferBytes = 1024;
const qint64 kFastReadBufferBytes = 256 * 1024;
const int kFastWritesBeforeSpeedUp = 50;
// Every save of the settings store rewrites and syncs its file; once per
// chunk that costs more than the download. A record that lags a little
// behind the disk only means a few bytes fetched twice after a crash.
const int kRecordSaveIntervalMs = 250;

// Keys of a resume group besides the task numbers.
const QString kPathKey = QStringLiteral("path");
const QString kDigestPendingKey = QStringLiteral("digestPending");

// The folder may hold the program and its settings: only a package or a
// picture of the same name is replaced.
const QStringList kReplaceableSuffixes = {QStringLiteral("7z"),  QStringLiteral("zip"), QStringLiteral("rar"),
                                          QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                          QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("webp"),
                                          QStringLiteral("ico")};

// Shared by every downloader: consecutive chunk writes that stayed within
// one clock second.
int fastWriteCount = 0;

bool isRedirectStatus(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 305 || status == 307 || status == 308;
}

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

downloadmanager::downloadmanager(QObject *parent)
    : QObject(parent)
{
    ErrorDefine::registerMetaType();
    downloadfile::ignoreFileSizeSignal();
    recordSaveTimer.setSingleShot(true);
    connect(&recordSaveTimer, &QTimer::timeout, this, &downloadmanager::saveRecordNow);
    sizeRetryTimer.setSingleShot(true);
    connect(&sizeRetryTimer, &QTimer::timeout, this, &downloadmanager::requestFileSize);
}

downloadmanager::~downloadmanager()
{
    saveRecordNow();
    qDeleteAll(tasks);
    tasks.clear();
    if (md5Thread) {
        md5Thread->quit();
        md5Thread->wait();
        delete md5Thread;
    }
}

void downloadmanager::setUrl(const QUrl &requestUrl)
{
    nameByUrl(requestUrl);
    fetchingSize = true;
    requestFileSize();
}

void downloadmanager::nameByUrl(const QUrl &requestUrl)
{
    // The answer to an earlier URL must not size or redirect this one.
    cancelSizeRequest();
    if (requestUrl != requestedUrl)
        totalSize = 0;
    url = requestUrl;
    requestedUrl = requestUrl;
    redirectCount = 0;
    probingWithGet = false;
    // A new URL has all its tries; the first wait stays as set.
    sizeRetry.progressed();
}

void downloadmanager::setFilePath(const QString &path)
{
    filePath = path;
}

void downloadmanager::initTasks()
{
    // Without the size a task would cover nothing and every record would
    // look out of range.
    if (url.isEmpty() || filePath.isEmpty() || packageFileName().isEmpty() || totalSize <= 0)
        return;
    if (!QFile::exists(tempFilePath()))
        removeResumeRecord();
    resumeStore().sync();
    qint64 done = getDownloadedSize();
    for (int index = tasks.size(); index < 1; ++index) {
        const qint64 saved = savedResumeSize(index);
        done += saved;
        auto *task = new downloadtask(this);
        task->setUrl(url, 0, totalSize, saved, index);
        task->setFileSize(totalSize);
        if (inactivityTimeoutMs > 0)
            task->setTimeoutInterval(inactivityTimeoutMs);
        if (retryDelayMs > 0)
            task->setRetryDelay(retryDelayMs);
        connect(task, &downloadtask::progress, this, &downloadmanager::networkReplyProgress);
        connect(task, &downloadtask::readyRead, this, &downloadmanager::httpReadyRead);
        connect(task, &downloadtask::networkError, this, &downloadmanager::httpNetworkError);
        connect(task, &downloadtask::httpStatusCodeError, this, &downloadmanager::httpStatusCodeError);
        tasks.append(task);
    }
    emit downloadReplyProgress(done, totalSize);
}

void downloadmanager::startDownload()
{
    downloading = true;
    if (fetchingSize || digestRunning)
        return;
    if (tempFilePath().isEmpty()) {
        failOpening(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
        return;
    }
    if (totalSize <= 0) {
        // The size is not known (its request failed): ask again, the answer
        // resumes the start.
        if (!url.isEmpty()) {
            fetchingSize = true;
            requestFileSize();
        }
        return;
    }
    if (!file) {
        if (recheckPendingDigest())
            return;
        if (!finalFileMayBeReplaced()) {
            failOpening(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
            return;
        }
        if (!openTempFile())
            return;
    }
    initTasks();
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
    resumeStore().sync();
    return recordBelongsHere() && resumeStore().value(recordKey(kDigestPendingKey)).toBool() &&
           QFileInfo(finalFilePath()).isFile();
}

// The temporary file is opened and locked before its record is looked at,
// so a second downloader of the same file changes nothing.
bool downloadmanager::openTempFile()
{
    const bool existed = QFile::exists(tempFilePath());
    file = std::make_unique<QFile>(tempFilePath());
    // Unbuffered: after a failed write a buffered file keeps the bytes it
    // could not write and puts them out at the next offset it writes to.
    if (!file->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        qDebug() << file->errorString();
        file.reset();
        failOpening(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
        return false;
    }
    if (!downloadfile::lockExclusive(*file)) {
        qDebug() << "Another download holds" << tempFilePath();
        file.reset();
        failOpening(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件正在下载中"));
        return false;
    }
    if (!existed)
        removeResumeRecord();
    return preallocateTempFile(!existed);
}

// Space is taken before a byte is fetched, so a disk too small for the
// package says so now and not hours later.
bool downloadmanager::preallocateTempFile(bool createdNow)
{
    if (file->size() > totalSize && !file->resize(totalSize)) {
        file.reset();
        failOpening(ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR, tr("硬盘空间不足"));
        return false;
    }
    const downloadfile::Preallocation result = downloadfile::preallocate(*file, totalSize);
    if (result == downloadfile::Preallocation::Done)
        return true;
    file.reset();
    if (createdNow)
        QFile::remove(tempFilePath());
    if (result == downloadfile::Preallocation::TooLarge)
        failOpening(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("写入文件缓存失败"));
    else
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
    for (downloadtask *task : qAsConst(tasks))
        task->stop();
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
    if (file && !tasks.isEmpty() && getDownloadedSize() >= totalSize)
        completeDownload();
}

void downloadmanager::completeDownload()
{
    saveRecordNow();
    for (downloadtask *task : qAsConst(tasks))
        task->stop();
    if (file) {
        file->close();
        file.reset();
    }
    // The finished file replaces an older one of the same name, or the digest
    // would check the old file.
    const QString finalPath = finalFilePath();
    // Marked before the rename: a stop anywhere after it leaves either a
    // complete record or a final file that is checked before any use.
    setDigestPending(true);
    if (QFile::exists(finalPath))
        QFile::remove(finalPath);
    if (!QFile::rename(tempFilePath(), finalPath)) {
        qDebug() << "Could not rename" << tempFilePath() << "to" << finalPath;
        setDigestPending(false);
        stopDownlaod();
        emit downloadError(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
        return;
    }
    for (downloadtask *task : qAsConst(tasks))
        task->resetAfterCompletion();
    emit downloadFinished();
    tasks.clear();
    fileMd5(finalPath);
}

void downloadmanager::httpReadyRead(const QByteArray &buffer, qint64 startPosition, int taskId)
{
    downloadtask *task = tasks.value(taskId);
    // Stop first, report once: a handler may run a modal dialog, and chunks
    // must not keep failing under it.
    if (!task || !file || startPosition < 0 || !file->seek(startPosition)) {
        stopDownlaod();
        emit downloadError(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("写入文件缓存失败"));
        return;
    }
    // Nothing is written past the package's end, whatever the server sends.
    const QByteArray chunk = buffer.left(int(qBound<qint64>(0, totalSize - startPosition, buffer.size())));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const bool written = writeFully(*file, chunk);
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    throttleReadBuffer(task, before != after);
    if (!written) {
        stopDownlaod();
        emit downloadError(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("写入文件缓存失败"));
        return;
    }
    if (!file->flush()) {
        stopDownlaod();
        emit downloadError(ErrorDefine::DOWNLOAD_FLUSH_ERROR, tr("缓存写入硬盘失败"));
        return;
    }
    task->addSize(chunk.size());
    recordTaskSize(taskId);
}

void downloadmanager::throttleReadBuffer(downloadtask *task, bool slowWrite)
{
    if (slowWrite) {
        fastWriteCount = 0;
        task->setReadBufferSize(kSlowReadBufferBytes);
        return;
    }
    ++fastWriteCount;
    if (fastWriteCount > kFastWritesBeforeSpeedUp)
        task->setReadBufferSize(kFastReadBufferBytes);
}

void downloadmanager::httpNetworkError(QNetworkReply::NetworkError error, const QString &msg)
{
    Q_UNUSED(msg)
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
    qDebug() << "Getting the file size...";
    fetchingSize = true;
    QNetworkRequest request(url);
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(inactivityTimeoutMs > 0 ? inactivityTimeoutMs : kSizeRequestTimeoutMs);
    if (probingWithGet) {
        request.setRawHeader("Range", "bytes=0-0");
        sizeReply = network.get(request);
        connect(sizeReply, &QNetworkReply::metaDataChanged, this, &downloadmanager::abortFullBodyProbe);
    } else {
        sizeReply = network.head(request);
    }
    connect(sizeReply, &QNetworkReply::finished, this, &downloadmanager::headerResponseFinished, Qt::DirectConnection);
}

// A server that ignores the probe's range sends the whole file: its headers
// are all that is wanted.
void downloadmanager::abortFullBodyProbe()
{
    if (sizeReply && sizeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200) {
        probeAborted = true;
        sizeReply->abort();
    }
}

void downloadmanager::headerResponseFinished()
{
    fetchingSize = false;
    if (!sizeReply)
        return;
    const int status = sizeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool aborted = std::exchange(probeAborted, false);
    if (status == 0 || (sizeReply->error() != QNetworkReply::NoError && !aborted && status < 400)) {
        sizeRequestFailed(status);
        return;
    }
    if (retrypolicy::isTransientStatus(status)) {
        sizeRequestFailed(status, sizeReply->rawHeader("Retry-After"));
        return;
    }
    // Signed GET-only addresses refuse HEAD.
    if ((status == 405 || status == 501) && !probingWithGet) {
        forgetSizeReply();
        probingWithGet = true;
        requestFileSize();
        return;
    }
    if ((status == 200 || status == 206) && takeSize(status))
        return;
    if (isRedirectStatus(status) && followRedirect())
        return;
    failSizeRequest(status);
}

// A transport error or a transient answer: asked again after a wait.
void downloadmanager::sizeRequestFailed(int status, const QByteArray &retryAfter)
{
    const int delayMs = sizeRetry.failed(retryAfter);
    if (delayMs < 0) {
        failSizeRequest(status);
        return;
    }
    forgetSizeReply();
    fetchingSize = true;
    sizeRetryTimer.start(delayMs);
}

bool downloadmanager::takeSize(int status)
{
    bool known = false;
    qint64 length = sizeReply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (probingWithGet && status == 206) {
        length = downloadtask::contentRangeTotal(sizeReply->rawHeader("Content-Range"));
        known = length >= 0;
    }
    // Without a length there is nothing to preallocate or to finish at.
    if (!known || length <= 0)
        return false;
    qDebug() << "The file size is: " << length;
    forgetSizeReply();
    totalSize = length;
    if (downloading)
        startDownload();
    return true;
}

// Follows the size request's redirect by hand: at most kMaxRedirects of them,
// and only to http or https.
bool downloadmanager::followRedirect()
{
    const QUrl target = sizeReply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    qDebug() << "redirectionTarget:" << target;
    if (!target.isValid() || target.isEmpty())
        return false;
    const QUrl next = target.isRelative() ? url.resolved(target) : target;
    if (next.scheme() != QLatin1String("http") && next.scheme() != QLatin1String("https"))
        return false;
    if (++redirectCount > kMaxRedirects)
        return false;
    url = next;
    forgetSizeReply();
    fetchingSize = true;
    requestFileSize();
    return true;
}

void downloadmanager::failSizeRequest(int status)
{
    forgetSizeReply();
    emit downloadError(ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR, tr("网络资源获取失败(%1)").arg(status));
}

void downloadmanager::forgetSizeReply()
{
    if (!sizeReply)
        return;
    sizeReply->disconnect(this);
    sizeReply->close();
    sizeReply->deleteLater();
    sizeReply = nullptr;
}

void downloadmanager::cancelSizeRequest()
{
    sizeRetryTimer.stop();
    if (sizeReply) {
        sizeReply->disconnect(this);
        sizeReply->abort();
    }
    forgetSizeReply();
    fetchingSize = false;
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
    removeResumeRecord();
    if (fileMD5.isEmpty() || fileMD5.toLower() == md5.toLower()) {
        emit md5CheckFinish();
        return;
    }
    resetDownload();
    emit downloadError(ErrorDefine::DOWNLOAD_MD5_ERROR, tr("文件校验错误"));
}

void downloadmanager::fileMd5(const QString &path)
{
    if (!md5Thread)
        md5Thread = new QThread;
    // A thread still in its event loop would not be started again, and the
    // new worker would never run: let the previous check end first.
    if (md5Thread->isRunning()) {
        md5Thread->quit();
        md5Thread->wait();
    }
    digestRunning = true;
    auto *worker = new md5checkworker;
    worker->setFilePath(path);
    worker->moveToThread(md5Thread);
    connect(md5Thread, &QThread::started, worker, &md5checkworker::md5);
    connect(worker, &md5checkworker::md5Checkfinished, this, &downloadmanager::getFileMd5);
    connect(worker, &md5checkworker::md5Checkfinished, md5Thread, &QThread::quit);
    connect(md5Thread, &QThread::finished, worker, &QObject::deleteLater);
    md5Thread->start(QThread::InheritPriority);
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

void downloadmanager::setInactivityTimeout(int milliseconds)
{
    inactivityTimeoutMs = milliseconds;
    for (downloadtask *task : qAsConst(tasks))
        task->setTimeoutInterval(milliseconds);
}

void downloadmanager::setRetryDelay(int milliseconds)
{
    retryDelayMs = milliseconds;
    sizeRetry.setFirstDelay(milliseconds);
    for (downloadtask *task : qAsConst(tasks))
        task->setRetryDelay(milliseconds);
}

QSettings &downloadmanager::resumeStore()
{
    // Opened on first use, so it picks up the names set at start-up.
    if (!settings)
        settings = std::make_unique<QSettings>();
    return *settings;
}

QString downloadmanager::recordKey(const QString &key) const
{
    return packageFileName() + QLatin1Char('/') + key;
}

// A record of another folder's file of the same name is neither read nor
// changed here. Records from before the path was noted count as ours.
bool downloadmanager::recordBelongsHere()
{
    const QString path = resumeStore().value(recordKey(kPathKey)).toString();
    return path.isEmpty() || path == tempFilePath();
}

void downloadmanager::removeResumeRecord()
{
    recordSaveTimer.stop();
    unsavedTasks.clear();
    resumeStore().sync();
    if (!recordBelongsHere())
        return;
    resumeStore().remove(packageFileName());
    resumeStore().sync();
}

void downloadmanager::setDigestPending(bool pending)
{
    resumeStore().sync();
    if (!recordBelongsHere())
        return;
    resumeStore().setValue(recordKey(kPathKey), tempFilePath());
    if (pending)
        resumeStore().setValue(recordKey(kDigestPendingKey), true);
    else
        resumeStore().remove(recordKey(kDigestPendingKey));
    resumeStore().sync();
}

// Called after every chunk that was written and flushed.
void downloadmanager::recordTaskSize(int taskId)
{
    if (!unsavedTasks.contains(taskId))
        unsavedTasks.append(taskId);
    if (!sinceRecordSaved.isValid() || sinceRecordSaved.elapsed() >= kRecordSaveIntervalMs) {
        saveRecordNow();
        return;
    }
    if (!recordSaveTimer.isActive())
        recordSaveTimer.start(kRecordSaveIntervalMs - int(sinceRecordSaved.elapsed()));
}

void downloadmanager::saveRecordNow()
{
    recordSaveTimer.stop();
    if (unsavedTasks.isEmpty())
        return;
    resumeStore().sync();
    if (recordBelongsHere()) {
        resumeStore().setValue(recordKey(kPathKey), tempFilePath());
        for (int taskId : qAsConst(unsavedTasks)) {
            if (const downloadtask *task = tasks.value(taskId))
                resumeStore().setValue(recordKey(QString::number(taskId)), task->size());
        }
        resumeStore().sync();
    }
    unsavedTasks.clear();
    sinceRecordSaved.start();
}

// A record outside the package's size belongs to some other file: start over.
qint64 downloadmanager::savedResumeSize(int taskId)
{
    if (!recordBelongsHere())
        return 0;
    const qint64 saved = resumeStore().value(recordKey(QString::number(taskId)), 0).toLongLong();
    return (saved < 0 || saved > totalSize) ? 0 : saved;
}

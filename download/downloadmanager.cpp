#include "download/downloadmanager.h"

#include "download/downloadtask.h"
#include "download/md5checkworker.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QNetworkRequest>
#include <QSettings>
#include <QThread>

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
    recordSaveTimer.setSingleShot(true);
    connect(&recordSaveTimer, &QTimer::timeout, this, &downloadmanager::saveRecordNow);
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
    url = requestUrl;
    if (fetchingSize)
        return;
    redirectCount = 0;
    fetchingSize = true;
    requestFileSize();
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
    qint64 done = getDownloadedSize();
    for (int index = tasks.size(); index < 1; ++index) {
        const qint64 saved = savedResumeSize(index);
        done += saved;
        auto *task = new downloadtask(this);
        task->setUrl(url, 0, totalSize, saved, index);
        task->setFileSize(totalSize);
        if (inactivityTimeoutMs > 0)
            task->setTimeoutInterval(inactivityTimeoutMs);
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
    if (fetchingSize)
        return;
    if (tempFilePath().isEmpty()) {
        emit downloadError(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
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
    initTasks();
    if (!file && !openTempFile())
        return;
    for (downloadtask *task : qAsConst(tasks))
        task->start();
    // A record saying every byte is there (the program stopped between the
    // last chunk and the rename) gets no request: finish here.
    if (getDownloadedSize() >= totalSize)
        completeDownload();
}

bool downloadmanager::openTempFile()
{
    file = std::make_unique<QFile>(tempFilePath());
    // Unbuffered: after a failed write a buffered file keeps the bytes it
    // could not write and puts them out at the next offset it writes to.
    if (!file->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        qDebug() << file->errorString();
        emit downloadError(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
        file.reset();
        return false;
    }
    if (!file->resize(totalSize)) {
        emit downloadError(ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR, tr("硬盘空间不足"));
        file.reset();
        return false;
    }
    return true;
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

void downloadmanager::completeDownload()
{
    for (downloadtask *task : qAsConst(tasks))
        task->stop();
    if (file) {
        file->close();
        file.reset();
    }
    // The finished file replaces an older one of the same name, or the digest
    // would check the old file.
    const QString finalPath = finalFilePath();
    if (QFile::exists(finalPath))
        QFile::remove(finalPath);
    if (!QFile::rename(tempFilePath(), finalPath)) {
        qDebug() << "Could not rename" << tempFilePath() << "to" << finalPath;
        stopDownlaod();
        emit downloadError(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("文件打开失败"));
        return;
    }
    removeResumeRecord();
    for (downloadtask *task : qAsConst(tasks))
        task->resetAfterCompletion();
    emit downloadFinished();
    tasks.clear();
    fileMd5(finalPath);
}

void downloadmanager::httpReadyRead(const QByteArray &buffer, qint64 startPosition, int taskId)
{
    downloadtask *task = tasks.value(taskId);
    if (!task || !file || startPosition < 0 || !file->seek(startPosition)) {
        emit downloadError(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("写入文件缓存失败"));
        stopDownlaod();
        return;
    }
    // Nothing is written past the package's end, whatever the server sends.
    const QByteArray chunk = buffer.left(int(qBound<qint64>(0, totalSize - startPosition, buffer.size())));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const bool written = writeFully(*file, chunk);
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    throttleReadBuffer(task, before != after);
    if (!written) {
        emit downloadError(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("写入文件缓存失败"));
        stopDownlaod();
        return;
    }
    if (!file->flush()) {
        emit downloadError(ErrorDefine::DOWNLOAD_FLUSH_ERROR, tr("缓存写入硬盘失败"));
        stopDownlaod();
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
    resetDownload();
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
    QNetworkRequest request(url);
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(inactivityTimeoutMs > 0 ? inactivityTimeoutMs : kSizeRequestTimeoutMs);
    sizeReply = network.head(request);
    connect(sizeReply, &QNetworkReply::finished, this, &downloadmanager::headerResponseFinished, Qt::DirectConnection);
}

void downloadmanager::headerResponseFinished()
{
    fetchingSize = false;
    if (!sizeReply)
        return;
    const int status = sizeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (sizeReply->error() != QNetworkReply::NoError) {
        failSizeRequest(status);
        return;
    }
    if (status == 200 || status == 206) {
        bool known = false;
        const qint64 length = sizeReply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        // Without a length there is nothing to preallocate or to finish at.
        if (!known || length <= 0) {
            failSizeRequest(status);
            return;
        }
        qDebug() << "The file size is: " << length;
        forgetSizeReply();
        totalSize = length;
        if (downloading)
            startDownload();
        return;
    }
    if (isRedirectStatus(status) && followRedirect())
        return;
    failSizeRequest(status);
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
    sizeReply->close();
    sizeReply->deleteLater();
    sizeReply = nullptr;
}

void downloadmanager::getFileMd5(const QString &md5)
{
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

// The package's name is the last segment of the URL's path, fully decoded.
// It names files in the target folder, so anything that could lead outside
// it, or name the folder itself, is refused. Windows drops trailing dots and
// spaces from a name (".. " is the parent), so such names are refused too.
QString downloadmanager::packageFileName() const
{
    const QString encodedPath = url.path(QUrl::FullyEncoded);
    const QString name =
        QUrl::fromPercentEncoding(encodedPath.mid(encodedPath.lastIndexOf(QLatin1Char('/')) + 1).toUtf8());
    if (name.isEmpty() || name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')) ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
        return QString();
    return name;
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

QSettings &downloadmanager::resumeStore()
{
    // Opened on first use, so it picks up the names set at start-up.
    if (!settings)
        settings = std::make_unique<QSettings>();
    return *settings;
}

void downloadmanager::removeResumeRecord()
{
    recordSaveTimer.stop();
    unsavedTasks.clear();
    resumeStore().remove(packageFileName());
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
    for (int taskId : qAsConst(unsavedTasks)) {
        if (const downloadtask *task = tasks.value(taskId))
            resumeStore().setValue(packageFileName() + QLatin1Char('/') + QString::number(taskId), task->size());
    }
    unsavedTasks.clear();
    resumeStore().sync();
    sinceRecordSaved.start();
}

// A record outside the package's size belongs to some other file: start over.
qint64 downloadmanager::savedResumeSize(int taskId)
{
    const qint64 saved =
        resumeStore().value(packageFileName() + QLatin1Char('/') + QString::number(taskId), 0).toLongLong();
    return (saved < 0 || saved > totalSize) ? 0 : saved;
}

#include "download/downloadmanager.h"

#include "download/downloadfile.h"
#include "download/downloadtask.h"
#include "download/timersource.h"
#include "net/updateversioninfo.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

namespace {

// The folder may hold the program and its settings: only a package or a
// picture of the same name is replaced.
const QStringList kReplaceableSuffixes = {QStringLiteral("7z"),  QStringLiteral("zip"), QStringLiteral("rar"),
                                          QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                          QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("webp"),
                                          QStringLiteral("ico")};

} // namespace

downloadmanager::downloadmanager(QObject *parent)
    : QObject(parent)
    , segments(this)
    , timers(&timersource::system())
{
    ErrorDefine::registerMetaType();
    downloadfile::ignoreFileSizeSignal();
    connect(&size, &sizerequest::sized, this, &downloadmanager::takeSize);
    connect(&size, &sizerequest::failed, this, &downloadmanager::failSizeRequest);
    connect(&digests, &packagedigest::digestReady, this, &downloadmanager::getFileMd5);
    recordSaveTimer.setSingleShot(true);
    connect(&recordSaveTimer, &QTimer::timeout, this, &downloadmanager::saveRecordSoon);
    connect(&dataSync, &backgroundsync::done, this, &downloadmanager::takeDataSync);
}

downloadmanager::~downloadmanager()
{
    saveRecordNow();
    segments.drop();
}

void downloadmanager::setUrl(const QUrl &requestUrl)
{
    nameByUrl(requestUrl);
    fetchingSize = true;
    size.restart();
}

void downloadmanager::nameByUrl(const QUrl &requestUrl)
{
    // The answer to an earlier URL must not size or redirect this one, nor
    // a paused download of another package go on in its place.
    if (requestUrl != requestedUrl) {
        totalSize = 0;
        saveRecordNow();
        segments.drop();
        file.close();
        digests.discard();
    }
    url = requestUrl;
    requestedUrl = requestUrl;
    record.setPackage(packageFileName(), tempFilePath());
    fetchingSize = false;
    size.aim(requestUrl);
}

void downloadmanager::setFilePath(const QString &path)
{
    filePath = path;
    record.setPackage(packageFileName(), tempFilePath());
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
    digests.advanceTo(segments.contiguousBytes());
    segments.start();
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
        digests.discard();
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
    segments.stop();
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
    if (file.isOpen() && !segments.isEmpty() && getDownloadedSize() >= totalSize)
        completeDownload();
}

void downloadmanager::completeDownload()
{
    leaveRecordToDigest();
    segments.stop();
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
    segments.drop();
    emit downloadFinished();
    digestRunning = true;
    sinceLastByte.start();
    digests.finish(finalPath, totalSize);
}

void downloadmanager::httpReadyRead(const QByteArray &buffer, qint64 startPosition, int taskId)
{
    downloadtask *task = segments.task(taskId);
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
    digests.advanceTo(segments.contiguousBytes());
    recordProgress();
}

void downloadmanager::failWriting(ErrorDefine::ErrorCode error, const QString &text)
{
    stopDownlaod();
    emit downloadError(error, text);
}

// One task gave up: the others stop before the one report, and every
// segment keeps its bytes.
void downloadmanager::httpNetworkError(QNetworkReply::NetworkError error, const QString &msg)
{
    Q_UNUSED(msg)
    segments.stop();
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
    return segments.doneBytes();
}

qint64 downloadmanager::getTotalSize()
{
    return totalSize;
}

void downloadmanager::setFileMD5(const QString &md5)
{
    fileMD5 = md5;
}

void downloadmanager::getFileMd5(const QString &md5)
{
    digestRunning = false;
    // LAUNCHER_STALL_LOG=1: benchmarks read how long verifying kept the player.
    if (sinceLastByte.isValid() && !qEnvironmentVariableIsEmpty("LAUNCHER_STALL_LOG"))
        qInfo().noquote() << QStringLiteral("verifying after the last byte: %1 ms").arg(sinceLastByte.elapsed());
    sinceLastByte.invalidate();
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

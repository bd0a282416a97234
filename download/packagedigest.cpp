#include "download/packagedigest.h"

#include "download/md5checkworker.h"
#include "download/prefixdigest.h"

#include <QDebug>
#include <QThread>

packagedigest::packagedigest(QObject *parent)
    : QObject(parent)
{}

// Waits for a digest under way; its result reaches nothing.
packagedigest::~packagedigest()
{
    if (!md5Thread)
        return;
    md5Thread->quit();
    md5Thread->wait();
    delete md5Thread;
    delete running;
}

QThread &packagedigest::thread()
{
    if (!md5Thread) {
        md5Thread = new QThread;
        md5Thread->start(QThread::InheritPriority);
    }
    return *md5Thread;
}

void packagedigest::begin(const QString &tempPath)
{
    // Another package's, or a file made anew: what was hashed is not this one's.
    if (running && tempPath != path)
        discard();
    if (running)
        return;
    path = tempPath;
    goal = 0;
    running = new prefixdigest(tempPath);
    running->moveToThread(&thread());
}

void packagedigest::advanceTo(qint64 end)
{
    if (!running)
        return;
    goal = end;
    running->advanceTo(end);
}

// Bytes written again inside the hashed prefix (the server sent the whole
// file where a resume was asked for): what was hashed is no longer the file's.
void packagedigest::rewriting(qint64 position)
{
    if (!running || position >= goal)
        return;
    discard();
    begin(path);
}

void packagedigest::discard()
{
    if (!running)
        return;
    running->disconnect(this);
    running->deleteLater();
    running = nullptr;
}

void packagedigest::finish(const QString &path, qint64 total)
{
    if (!running)
        return checkWhole(path);
    connect(running, &prefixdigest::digestReady, this,
            [this, path](const QString &md5) { takePrefixDigest(path, md5); });
    running->finish(path, total);
}

// A prefix that could not be read while the download went on (the file was
// briefly out of reach) is no verdict: the whole file is read once more.
void packagedigest::takePrefixDigest(const QString &path, const QString &md5)
{
    discard();
    if (md5.isEmpty()) {
        qDebug() << "The digest taken while downloading failed; reading the whole file";
        return checkWhole(path);
    }
    emit digestReady(md5);
}

void packagedigest::checkWhole(const QString &path)
{
    auto *worker = new md5checkworker;
    worker->setFilePath(path);
    worker->moveToThread(&thread());
    connect(worker, &md5checkworker::md5Checkfinished, this, &packagedigest::digestReady);
    connect(worker, &md5checkworker::md5Checkfinished, worker, &QObject::deleteLater);
    connect(md5Thread, &QThread::finished, worker, &QObject::deleteLater);
    QMetaObject::invokeMethod(worker, &md5checkworker::md5, Qt::QueuedConnection);
}

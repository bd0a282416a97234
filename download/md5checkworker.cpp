#include "download/md5checkworker.h"

#include <QCryptographicHash>
#include <QFile>

md5checkworker::md5checkworker(QObject *parent)
    : QObject(parent)
{
}

void md5checkworker::setFilePath(const QString &path)
{
    filePath = path;
}

void md5checkworker::md5()
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        emit md5Checkfinished(QString());
        return;
    }
    QCryptographicHash hash(QCryptographicHash::Md5);
    const bool readToEnd = hash.addData(&file);
    file.close();
    // A read that stops early must not pass for the digest of the whole file.
    if (!readToEnd) {
        emit md5Checkfinished(QString());
        return;
    }
    emit md5Checkfinished(QString::fromLatin1(hash.result().toHex()));
}

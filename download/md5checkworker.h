#pragma once

#include <QObject>
#include <QString>

// Computes the MD5 digest of one file on whatever thread it lives on and
// reports it once. Comparing it with an expected digest is the caller's job.
class md5checkworker : public QObject
{
    Q_OBJECT

public:
    explicit md5checkworker(QObject *parent = nullptr);

    void setFilePath(const QString &path);

signals:
    // 32 lower-case hex digits, or an empty text when the file cannot be read.
    void md5Checkfinished(QString md5);

public slots:
    void md5();

private:
    QString filePath;
};

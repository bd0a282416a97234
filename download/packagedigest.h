#pragma once

#include <QObject>
#include <QString>

class QThread;
class prefixdigest;

// The package's MD5 digest, computed away from the GUI thread: taken while
// the file is downloaded (prefixdigest) and finished when the last byte is
// there, or read from a whole file that is there already (md5checkworker).
class packagedigest : public QObject
{
    Q_OBJECT

public:
    explicit packagedigest(QObject *parent = nullptr);
    ~packagedigest() override;

    // From the first byte of the file at tempPath on; a no-op while one of
    // the same file runs.
    void begin(const QString &tempPath);
    // Bytes [0, end) of the file are written.
    void advanceTo(qint64 end);
    // Bytes from position on are about to be written.
    void rewriting(qint64 position);
    // The bytes hashed so far are no longer the file's (it starts again).
    void discard();
    // The file, now at path, is complete at total bytes: report its digest.
    void finish(const QString &path, qint64 total);
    // Reads the whole file at path and reports its digest.
    void checkWhole(const QString &path);

signals:
    // 32 lower-case hex digits, or an empty text when the file cannot be read.
    void digestReady(QString md5);

private:
    void takePrefixDigest(const QString &path, const QString &md5);
    QThread &thread();

    QThread *md5Thread = nullptr;
    prefixdigest *running = nullptr;
    QString path;
    qint64 goal = 0;
};

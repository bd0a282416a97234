#pragma once

#include "common/errordefine.h"

#include <QLibrary>
#include <QString>
#include <QThread>

#include <atomic>

class CInFileStream;

namespace SevenZip {
struct IInArchive;
struct LibraryFunctions;
} // namespace SevenZip

// Installs a downloaded package on a thread of its own: unpacks the archive
// into the install folder through the 7-Zip library, deletes the archive and
// the files the package lists as obsolete, and makes sure the game's
// metadata file is in place.
class setupmanager : public QThread
{
    Q_OBJECT

public:
    explicit setupmanager(QObject *parent = nullptr);
    // Lets a running extraction end first: it writes into the install folder.
    ~setupmanager() override;

    // The game's extractor, created on first use. Reports never travel
    // through it: each instance's callbacks report on that instance.
    static setupmanager *sharedInstance();

    // A failed item of this instance's extraction, from the run's thread.
    void reportItemError(ErrorDefine::ErrorCode error, const QString &msg);

    // Where the archive library is loaded from; the platform's default otherwise.
    void setLibraryFileName(const QString &fileName);
    static QString defaultLibraryFileName();

signals:
    void setupProgress(qint64 finishSize, qint64 totalSize);
    void setupFinished();
    void setupError(ErrorDefine::ErrorCode error, QString msg);
    void setupUnzipFilePath(QString filePath);
    void globalMetaDataDismiss();
    void globalMetaDataError();

public slots:
    void setZipFilePath(QString dir);
    void setZipFileName(QString zipName);
    void startSetup();

protected:
    void run() override;

private:
    void raiseError(ErrorDefine::ErrorCode error, const QString &msg);
    bool extractArchive(const QString &archivePath, const QString &targetDir, bool *deleteListArrived);
    // The library's handler for the archive's suffix; null when refused.
    SevenZip::IInArchive *createHandler(const QString &archivePath, const SevenZip::LibraryFunctions &functions);
    bool openArchive(SevenZip::IInArchive *archive, CInFileStream *stream, const QString &archivePath,
                     const SevenZip::LibraryFunctions &functions);
    bool unpackItems(SevenZip::IInArchive *archive, const SevenZip::LibraryFunctions &functions,
                     const QString &targetDir, bool *deleteListArrived);
    bool resolveLibrary(SevenZip::LibraryFunctions *functions);
    void processDeleteList();
    void checkMetaData();

    QLibrary library;
    QString zipName;
    QString dir;
    // Raised from the run's thread, read and cleared at the run's end.
    std::atomic<bool> hasError{false};
};

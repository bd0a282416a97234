#pragma once

#include "common/errordefine.h"
#include "setup/archiveitem.h"
#include "setup/comobject.h"
#include "setup/targetfolder.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>

class COutFileStream;
class setupmanager;

// Tells the library where each item goes and reports progress, item paths
// and per-item failures on the setupmanager that runs the extraction. Never
// throws into the library: every outcome is a result code.
class CArchiveExtractCallback final
    : public ComObject<CArchiveExtractCallback, SevenZip::IArchiveExtractCallback, SevenZip::ICryptoGetTextPassword>
{
    friend ComObject;

public:
    // Progress reaches the GUI thread at most this often (the library reports
    // far more often on fast archives); the last value always goes out.
    static constexpr qint64 ProgressIntervalMs = 40;

    CArchiveExtractCallback(const SevenZip::LibraryFunctions &library, setupmanager *runner);

    void Init(SevenZip::IInArchive *archive, const QString &directoryPath);

    SevenZip::HRESULT SEVENZIP_CALL QueryInterface(const SevenZip::GUID &iid, void **outObject) override;

    SevenZip::HRESULT SEVENZIP_CALL SetTotal(SevenZip::UInt64 total) override;
    SevenZip::HRESULT SEVENZIP_CALL SetCompleted(const SevenZip::UInt64 *completeValue) override;
    SevenZip::HRESULT SEVENZIP_CALL GetStream(SevenZip::UInt32 index, SevenZip::ISequentialOutStream **outStream,
                                              SevenZip::Int32 askExtractMode) override;
    SevenZip::HRESULT SEVENZIP_CALL PrepareOperation(SevenZip::Int32 askExtractMode) override;
    SevenZip::HRESULT SEVENZIP_CALL SetOperationResult(SevenZip::Int32 opRes) override;
    SevenZip::HRESULT SEVENZIP_CALL CryptoGetTextPassword(SevenZip::BSTR *password) override;

    static QString operationResultText(SevenZip::Int32 opRes);

    // Folder times and attributes, once everything inside them is written.
    void finish();
    // Items that failed (reported) during this extraction.
    int itemErrors() const { return m_itemErrors; }
    // Whether the item at relativePath (placed as items are) was unpacked whole.
    void watchItem(const QString &relativePath) { m_watchedItem = relativePath; }
    bool watchedItemUnpacked() const { return m_watchedItemUnpacked; }

private:
    struct ItemInfo : ArchiveItem::Properties
    {
        bool refused = false;
        bool skipped = false;
    };

    struct FolderStamp
    {
        QString path;
        ItemInfo item;
    };

    ~CArchiveExtractCallback();

    SevenZip::HRESULT placeItem(const QStringList &components, SevenZip::ISequentialOutStream **outStream);
    void refuseItem();
    void removeAntiItem();
    SevenZip::HRESULT openOutputFile(SevenZip::ISequentialOutStream **outStream);
    void reportItemError(ErrorDefine::ErrorCode error, const QString &msg);
    void dropOutFileStream();
    void emitProgress(SevenZip::UInt64 completed);

    SevenZip::LibraryFunctions m_library;
    setupmanager *m_runner;
    SevenZip::IInArchive *archive = nullptr;
    TargetFolder m_target;
    QVector<FolderStamp> m_folders;
    quint32 m_creationMask = 0;
    int m_itemErrors = 0;
    QString m_watchedItem;
    bool m_watchedItemUnpacked = false;
    QString relativePath;
    QString filePath;
    QString diskFilePath;
    bool extractMode = false;
    ItemInfo item;
    COutFileStream *outFileStream = nullptr;
    bool passwordIsDefined = false;
    QString password;
    SevenZip::UInt64 totalSize = 0;
    QElapsedTimer m_progressClock;
    std::atomic<qint64> m_lastProgressMs{-1};
};

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

class backgroundsync;

// The "<name>_tmp" file a package is downloaded into: opened and locked
// before its record is looked at, so a second downloader of the same file
// changes nothing, and preallocated, so a disk too small says so before a
// byte is fetched.
class packagefile
{
public:
    enum class Opened { Created, Existing, Failed, Locked, NoSpace, TooLarge };
    enum class Written { Done, WriteFailed, FlushFailed };

    Opened open(const QString &path, qint64 size);
    bool isOpen() const { return m_file != nullptr; }
    // Writes all of data at position; slowWrite tells whether it took into
    // another clock second.
    Written writeAt(qint64 position, const QByteArray &data, bool *slowWrite);
    bool syncData();
    // The same on sync's thread; false when it cannot start.
    bool startBackgroundSync(backgroundsync &sync);
    void close();

private:
    Opened preallocate(qint64 size, bool createdNow);

    std::unique_ptr<QFile> m_file;
};

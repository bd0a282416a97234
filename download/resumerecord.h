#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVector>

#include <memory>

// How far an interrupted download of one package has come, kept in the
// per-user settings store: group = the package's file name; keys = the
// segment numbers ("0", "1", ...) holding the bytes of each segment on disk,
// "segments" (absent in records of single-connection downloads), "size",
// "validator" (the server's ETag or Last-Modified), "path" (the temporary
// file) and "digestPending".
class resumerecord
{
public:
    resumerecord();
    ~resumerecord();

    void setPackage(const QString &fileName, const QString &tempPath);

    // A record of another folder's file of the same name is neither read nor
    // changed here. Records from before the path was noted count as ours.
    bool belongsHere();
    // The bytes of each segment for a package of total bytes, or an empty
    // vector when there is no record or it does not fit that package.
    QVector<qint64> segmentSizes(qint64 total);
    QByteArray validator();
    void save(const QVector<qint64> &sizes, qint64 total, const QByteArray &validator);
    void remove();
    bool digestPending();
    void setDigestPending(bool pending);

    // Segment i of count over total bytes: [sliceStart(i), sliceStart(i + 1)).
    static qint64 sliceStart(qint64 total, int count, int index);

private:
    QSettings &store();
    QString key(const QString &name) const;
    bool fits(const QVector<qint64> &sizes, qint64 total) const;

    std::unique_ptr<QSettings> m_settings;
    QString m_name;
    QString m_tempPath;
};

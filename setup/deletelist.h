#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The package's list of obsolete files: one path per line, relative to the
// install folder.
class DeleteList
{
public:
    // The non-blank lines, trimmed: UTF-8, or UTF-16 LE/BE after its
    // byte-order mark (what Windows tools write by default).
    static QStringList entries(const QByteArray &bytes);
    // Deletes what entry names (a file, a link itself, or a folder with all it
    // holds) when it lies strictly inside installDir and is reached from there
    // without links; anything else is left alone. The path that could not be
    // deleted, or an empty string.
    static QString apply(const QString &installDir, const QString &entry);
};

#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Archives made by the tests with Debian's 7z, and trees to compare.
namespace ArchiveFixture {

void writeFile(const QString &path, const QByteArray &content);
// Runs "7z ARGS" in workDir; true on exit code 0.
bool run7z(const QStringList &args, const QString &workDir, QByteArray *output = nullptr);
// Packs everything inside sourceDir into archivePath ("7z a [extra] archive .").
bool pack(const QString &sourceDir, const QString &archivePath, const QStringList &extra = {});
// Unpacks with "7z x" into targetDir, the reference we compare with.
bool unpackWith7z(const QString &archivePath, const QString &targetDir);
// A zip written entry by entry, for names 7z refuses to store; symlink
// entries carry their target as content.
struct ZipEntry
{
    QString name;
    QByteArray content;
    bool symlink = false;
    bool dosReadOnly = false; // made on Windows, with the read-only attribute
};
bool writeZip(const QString &archivePath, const QList<ZipEntry> &entries);
// An archive of one item without a name ("7z a -si").
bool packUnnamed(const QByteArray &content, const QString &archivePath);
// Flips one byte inside the first occurrence of marker in the file.
bool flipByteAfter(const QString &path, const QByteArray &marker);
// relative path -> "d" for folders, "f <size> <md5>" for files, "l" for links.
QMap<QString, QString> listTree(const QString &dir);

} // namespace ArchiveFixture

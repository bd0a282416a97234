#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Archives made by the tests with Debian's 7z and python's zipfile, and trees to compare.
namespace ArchiveFixture {

void writeFile(const QString &path, const QByteArray &content);
QByteArray readFile(const QString &path);
// Runs "7z ARGS" in workDir; true on exit code 0.
bool run7z(const QStringList &args, const QString &workDir);
// Packs everything inside sourceDir into archivePath ("7z a [extra] archive .").
bool pack(const QString &sourceDir, const QString &archivePath, const QStringList &extra = {});
// A zip written entry by entry, names stored as given. Each entry is
// "name|content|attributes": attributes are an octal Unix mode ("100644" by
// default, "40755" for names ending in "/", "120777" a link), "dos<hex>" for
// an entry made on Windows, "raw" to store UTF-8 names without their flag, or
// "utf-..." to store the content in that encoding.
bool writeZip(const QString &archivePath, const QStringList &entries);
// Damages an archive: "flip:<marker>" flips a byte inside the marker, "cut:N"
// cuts the file before its Nth entry header (local, "PK\3\4"), "nocd" drops
// the central directory.
bool damage(const QString &path, const QString &how);
// relative path -> "d" for folders, "f <size> <md5>" for files, "l" for links.
QMap<QString, QString> listTree(const QString &dir);

} // namespace ArchiveFixture

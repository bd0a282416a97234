#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The folder an archive is unpacked into, and the folders below it that items
// are placed in. Nothing is placed outside it: a link met on the way counts
// only when it leads back inside.
class TargetFolder
{
public:
    enum class Placement { Ready, Missing, Outside, Failed };

    void open(const QString &folder);
    // The folder with a trailing separator: relative paths are appended.
    const QString &path() const { return m_path; }

    // The first count components made (create) or found real folders, or
    // links leading inside. failedFolder names the one that could not be made.
    Placement reachFolder(const QStringList &components, int count, bool create, QString *failedFolder);
    bool linkStaysInside(const QString &path) const;
    // The folder at relativePath was removed, with everything below it.
    void forgetFolder(const QString &relativePath);

private:
    QString m_path;
    QString m_canonicalRoot;
    // Folders below the root (relative paths) found or made real folders, or
    // links leading inside, during this extraction: each is checked once.
    QSet<QString> m_knownFolders;
};

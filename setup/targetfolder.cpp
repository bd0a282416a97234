#include "setup/targetfolder.h"

#include "setup/extractpath.h"
#include "setup/fileoperations.h"

void TargetFolder::open(const QString &folder)
{
    m_path = folder;
    if (!m_path.endsWith(QLatin1Char('\\')) && !m_path.endsWith(QLatin1Char('/')))
        m_path += QLatin1Char('/');
    // Resolved once: items are placed by name below it, links judged against it.
    m_canonicalRoot = FileOperations::canonicalPath(m_path);
    m_knownFolders.clear();
}

TargetFolder::Placement TargetFolder::reachFolder(const QStringList &components, int count, bool create,
                                                  QString *failedFolder)
{
    if (count <= 0)
        return Placement::Ready;
    QString relative = QStringList(components.mid(0, count)).join(QLatin1Char('/'));
    if (m_knownFolders.contains(relative))
        return Placement::Ready;
    relative.clear();
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            relative += QLatin1Char('/');
        relative += components.at(i);
        if (m_knownFolders.contains(relative))
            continue;
        const QString folder = m_path + relative;
        switch (create ? FileOperations::makeFolder(folder) : FileOperations::entryKind(folder)) {
        case FileOperations::EntryKind::Folder:
            break;
        case FileOperations::EntryKind::Link:
            if (!linkStaysInside(folder))
                return Placement::Outside;
            break;
        case FileOperations::EntryKind::Missing:
        case FileOperations::EntryKind::Other:
            if (!create)
                return Placement::Missing;
            *failedFolder = folder;
            return Placement::Failed;
        }
        m_knownFolders.insert(relative);
    }
    return Placement::Ready;
}

bool TargetFolder::linkStaysInside(const QString &path) const
{
    return ExtractPath::isInside(m_canonicalRoot, FileOperations::canonicalPath(path));
}

void TargetFolder::forgetFolder(const QString &relativePath)
{
    const QString below = relativePath + QLatin1Char('/');
    m_knownFolders.remove(relativePath);
    for (auto it = m_knownFolders.begin(); it != m_knownFolders.end();)
        it = it->startsWith(below) ? m_knownFolders.erase(it) : std::next(it);
}

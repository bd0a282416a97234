#include "setup/deletelist.h"

#include "setup/extractpath.h"
#include "setup/fileoperations.h"

#include <QDebug>
#include <QTextCodec>

QStringList DeleteList::entries(const QByteArray &bytes)
{
    // The byte-order mark picks the codec and is dropped; without one, UTF-8.
    const QTextCodec *codec = QTextCodec::codecForUtfText(bytes, QTextCodec::codecForMib(106));
    QStringList result;
    for (const QString &line : codec->toUnicode(bytes).split(QLatin1Char('\n'))) {
        const QString entry = line.trimmed();
        if (!entry.isEmpty())
            result << entry;
    }
    return result;
}

QString DeleteList::apply(const QString &installDir, const QString &entry)
{
    using FileOperations::EntryKind;
    QStringList components;
    // The install folder itself is never an entry's to remove.
    if (!ExtractPath::split(entry, &components, ExtractPath::ParentParts::Resolved) || components.isEmpty()) {
        qWarning().noquote() << "deletefiles.txt: entry outside the install folder skipped:" << entry;
        return QString();
    }
    QString path = installDir;
    for (int i = 0; i + 1 < components.size(); ++i) {
        path += QLatin1Char('/') + components.at(i);
        const EntryKind kind = FileOperations::entryKind(path);
        if (kind == EntryKind::Missing)
            return QString();
        if (kind != EntryKind::Folder) {
            qWarning().noquote() << "deletefiles.txt: entry reached through a link skipped:" << entry;
            return QString();
        }
    }
    path += QLatin1Char('/') + components.last();
    switch (FileOperations::entryKind(path)) {
    case EntryKind::Missing:
        return QString();
    case EntryKind::Folder:
        return FileOperations::removeTree(path) ? QString() : path;
    case EntryKind::Link:
    case EntryKind::Other:
        break;
    }
    return FileOperations::deleteAlways(path) ? QString() : path;
}

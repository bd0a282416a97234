#pragma once

#include "setup/archiveinterfaces.h"

#include <QString>

// Reads what the library says about one item of an open archive: its path,
// whether it is a folder or a deletion mark, its attributes and time. A value
// of an unexpected type is a failure, so nothing is guessed.
class ArchiveItem
{
public:
    struct Properties
    {
        SevenZip::UInt64 modificationTime = 0;
        SevenZip::UInt32 attributes = 0;
        bool isFolder = false;
        bool attributesDefined = false;
        bool timeDefined = false;
        bool isAnti = false;
    };

    ArchiveItem(const SevenZip::LibraryFunctions &library, SevenZip::IInArchive *archive, SevenZip::UInt32 index);

    // The name as stored, "[Content]" for an item without one.
    SevenZip::HRESULT readPath(QString *path) const;
    // Fills in only what the archive defines; the rest is left as it was.
    SevenZip::HRESULT readProperties(Properties *properties) const;

private:
    // The modification time, then the size the library expects to be read.
    SevenZip::HRESULT readTime(Properties *properties) const;

    const SevenZip::LibraryFunctions &m_library;
    SevenZip::IInArchive *m_archive;
    SevenZip::UInt32 m_index;
};

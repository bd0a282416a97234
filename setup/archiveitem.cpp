#include "setup/archiveitem.h"

#include "setup/fileoperations.h"

using namespace SevenZip;

ArchiveItem::ArchiveItem(const LibraryFunctions &library, IInArchive *archive, UInt32 index)
    : m_library(library)
    , m_archive(archive)
    , m_index(index)
{}

HRESULT ArchiveItem::readPath(QString *path) const
{
    LibraryProperty prop{m_library};
    const HRESULT result = m_archive->GetProperty(m_index, PropId::Path, &prop.value);
    if (result != S_OK)
        return result;
    if (prop.value.vt == VT_EMPTY) {
        *path = QStringLiteral("[Content]");
        return S_OK;
    }
    if (prop.value.vt != VT_BSTR)
        return E_FAIL;
    const BSTR text = prop.value.bstrVal;
    *path = FileOperations::nameFromLibrary(text ? QString::fromWCharArray(text) : QString());
    return S_OK;
}

HRESULT ArchiveItem::readProperties(Properties *properties) const
{
    LibraryProperty attributes{m_library};
    HRESULT result = m_archive->GetProperty(m_index, PropId::Attrib, &attributes.value);
    if (result != S_OK)
        return result;
    if (attributes.value.vt == VT_UI4) {
        properties->attributes = attributes.value.ulVal;
        properties->attributesDefined = true;
    } else if (attributes.value.vt != VT_EMPTY) {
        return E_FAIL;
    }

    LibraryProperty isFolder{m_library};
    result = m_archive->GetProperty(m_index, PropId::IsDir, &isFolder.value);
    if (result != S_OK)
        return result;
    if (isFolder.value.vt == VT_BOOL)
        properties->isFolder = isFolder.value.boolVal != 0;
    else if (isFolder.value.vt != VT_EMPTY)
        return E_FAIL;

    LibraryProperty anti{m_library};
    result = m_archive->GetProperty(m_index, PropId::IsAnti, &anti.value);
    if (result != S_OK)
        return result;
    properties->isAnti = anti.value.vt == VT_BOOL && anti.value.boolVal != 0;
    return readTime(properties);
}

HRESULT ArchiveItem::readTime(Properties *properties) const
{
    LibraryProperty time{m_library};
    const HRESULT result = m_archive->GetProperty(m_index, PropId::MTime, &time.value);
    if (result != S_OK)
        return result;
    if (time.value.vt == VT_FILETIME) {
        const FILETIME &fileTime = time.value.filetime;
        properties->modificationTime = (UInt64(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
        properties->timeDefined = true;
    } else if (time.value.vt != VT_EMPTY) {
        return E_FAIL;
    }
    // The size is read as the library expects but not needed; an odd type is ignored.
    LibraryProperty size{m_library};
    return m_archive->GetProperty(m_index, PropId::Size, &size.value);
}

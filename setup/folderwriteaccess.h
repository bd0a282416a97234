#pragma once

#include <QString>

// Opens the folder that holds an entry for writing while this object lives,
// when that folder is a real folder of ours without its owner's write or search
// bit: an earlier install (or the player) can leave folders read-only, and
// `7z x -y` still replaces and adds the files in them. The folder's own mode
// comes back afterwards; a folder the archive lists gets the archive's mode
// when the run ends. A link is never opened up, nor a folder of another user.
class FolderWriteAccess
{
public:
    explicit FolderWriteAccess(const QString &entryPath);
    ~FolderWriteAccess();
    FolderWriteAccess(const FolderWriteAccess &) = delete;
    FolderWriteAccess &operator=(const FolderWriteAccess &) = delete;

    // True when the folder was read-only and is open now: worth a second try.
    bool opened() const { return m_opened; }

private:
    QString m_folder;
    unsigned m_mode = 0;
    bool m_opened = false;
};

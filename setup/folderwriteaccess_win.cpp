#include "setup/folderwriteaccess.h"

// The read-only attribute of a Windows folder does not stop anything being
// written in it: there is nothing to open.
FolderWriteAccess::FolderWriteAccess(const QString &) {}

FolderWriteAccess::~FolderWriteAccess() = default;

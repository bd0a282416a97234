#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QFileInfo>

// A copy shipped beside the program wins over the system's.
QString setupmanager::defaultLibraryFileName()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/7z.so");
    if (QCoreApplication::instance() && QFileInfo::exists(beside))
        return beside;
    return QStringLiteral("/usr/lib/p7zip/7z.so");
}

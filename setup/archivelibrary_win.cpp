#include "setup/setupmanager.h"

QString setupmanager::defaultLibraryFileName()
{
    return QStringLiteral("7z.dll");
}

#include "support/testpaths.h"

namespace TestPaths {

QString sourceDir()
{
    return QStringLiteral(LAUNCHER_SOURCE_DIR);
}

QString binaryDir()
{
    return QStringLiteral(LAUNCHER_BINARY_DIR);
}

QString programDir()
{
    return binaryDir() + QStringLiteral("/bin");
}

} // namespace TestPaths

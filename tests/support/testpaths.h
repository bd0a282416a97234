#pragma once

#include <QString>

// Where the tests find the source tree, the build tree and its programs.
namespace TestPaths {
inline QString sourceDir()
{
    return QStringLiteral(LAUNCHER_SOURCE_DIR);
}
inline QString binaryDir()
{
    return QStringLiteral(LAUNCHER_BINARY_DIR);
}
inline QString programDir() // bin/ of the build: tools and the language folder
{
    return binaryDir() + QStringLiteral("/bin");
}
} // namespace TestPaths

#pragma once

#include <QString>

// Where the tests find the source tree, the build tree and its programs.
struct TestPaths
{
    static QString sourceDir() { return QStringLiteral(LAUNCHER_SOURCE_DIR); }
    static QString binaryDir() { return QStringLiteral(LAUNCHER_BINARY_DIR); }
    // bin/ of the build: tools and the language folder
    static QString programDir() { return binaryDir() + QStringLiteral("/bin"); }
};

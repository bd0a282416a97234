#pragma once

#include <QString>

// Where the tests find the source tree and the build's programs.
struct TestPaths
{
    static QString sourceDir() { return QStringLiteral(LAUNCHER_SOURCE_DIR); }
    // bin/ of the build: tools and the language folder
    static QString programDir() { return QStringLiteral(LAUNCHER_BINARY_DIR "/bin"); }
};

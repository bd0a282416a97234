#pragma once

#include <QString>

// Where the tests find the source tree, the build tree and its programs.
namespace TestPaths {
QString sourceDir();
QString binaryDir();
QString programDir(); // bin/ of the build: tools and the language folder
} // namespace TestPaths

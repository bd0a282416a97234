#!/usr/bin/env bash
# The whole test suite on a fresh Debian 12 machine: packages, build, CTest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}

if [ "${SKIP_DEPS:-0}" != 1 ]; then
    bash "$here/tools/install-deps.sh"
fi
BUILD_DIR=$build bash "$here/tools/build.sh"

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --timeout 600 -j "$(nproc)"

# The Windows branches, compiled for Windows (syntax only) after the tests.
BUILD_DIR=$build bash "$here/tools/check-windows.sh"

#!/usr/bin/env bash
# The program's main job on a fresh Debian 12 machine: packages, build, run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}

if [ "${SKIP_DEPS:-0}" != 1 ]; then
    bash "$here/tools/install-deps.sh"
fi
BUILD_DIR=$build bash "$here/tools/build.sh"

echo "The installer window is not built yet; the libraries and tools are in $build/bin."

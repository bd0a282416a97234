#!/usr/bin/env bash
# The program's main job on a fresh Debian 12 machine: packages, build, then a
# whole installation against the local launcher service: fetch the current
# package with resume and digest check, unpack it into the install folder and
# start the game. The installer window drives the same pieces once it exists.
#
#   bash tools/run.sh [INSTALL_FOLDER]     (default: ~/Games/Aurelith)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
folder=${1:-${INSTALL_DIR:-$HOME/Games/Aurelith}}

if [ "${SKIP_DEPS:-0}" != 1 ]; then
    bash "$here/tools/install-deps.sh"
fi
BUILD_DIR=$build bash "$here/tools/build.sh"

export LOCAL_SERVICE_DIR=${LOCAL_SERVICE_DIR:-$build/local-service}
bash "$here/tools/local-service.sh" start
# shellcheck disable=SC1091
. "$LOCAL_SERVICE_DIR/service.env"

mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
echo "Installing Aurelith $PACKAGE_VERSION from $PACKAGE_URL into $folder"
"$build/bin/fetch_package" "$PACKAGE_URL" "$folder" "$PACKAGE_MD5"
"$build/bin/unpack_package" "$folder" "${PACKAGE_URL##*/}"

echo "Installed. Starting $folder/$GAME_ENTRY"
exec "$folder/$GAME_ENTRY"

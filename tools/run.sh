#!/usr/bin/env bash
# The program's main job on a fresh Debian 12 machine: packages, build, the
# local launcher service, then the installer window against it.
#
#   bash tools/run.sh
#
# Without a display ($DISPLAY unset) the window runs on a virtual screen
# (Xvfb): once it has drawn its page a screenshot is saved (SCREENSHOT, default
# build/window.png), its path printed, and the window closed. The service keeps
# running either way; `bash tools/local-service.sh stop` ends it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}

if [ "${SKIP_DEPS:-0}" != 1 ]; then
    bash "$here/tools/install-deps.sh"
fi
BUILD_DIR=$build bash "$here/tools/build.sh"

export LOCAL_SERVICE_DIR=${LOCAL_SERVICE_DIR:-$build/local-service}
bash "$here/tools/local-service.sh" start
# shellcheck disable=SC1091
. "$LOCAL_SERVICE_DIR/service.env"
export LAUNCHER_API_BASE=$API_BASE LAUNCHER_WEB_BASE=$WEB_BASE LAUNCHER_REPORT_BASE=$REPORT_BASE
# Chromium refuses to run as root inside its sandbox.
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi

program=$build/bin/aurelith_launcher
# The install folder recorded beside the program is forgotten when it is gone
# (a test suite of an older tree recorded its own temporary one there): the
# window then starts from the default folder, ~/Games/Aurelith.
ini=$build/bin/config.ini
recorded=$(sed -n 's/^game_install_path=//p' "$ini" 2>/dev/null | head -n 1 || true)
if [ -n "$recorded" ] && [[ $recorded != *\\* ]] && [ ! -d "$recorded" ]; then
    sed -i '/^game_install_path=/d' "$ini"
fi
if [ -n "${DISPLAY:-}" ]; then
    exec "$program"
fi

shot=$(realpath -m "${SCREENSHOT:-$build/window.png}")
export program shot
# The screen is the window's size, so the screenshot is the window.
xvfb-run -a -s "-screen 0 1280x730x24 -nolisten tcp" bash -c '
    QT_QPA_PLATFORM=xcb "$program" &
    pid=$!
    timeout 120 xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
    sleep "${SCREENSHOT_DELAY:-10}"   # the web view and the first answers
    import -window root "$shot"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
'
echo "Screenshot of the window: $shot"

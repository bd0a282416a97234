#!/usr/bin/env bash
# Builds the Debian package and checks its files, its control fields, its desktop entry and metadata, and that the
# installed program keeps config.ini per user.
set -euo pipefail
build=$1 with_program=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -f "$build"/aurelith-launcher_*.deb
cmake --build "$build" --target package >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/aurelith-launcher_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(applications/com.tavoro.AurelithLauncher.desktop metainfo/com.tavoro.AurelithLauncher.metainfo.xml
    aurelith-launcher/language/i18n_{en,ja,ko,vi,id,zh_tw,zh_cn}.qm)
for size in 16 24 32 48 64 128 256; do expected+=("icons/hicolor/${size}x$size/apps/aurelith-launcher.png"); done
for f in "${expected[@]}"; do grep -qxF "./usr/share/$f" <<<"$files" || fail "$f missing"; done
stray=$(grep -vE '^\./usr/(|bin/|bin/aurelith_launcher|share/.*)$' <<<"$files" || true)
[ -z "$stray" ] || fail "unexpected files: $stray"

depends=$(dpkg-deb -I "$deb" | sed -n 's/^ Depends: //p')
needed=(p7zip-full qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls
    qml-module-qtquick-controls2 qml-module-qtquick-dialogs qml-module-qtwebengine)
[ "$with_program" = 1 ] && needed+=(libqt5core5a libqt5webengine5)
for p in "${needed[@]}"; do grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"; done

root=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >/dev/null || fail "AppStream metadata"
[ "$with_program" = 1 ] || exit 0

grep -qE '^\./usr/bin/aurelith_launcher$' <<<"$files" || fail "program missing"
mkdir -p "$root/home" "$root/tmp" && mkdir -m 700 "$root/run"
# -noreset: the server must not start over each time the last client (the search below) leaves.
Xvfb -displayfd 3 -screen 0 1280x800x24 -noreset 3>"$root/display" 2>/dev/null &
for _ in $(seq 100); do [ -s "$root/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$root/display")"
# Started as the menu does, by the entry's command; unused service ports; home, temp and runtime folders apart from any
# other copy.
env -u QT_QPA_PLATFORM PATH="$root/usr/bin:$PATH" HOME="$root/home" TMPDIR="$root/tmp" XDG_RUNTIME_DIR="$root/run" \
    QTWEBENGINE_DISABLE_SANDBOX=1 LAUNCHER_API_BASE=http://127.0.0.1:9 LAUNCHER_WEB_BASE=http://127.0.0.1:9 \
    LAUNCHER_REPORT_BASE=http://127.0.0.1:9 $(sed -n 's/^Exec=//p' "$root"/usr/share/applications/*.desktop) \
    >"$root/program.log" 2>&1 &
program=$!
# xdotool gives up when a window closes while it walks the tree: search again until one shows.
shown=0 deadline=$((SECONDS + 60))
while [ $SECONDS -lt $deadline ] && kill -0 $program 2>/dev/null; do
    if xdotool search --onlyvisible --pid $program >/dev/null 2>&1; then shown=1 && break; fi
    sleep 0.5
done
[ $shown = 1 ] || fail "no window: $(tail -5 "$root/program.log")"
[ -f "$root/home/.config/Tavoro/Aurelith Launcher/config.ini" ] || fail "no config.ini below ~/.config"
[ "$(ls "$root/usr/bin")" = aurelith_launcher ] || fail "files written beside the program: $(ls "$root/usr/bin")"

#!/usr/bin/env bash
# A whole installation of a 1 GiB package from the local service through the
# installer window (download with ranges, MD5 digest, extraction through
# 7z.so), against curl + md5sum + 7z x of the same package one after another.
# Both in one run; the installer's time is the one it logs itself from the
# press of the install button to the recorded version (LAUNCHER_STALL_LOG=1),
# together with the longest its GUI thread was kept from its events and how
# long the verifying stage took after the last byte had arrived.
# Last line: ratio=<their total time / ours> (higher is better).
#
# BENCH_BUILD_DIR (default build-bench)  Release build of aurelith_launcher
# BENCH_PORT      (default 0: a free one) port of the benchmark's own service
# PACKAGE_MB      (default 1024)         bulk data in the package
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$here/build-bench}
work=$build/bench-install
export LOCAL_SERVICE_PORT=${BENCH_PORT:-0}
export LOCAL_SERVICE_DIR=$work/service
export LOCAL_SERVICE_PACKAGE_MB=${PACKAGE_MB:-1024}
export QTWEBENGINE_DISABLE_SANDBOX=1

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target aurelith_launcher -j2 >/dev/null

mkdir -p "$work"
echo "starting the local service with a ${LOCAL_SERVICE_PACKAGE_MB} MiB package (made once) ..."
bash "$here/tools/local-service.sh" start >/dev/null
launcher_pid=
xvfb_pid=
cleanup() {
    [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    bash "$here/tools/local-service.sh" stop >/dev/null || true
}
trap cleanup EXIT
# shellcheck disable=SC1091
source "$LOCAL_SERVICE_DIR/service.env"

now() { date +%s.%N; }

# Theirs: one tool after another.
rm -rf "$work/theirs" && mkdir -p "$work/theirs/game"
sync
start=$(now)
curl -fsS -o "$work/theirs/package.7z" "$PACKAGE_URL"
t_curl=$(now)
digest=$(md5sum "$work/theirs/package.7z" | cut -d' ' -f1)
t_md5=$(now)
7z x -y -o"$work/theirs/game" "$work/theirs/package.7z" >/dev/null
t_7z=$(now)
[ "$digest" = "$PACKAGE_MD5" ] || { echo "curl fetched a package with another digest" >&2; exit 1; }
rm -f "$work/theirs/package.7z"

# Ours: the real window under Xvfb, a fresh home, the install button pressed.
# A copy of the program of its own: its config.ini and the plugin land beside it.
rm -rf "$work/home" "$work/ours" "$work/bin" && mkdir -p "$work/home" "$work/ours" "$work/bin"
cp "$build/bin/aurelith_launcher" "$work/bin/"
ln -s "$build/bin/language" "$work/bin/language"
program=$work/bin/aurelith_launcher
printf '[General]\ngame_install_path=%s\nproxy=0\n' "$work/ours" >"$work/bin/config.ini"
sync
# Our own X server, so every pid here is one this script started.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
    LAUNCHER_API_BASE=$API_BASE LAUNCHER_WEB_BASE=$WEB_BASE LAUNCHER_REPORT_BASE=$REPORT_BASE \
    LAUNCHER_STALL_LOG=1 "$program" >"$work/launcher.log" 2>&1 &
launcher_pid=$!

wait_for() { # seconds, command...
    local limit=$1
    shift
    for _ in $(seq 1 $((limit * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    echo "timed out waiting for: $*" >&2
    tail -n 20 "$work/launcher.log" >&2
    return 1
}
window() { xdotool search --onlyvisible --pid "$launcher_pid" 2>/dev/null | head -n 1; }
checked() { grep -q "action=GAME_LOADER_CHECK_UPDATE_FINISH" "$REPORT_LOG"; }
shown() { [ -n "$(window)" ]; }
wait_for 60 shown

wait_for 60 checked
sleep 1
xdotool mousemove --window "$(window)" 169 659 click 1
wait_for 1800 grep -q "install flow:" "$work/launcher.log"
line=$(grep "install flow:" "$work/launcher.log" | tail -n 1)
ours_ms=$(sed 's/.*install flow: \([0-9]*\) ms.*/\1/' <<<"$line")
stall_ms=$(sed 's/.*worst GUI stall \([0-9]*\) ms.*/\1/' <<<"$line")
verify_ms=$(sed -n 's/.*verifying after the last byte: \([0-9]*\) ms.*/\1/p' "$work/launcher.log" | tail -n 1)
kill "$launcher_pid" 2>/dev/null || true
wait "$launcher_pid" 2>/dev/null || true
launcher_pid=

rm -f "$work/ours/config.ini"
if diff -r "$work/theirs/game" "$work/ours" >/dev/null; then same=yes; else same=NO; fi
rm -rf "$work/theirs" "$work/ours"

python3 - "$start" "$t_curl" "$t_md5" "$t_7z" "$ours_ms" "$stall_ms" "$PACKAGE_SIZE" "$same" "${verify_ms:--1}" <<'PY'
import sys
start, curl, md5, sevenz = map(float, sys.argv[1:5])
ours = int(sys.argv[5]) / 1000.0
stall, size, same, verify = int(sys.argv[6]), int(sys.argv[7]), sys.argv[8], int(sys.argv[9]) / 1000.0
theirs = sevenz - start
print(f"package: {size / 2**20:.0f} MiB, install folder identical to 7z x: {same}")
print(f"curl {curl - start:.2f} s + md5sum {md5 - curl:.2f} s + 7z x {sevenz - md5:.2f} s = {theirs:.2f} s")
print(f"installer (download, digest, extraction): {ours:.2f} s")
print(f"worst GUI-thread stall during the installation: {stall} ms")
print(f"verifying stage after the last byte: {verify:.2f} s (md5sum of the package: {md5 - curl:.2f} s)")
print(f"ratio={theirs / ours:.3f}")
PY

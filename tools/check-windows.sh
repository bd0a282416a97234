#!/usr/bin/env bash
# Compiles every product source for Windows, syntax only: the Windows
# branches (the _win files and every Q_OS_WIN block) never build here
# otherwise, so this is what keeps them from rotting.
#
# It checks what a compiler can see without linking: types, declarations,
# Win32 calls and their argument types, Qt calls. It cannot link or run.
#
#   tools/check-windows.sh [FILE.cpp ...]
#
# Without arguments every product source (not tests, tools or benchmarks) is
# checked; _unix files are skipped. CXX_WINDOWS names the compiler (default
# x86_64-w64-mingw32-g++); BUILD_DIR a Linux build whose generated headers
# are used (configured here when it has none). Prints one line per file that
# fails, then "N passed, N failed"; exits non-zero on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
cxx=${CXX_WINDOWS:-x86_64-w64-mingw32-g++}
product_dirs=(app common dialogs download net report settings setup viewmodel)

if ! command -v "$cxx" >/dev/null; then
    echo "check-windows: no compiler '$cxx' (apt-get install g++-mingw-w64-x86-64-posix)" >&2
    exit 2
fi

# The one generated header the sources include comes from CMake's configure step.
if [ ! -f "$build/generated/launcherserviceconfig.h" ]; then
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} >/dev/null
fi

qt_headers=$(qmake -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt5)
flags=(-std=c++17 -fsyntax-only -DUNICODE -D_UNICODE -DQT_NO_DEBUG
       -I"$here" -I"$build/generated" -I"$qt_headers")
for module in "$qt_headers"/Qt*; do
    flags+=(-I"$module")
done

if [ $# -gt 0 ]; then
    sources=("$@")
else
    mapfile -t sources < <(cd "$here" && git ls-files -- "${product_dirs[@]/%//*.cpp}" \
        | grep -v '_unix\.cpp$' | sed "s|^|$here/|")
fi

log=$(mktemp -d)
trap 'rm -rf "$log"' EXIT

result_name() { echo "${1#"$here"/}" | tr '/' '_'; }

check_one() {
    local source=$1 out
    out="$log/$(result_name "$source").err"
    if ! "$cxx" "${flags[@]}" "$source" >"$out" 2>&1; then
        echo "FAILED ${source#"$here"/}: $(grep -m1 'error' "$out" || head -n1 "$out")"
        return 1
    fi
}

passed=0
failed=0
running=0
jobs=$(nproc)
for source in "${sources[@]}"; do
    check_one "$source" >"$log/$(result_name "$source").result" 2>&1 &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
    fi
done
wait || true

for source in "${sources[@]}"; do
    result="$log/$(result_name "$source").result"
    if [ -s "$result" ]; then
        cat "$result"
        failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

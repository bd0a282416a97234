#!/usr/bin/env bash
# snapshot|compare BIN_DIR LIST: the files in the built program's folder, by
# name, size and time, before the suite and after it.
set -euo pipefail
action=$1 bin=$2 list=$3
state() { find "$bin" -maxdepth 1 ! -type d -printf '%f %s %T@\n' | sort; }
case $action in
snapshot) state >"$list" ;;
compare)
    if ! diff "$list" <(state); then
        echo "tests wrote beside the built program in $bin (< before, > after)" >&2
        exit 1
    fi
    ;;
*) exit 2 ;;
esac

#!/usr/bin/env bash
# The Windows syntax check must catch a broken Win32 call: a copy of a _win source with a misspelt function fails with
# its own line, the untouched source passes, and the script's exit code says which.
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
check=$here/tools/check-windows.sh
source_file=$here/report/deviceinfo_win.cpp
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

broken=$scratch/deviceinfo_broken_win.cpp
sed 's/GlobalMemoryStatusEx(/GlobalMemoryStatusExx(/' "$source_file" >"$broken"
cmp -s "$source_file" "$broken" && fail "the planted misspelling did not change the copy"

out=$(bash "$check" "$source_file" "$broken" 2>&1) && fail "a misspelt Win32 call passed: $out"
echo "$out"
grep -q "^FAILED .*deviceinfo_broken_win.cpp: .*GlobalMemoryStatusExx" <<<"$out" \
    || fail "no line names the broken file and its call"
grep -q "deviceinfo_win.cpp" <<<"$out" && fail "the untouched source was reported"
[ "$(tail -n1 <<<"$out")" = "1 passed, 1 failed" ] || fail "closing line is wrong"
echo "1 passed, 0 failed"

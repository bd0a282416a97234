#!/usr/bin/env bash
# Digest throughput: the launcher's MD5 worker (fetch_package --digest)
# against md5sum, on the same 1 GiB incompressible file, same run.
# The file is read once beforehand so both read it from the page cache.
#
# BENCH_BUILD_DIR (default build-bench); RUNS (default 3), median counts.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$here/build-bench}
runs=${RUNS:-3}
# The download benchmark's 1 GiB package when it is there.
file=${BENCH_FILE:-$build/bench-service/www/packages/bench_1024M.bin}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target fetch_package -j2 >/dev/null
tool=$build/bin/fetch_package

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", b - a }'; }
mib_per_s() { awk -v bytes="$1" -v s="$2" 'BEGIN { printf "%.1f", bytes / 1048576 / s }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" -ne 1073741824 ]; then
    mkdir -p "$(dirname "$file")"
    head -c 1073741824 /dev/urandom >"$file.part"
    mv "$file.part" "$file"
fi
bytes=$(stat -c %s "$file")
cat "$file" >/dev/null

ours_times=$(mktemp)
reference_times=$(mktemp)
trap 'rm -f "$ours_times" "$reference_times"' EXIT
for _ in $(seq 1 "$runs"); do
    start=$(now)
    ours=$("$tool" --digest "$file" | cut -d' ' -f1)
    seconds "$start" "$(now)" >>"$ours_times"
    start=$(now)
    reference=$(md5sum "$file" | cut -d' ' -f1)
    seconds "$start" "$(now)" >>"$reference_times"
    if [ "$ours" != "$reference" ]; then
        echo "digests differ: $ours (md5checkworker) vs $reference (md5sum)" >&2
        exit 1
    fi
done
ours_s=$(median <"$ours_times")
reference_s=$(median <"$reference_times")
echo "MD5 of $((bytes / 1048576)) MiB, median of $runs runs: digest $ours"
echo "md5checkworker ${ours_s} s ($(mib_per_s "$bytes" "$ours_s") MiB/s), md5sum ${reference_s} s ($(mib_per_s "$bytes" "$reference_s") MiB/s)"
awk -v a="$reference_s" -v b="$ours_s" 'BEGIN { printf "ratio=%.2f\n", a / b }'

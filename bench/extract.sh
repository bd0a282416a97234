#!/usr/bin/env bash
# Unpacks one ~1 GiB package (incompressible and compressible content) with
# our unpack_package and with Debian's `7z x`, both through the same 7z.so.
# Prints both throughputs, progress signals per second reaching the tool's
# main thread, peak RSS, and last the line ratio=<ours/7z x>.
# The package is built once into build-bench/bench-extract/cache.
#
# BENCH_BUILD_DIR (default build-bench)  Release build of unpack_package
# ROUNDS          (default 3)            best round counts
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$here/build-bench}
cache=$build/bench-extract/cache
work=$build/bench-extract/work
rounds=${ROUNDS:-3}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target unpack_package -j2 >/dev/null
tool=$build/bin/unpack_package

make_package() {
    local content=$cache/content
    rm -rf "$content"
    mkdir -p "$content/Data/Random" "$content/Data/Text"
    for i in $(seq 1 8); do
        head -c $((64 * 1024 * 1024)) /dev/urandom >"$content/Data/Random/blob$i.bin"
    done
    python3 - "$content/Data/Text" <<'PY'
import random, sys
words = ("aurelith launcher package install folder archive stream callback progress "
         "error metadata version player window scene texture shader level quest item "
         "sword shield dragon castle forest river mountain village").split()
rng = random.Random(7)
for n in range(8):
    with open(f"{sys.argv[1]}/log{n}.txt", "w") as out:
        written = 0
        while written < 64 * 1024 * 1024:
            line = " ".join(rng.choices(words, k=4096)) + f" {rng.random()}\n"
            out.write(line)
            written += len(line)
PY
    (cd "$content" && 7z a -mx1 "$cache/package.7z.part" . >/dev/null)
    mv "$cache/package.7z.part" "$cache/package.7z"
    rm -rf "$content"
}

mkdir -p "$cache"
if [ ! -f "$cache/package.7z" ]; then
    echo "building the package once into $cache ..."
    make_package
fi

# Prints "seconds peak_kib" of the command; its output goes to $2.
timed() {
    local log=$1
    shift
    /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >"$log" 2>&1
    cat "$work/time.txt"
}

best_ref=999999 best_ours=999999 rss_ref=0 rss_ours=0 progress_rate=0

run_reference() {
    rm -rf "$work/ref"
    mkdir -p "$work/ref"
    sync
    read -r secs rss < <(timed "$work/ref.log" 7z x -y -o"$work/ref" "$cache/package.7z")
    echo "round $round: 7z x            ${secs}s peak ${rss} KiB"
    best_ref=$(python3 -c "print(min($best_ref, $secs))")
    rss_ref=$((rss > rss_ref ? rss : rss_ref))
    rm -rf "$work/ref"
}

run_ours() {
    rm -rf "$work/ours"
    mkdir -p "$work/ours"
    sync
    # The run deletes its archive: hand it a hard link to the cached one.
    ln "$cache/package.7z" "$work/ours/package.7z"
    read -r secs rss < <(timed "$work/ours.log" "$tool" "$work/ours" package.7z)
    tail -n 1 "$work/ours.log" | grep -qx finished || { echo "unpack_package failed:"; tail "$work/ours.log"; exit 1; }
    echo "round $round: unpack_package  ${secs}s peak ${rss} KiB"
    best_ours=$(python3 -c "print(min($best_ours, $secs))")
    rss_ours=$((rss > rss_ours ? rss : rss_ours))
    progress_rate=$(grep '^signals ' "$work/ours.log" | python3 -c "
import sys
f = dict(kv.split('=') for kv in sys.stdin.read().split()[1:])
print(f\"{int(f['progress']) / float(f['seconds']):.1f} (progress={f['progress']} items={f['items']} in {f['seconds']} s)\")")
}

mkdir -p "$work"
# Alternate who goes first, so neither always meets the other's write-back.
for round in $(seq 1 "$rounds"); do
    if [ $((round % 2)) -eq 1 ]; then
        run_reference
        run_ours
    else
        run_ours
        run_reference
    fi
done

# Same names, sizes and contents as the reference.
mkdir -p "$work/ref"
7z x -y -o"$work/ref" "$cache/package.7z" >/dev/null
if diff -r "$work/ref" "$work/ours" >/dev/null; then same=yes; else same=NO; fi
bytes=$(du -sb "$work/ref" | cut -f1)
rm -rf "$work/ref" "$work/ours"

python3 - "$bytes" "$best_ref" "$best_ours" <<PY
import sys
size, ref, ours = int(sys.argv[1]), float(sys.argv[2]), float(sys.argv[3])
mib = size / 2**20
print(f"unpacked size: {mib:.0f} MiB, archive: $(($(stat -c %s "$cache/package.7z") / 1048576)) MiB, output identical to 7z x: $same")
print(f"7z x:           {mib / ref:.1f} MiB/s (best of $rounds, {ref:.2f} s), peak RSS $rss_ref KiB")
print(f"unpack_package: {mib / ours:.1f} MiB/s (best of $rounds, {ours:.2f} s), peak RSS $rss_ours KiB")
print("progress signals per second reaching the main thread: $progress_rate")
print(f"ratio={ref / ours:.3f}")
PY

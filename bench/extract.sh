#!/usr/bin/env bash
# Unpacks two packages with our unpack_package and with Debian's `7z x`, both
# through the same 7z.so: a large one (~1 GiB unpacked, incompressible and
# compressible content) and one of many small files (20,000 files of 1-4 KiB).
# For each it prints both throughputs, progress signals per second, peak RSS
# and a ratio line (ours / 7z x); last the line ratio=<the lower of the two>.
# The packages are built once into build-bench/bench-extract/cache.
#
# BENCH_BUILD_DIR (default build-bench)  Release build of unpack_package
# ROUNDS          (default 3)            best round counts, large package
# SMALL_ROUNDS    (default 5)            the same for the small files
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$here/build-bench}
cache=$build/bench-extract/cache
work=$build/bench-extract/work
rounds=${ROUNDS:-3}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target unpack_package -j2 >/dev/null
tool=$build/bin/unpack_package

make_large_package() {
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

# 20,000 files of 1-4 KiB in 200 folders, half random bytes, half text.
make_small_files_package() {
    local content=$cache/content
    rm -rf "$content"
    python3 - "$content" <<'PY'
import os, random, sys
rng = random.Random(11)
words = b"aurelith quest item sword shield dragon castle forest river village".split()
for n in range(20000):
    folder = os.path.join(sys.argv[1], "Assets", f"pack{n // 100:03d}")
    os.makedirs(folder, exist_ok=True)
    size = rng.randint(1024, 4096)
    if n % 2:
        data = rng.randbytes(size)
    else:
        data = b" ".join(rng.choice(words) for _ in range(size // 4))[:size]
    with open(os.path.join(folder, f"asset{n:05d}.dat"), "wb") as out:
        out.write(data)
PY
    (cd "$content" && 7z a -mx1 "$cache/smallfiles.7z.part" . >/dev/null)
    mv "$cache/smallfiles.7z.part" "$cache/smallfiles.7z"
    rm -rf "$content"
}

mkdir -p "$cache" "$work"
if [ ! -f "$cache/package.7z" ]; then
    echo "building the large package once into $cache ..."
    make_large_package
fi
if [ ! -f "$cache/smallfiles.7z" ]; then
    echo "building the small-files package once into $cache ..."
    make_small_files_package
fi

# Prints "seconds peak_kib" of the command; its output goes to $2.
timed() {
    local log=$1
    shift
    /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >"$log" 2>&1
    cat "$work/time.txt"
}

# Many files deleted just before a run make ext4 search longer for free
# inodes, whoever runs next: with $keep set, outputs stay until the end.
run_reference() {
    local archive=$1 out=$work/ref$round
    mkdir -p "$out"
    sync
    read -r secs rss < <(timed "$work/ref.log" 7z x -y -o"$out" "$archive")
    echo "round $round: 7z x            ${secs}s peak ${rss} KiB"
    best_ref=$(python3 -c "print(min($best_ref, $secs))")
    rss_ref=$((rss > rss_ref ? rss : rss_ref))
    [ -n "$keep" ] || rm -rf "$out"
}

run_ours() {
    local archive=$1 out=$work/ours$round
    mkdir -p "$out"
    sync
    # The run deletes its archive: hand it a hard link to the cached one.
    ln "$archive" "$out/$(basename "$archive")"
    read -r secs rss < <(timed "$work/ours.log" "$tool" "$out" "$(basename "$archive")")
    tail -n 1 "$work/ours.log" | grep -qx finished || { echo "unpack_package failed:"; tail "$work/ours.log"; exit 1; }
    echo "round $round: unpack_package  ${secs}s peak ${rss} KiB"
    best_ours=$(python3 -c "print(min($best_ours, $secs))")
    rss_ours=$((rss > rss_ours ? rss : rss_ours))
    # The last round's output is compared with the reference.
    [ -n "$keep" ] || [ "$round" -eq "$count" ] || rm -rf "$out"
    progress_rate=$(grep '^signals ' "$work/ours.log" | python3 -c "
import sys
f = dict(kv.split('=') for kv in sys.stdin.read().split()[1:])
print(f\"{int(f['progress']) / float(f['seconds']):.1f} (progress={f['progress']} items={f['items']} in {f['seconds']} s)\")")
}

# measure NAME ARCHIVE ROUNDS [keep]: prints the figures and NAME's ratio
# line; the ratio is left in $ratio.
measure() {
    local name=$1 archive=$2 count=$3
    keep=${4:-}
    best_ref=999999 best_ours=999999 rss_ref=0 rss_ours=0 progress_rate=0
    rm -rf "$work"/ref* "$work"/ours*
    echo "== $name"
    # Alternate who goes first, so neither always meets the other's write-back.
    for round in $(seq 1 "$count"); do
        if [ $((round % 2)) -eq 1 ]; then
            run_reference "$archive"
            run_ours "$archive"
        else
            run_ours "$archive"
            run_reference "$archive"
        fi
    done
    # Same names, sizes and contents as the reference.
    rm -rf "$work/ref"
    mkdir -p "$work/ref"
    7z x -y -o"$work/ref" "$archive" >/dev/null
    if diff -r "$work/ref" "$work/ours$count" >/dev/null; then same=yes; else same=NO; fi
    bytes=$(du -sb "$work/ref" | cut -f1)
    files=$(find "$work/ref" -type f | wc -l)
    rm -rf "$work"/ref* "$work"/ours*
    ratio=$(python3 - "$bytes" "$best_ref" "$best_ours" "$(stat -c %s "$archive")" <<PY
import sys
size, ref, ours, packed = int(sys.argv[1]), float(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4])
mib = size / 2**20
print(f"unpacked size: {mib:.0f} MiB in $files files, archive: {packed / 2**20:.0f} MiB, output identical to 7z x: $same",
      file=sys.stderr)
print(f"7z x:           {mib / ref:.1f} MiB/s (best of $count, {ref:.2f} s), peak RSS $rss_ref KiB", file=sys.stderr)
print(f"unpack_package: {mib / ours:.1f} MiB/s (best of $count, {ours:.2f} s), peak RSS $rss_ours KiB", file=sys.stderr)
print(f"{ref / ours:.3f}")
PY
)
    echo "progress signals per second reaching the tool: $progress_rate"
    echo "ratio_$name=$ratio"
}

measure large "$cache/package.7z" "$rounds" 2>&1
large=$ratio
measure many_small_files "$cache/smallfiles.7z" "${SMALL_ROUNDS:-5}" keep 2>&1
small=$ratio
python3 -c "print(f'ratio={min($large, $small):.3f}')"

#!/usr/bin/env bash
# Download throughput: fetch_package against `curl -o`, same URL, same run,
# from the local launcher service (nginx on 127.0.0.1).
#
# Packages are incompressible (/dev/urandom), 256 MiB and 1 GiB, so the peak
# resident memory of fetch_package can be seen not to grow with the size.
# Each side runs RUNS times (default 3), alternating; the median counts.
#
# BENCH_BUILD_DIR (default build-bench)  Release build of fetch_package
# BENCH_PORT      (default 18552)        port of the bench's own service
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$here/build-bench}
port=${BENCH_PORT:-18552}
runs=${RUNS:-3}
service=$build/bench-service
work=$build/bench-download

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target fetch_package -j2 >/dev/null
tool=$build/bin/fetch_package

export LOCAL_SERVICE_PORT=$port LOCAL_SERVICE_DIR=$service
bash "$here/tools/local-service.sh" start >/dev/null
trap 'bash "$here/tools/local-service.sh" stop >/dev/null' EXIT

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", b - a }'; }
mib_per_s() { awk -v bytes="$1" -v s="$2" 'BEGIN { printf "%.1f", bytes / 1048576 / s }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Random bytes, made once and kept between runs.
package() {
    local mib=$1 path=$service/www/packages/bench_${1}M.bin
    if [ ! -f "$path" ] || [ "$(stat -c %s "$path")" -ne $((mib * 1048576)) ]; then
        head -c $((mib * 1048576)) /dev/urandom >"$path.part"
        mv "$path.part" "$path"
        md5sum "$path" | cut -d' ' -f1 >"$path.md5"
    fi
    echo "$path"
}

mkdir -p "$work"
echo "download of incompressible packages from nginx on 127.0.0.1:$port, median of $runs runs"
ours_rate=0
curl_rate=0
for mib in 256 1024; do
    file=$(package "$mib")
    bytes=$(stat -c %s "$file")
    md5=$(cat "$file.md5")
    url=http://127.0.0.1:$port/packages/$(basename "$file")
    : >"$work/curl.times"
    : >"$work/ours.times"
    : >"$work/ours.whole"
    : >"$work/ours.rss"
    for _ in $(seq 1 "$runs"); do
        rm -f "$work/curl.bin"
        start=$(now)
        curl -s -f -o "$work/curl.bin" "$url"
        seconds "$start" "$(now)" >>"$work/curl.times"
        rm -f "$work/curl.bin"

        rm -rf "$work/ours" "$work/config"
        mkdir -p "$work/ours"
        start=$(now)
        XDG_CONFIG_HOME=$work/config /usr/bin/time -f %M -o "$work/rss" \
            "$tool" "$url" "$work/ours" "$md5" >"$work/ours.log" 2>"$work/ours.err"
        whole=$(seconds "$start" "$(now)")
        echo "$whole" >>"$work/ours.whole"
        # The run without the digest check that follows the download (the
        # tool reports how long that took): process start, size request,
        # download and rename, as curl's run is.
        digest=$(sed -n 's/^digest checked in \([0-9.]*\) s.*/\1/p' "$work/ours.log")
        awk -v w="$whole" -v d="$digest" 'BEGIN { printf "%.3f\n", w - d }' >>"$work/ours.times"
        cat "$work/rss" >>"$work/ours.rss"
        rm -rf "$work/ours"
    done
    curl_s=$(median <"$work/curl.times")
    ours_s=$(median <"$work/ours.times")
    whole_s=$(median <"$work/ours.whole")
    rss_kib=$(sort -g "$work/ours.rss" | tail -1)
    echo "${mib} MiB: curl -o ${curl_s} s ($(mib_per_s "$bytes" "$curl_s") MiB/s)," \
        "fetch_package without digest ${ours_s} s ($(mib_per_s "$bytes" "$ours_s") MiB/s)," \
        "with digest check ${whole_s} s, peak RSS $((rss_kib / 1024)) MiB"
    eval "rss_$mib=$rss_kib"
    ours_rate=$(mib_per_s "$bytes" "$ours_s")
    curl_rate=$(mib_per_s "$bytes" "$curl_s")
done

growth=$(((rss_1024 - rss_256) / 1024))
if [ "$rss_1024" -lt $((64 * 1024)) ] && [ "$growth" -lt 8 ]; then
    echo "memory: peak RSS $((rss_256 / 1024)) MiB at 256 MiB, $((rss_1024 / 1024)) MiB at 1 GiB: under 64 MiB and flat"
else
    echo "memory: peak RSS $((rss_256 / 1024)) MiB at 256 MiB, $((rss_1024 / 1024)) MiB at 1 GiB: OVER TARGET"
fi
echo "1 GiB throughput: fetch_package ${ours_rate} MiB/s, curl -o ${curl_rate} MiB/s (target ratio >= 0.9)"
awk -v a="$ours_rate" -v b="$curl_rate" 'BEGIN { printf "ratio=%.2f\n", a / b }'

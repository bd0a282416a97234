#!/usr/bin/env bash
# Download throughput from the local launcher service (nginx on 127.0.0.1).
#
# Uncapped: fetch_package against `curl -o`, same URL, same run; packages of
# 256 MiB and 1 GiB, incompressible (/dev/urandom), each side RUNS times
# (default 3), alternating, the median counts. Then the 1 GiB package once
# more over 16 connections, to see the peak resident memory stay flat.
# Capped: the same 256 MiB package from a host that gives each connection
# 8 MiB/s (nginx limit_rate 8m), one run each of curl, `aria2c -x4 -s4` and
# fetch_package with its default connections.
# Last lines: ratio=<our rate / curl's, uncapped 1 GiB> (target >= 0.9) and
# ratio_capped=<aria2c time / ours> (target >= 0.95).
#
# BENCH_BUILD_DIR (default build-bench)  Release build of fetch_package
# BENCH_PORT      (default 0: a free one) port of the bench's own service
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$here/build-bench}
runs=${RUNS:-3}
service=$build/bench-service
work=$build/bench-download

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target fetch_package -j2 >/dev/null
tool=$build/bin/fetch_package

export LOCAL_SERVICE_PORT=${BENCH_PORT:-0} LOCAL_SERVICE_DIR=$service
bash "$here/tools/local-service.sh" start >/dev/null
trap 'bash "$here/tools/local-service.sh" stop >/dev/null' EXIT
# shellcheck disable=SC1091
base=$(. "$service/service.env" && echo "${PACKAGE_URL%%/packages/*}")

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

# fetch_package in a fresh folder and settings; prints the seconds without
# the digest check that follows the download (the tool says how long that
# took): process start, size request, download and rename, as curl's run is.
# Its peak RSS in KiB goes to $work/rss.
ours() { # url md5 [segments]
    rm -rf "$work/ours" "$work/config"
    mkdir -p "$work/ours"
    local start whole digest
    start=$(now)
    XDG_CONFIG_HOME=$work/config FETCH_PACKAGE_SEGMENTS=${3:-} /usr/bin/time -f %M -o "$work/rss" \
        "$tool" "$1" "$work/ours" "$2" >"$work/ours.log" 2>"$work/ours.err"
    whole=$(seconds "$start" "$(now)")
    digest=$(sed -n 's/^digest checked in \([0-9.]*\) s.*/\1/p' "$work/ours.log")
    rm -rf "$work/ours"
    awk -v w="$whole" -v d="$digest" 'BEGIN { printf "%.3f %.3f\n", w - d, d }'
}

timed() { # command...
    local start
    start=$(now)
    "$@"
    seconds "$start" "$(now)"
}

mkdir -p "$work"
echo "download of incompressible packages from nginx on $base, median of $runs runs"
ours_rate=0
curl_rate=0
for mib in 256 1024; do
    file=$(package "$mib")
    bytes=$(stat -c %s "$file")
    md5=$(cat "$file.md5")
    url=$base/packages/$(basename "$file")
    : >"$work/curl.times"
    : >"$work/ours.times"
    : >"$work/ours.digest"
    for _ in $(seq 1 "$runs"); do
        timed curl -s -f -o "$work/curl.bin" "$url" >>"$work/curl.times"
        rm -f "$work/curl.bin"
        read -r download digest < <(ours "$url" "$md5")
        echo "$download" >>"$work/ours.times"
        echo "$digest" >>"$work/ours.digest"
    done
    curl_s=$(median <"$work/curl.times")
    ours_s=$(median <"$work/ours.times")
    digest_s=$(median <"$work/ours.digest")
    echo "${mib} MiB: curl -o ${curl_s} s ($(mib_per_s "$bytes" "$curl_s") MiB/s)," \
        "fetch_package ${ours_s} s ($(mib_per_s "$bytes" "$ours_s") MiB/s)," \
        "digest check after the last byte ${digest_s} s"
    ours_rate=$(mib_per_s "$bytes" "$ours_s")
    curl_rate=$(mib_per_s "$bytes" "$curl_s")
done

big=$(package 1024)
read -r sixteen_s _ < <(ours "$base/packages/$(basename "$big")" "$(cat "$big.md5")" 16)
rss_kib=$(cat "$work/rss")
verdict="OVER TARGET"
[ "$rss_kib" -lt $((64 * 1024)) ] && verdict="under 64 MiB"
echo "memory: 1 GiB over 16 connections in ${sixteen_s} s, peak RSS $((rss_kib / 1024)) MiB: $verdict"

file=$(package 256)
bytes=$(stat -c %s "$file")
md5=$(cat "$file.md5")
url=$base/capped/$(basename "$file")
echo "capped host (8 MiB/s per connection), $((bytes / 1048576)) MiB, one run each"
curl_s=$(timed curl -s -f -o "$work/curl.bin" "$url")
rm -f "$work/curl.bin"
rm -rf "$work/aria2"
aria_s=$(timed aria2c -q -x4 -s4 --allow-overwrite=true -d "$work/aria2" -o package.bin "$url")
[ "$(md5sum "$work/aria2/package.bin" | cut -d' ' -f1)" = "$md5" ] || echo "aria2c fetched another digest" >&2
rm -rf "$work/aria2"
read -r capped_s _ < <(ours "$url" "$md5")
echo "capped: curl -o ${curl_s} s, aria2c -x4 -s4 ${aria_s} s, fetch_package ${capped_s} s"

echo "1 GiB throughput: fetch_package ${ours_rate} MiB/s, curl -o ${curl_rate} MiB/s (target ratio >= 0.9)"
awk -v a="$ours_rate" -v b="$curl_rate" 'BEGIN { printf "ratio=%.2f\n", a / b }'
awk -v a="$aria_s" -v b="$capped_s" 'BEGIN { printf "ratio_capped=%.2f\n", a / b }'

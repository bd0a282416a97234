#!/usr/bin/env bash
# tools/local-service.sh as a developer uses it: start, status, restart on
# another port, a busy port, stop. Runs its own service beside the fixture's.
set -euo pipefail
script=$1
port=$2
work=$(mktemp -d)
export LOCAL_SERVICE_DIR=$work/service LOCAL_SERVICE_PORT=$port

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cleanup() {
    LOCAL_SERVICE_DIR=$work/service bash "$script" stop >/dev/null 2>&1 || true
    LOCAL_SERVICE_DIR=$work/other bash "$script" stop >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

if bash "$script" status >/dev/null; then fail "status says running before start"; fi
bash "$script" start
bash "$script" start | grep -q "already running" || fail "a second start is not a no-op"
bash "$script" status | grep -q "^PACKAGE_MD5=" || fail "status does not name the package digest"

# shellcheck disable=SC1091
. "$LOCAL_SERVICE_DIR/service.env"
[ "$(md5sum <"$PACKAGE_FILE" | cut -d' ' -f1)" = "$PACKAGE_MD5" ] || fail "service.env digest differs from the file"
[ "$(stat -c %s "$PACKAGE_FILE")" = "$PACKAGE_SIZE" ] || fail "service.env size differs from the file"
curl -fsS "$RESOURCE_URL" | grep -q "\"md5\": \"$PACKAGE_MD5\"" || fail "resource answer without the digest"

# Another folder on the same port: a clear failure, and the first service keeps answering.
if LOCAL_SERVICE_DIR=$work/other bash "$script" start 2>"$work/err"; then fail "a busy port started"; fi
grep -qi "address already in use" "$work/err" || fail "no reason given for the busy port"
curl -fsS -o /dev/null "$PACKAGE_URL" || fail "the first service stopped answering"

# Same content on another port: the answers name the new port, the package stays.
bash "$script" stop
bash "$script" status >/dev/null && fail "status says running after stop"
other_port=$((port + 1))
LOCAL_SERVICE_PORT=$other_port bash "$script" start >/dev/null
curl -fsS "http://127.0.0.1:$other_port/qz7r_global/zqk/launcher/api/resource" | grep -q "127.0.0.1:$other_port/packages/" ||
    fail "answers still name the old port"
grep -q "^PACKAGE_MD5=$PACKAGE_MD5$" "$LOCAL_SERVICE_DIR/service.env" || fail "the package was made again"
LOCAL_SERVICE_PORT=$other_port bash "$script" stop >/dev/null
[ ! -e "$LOCAL_SERVICE_DIR/nginx.pid" ] || fail "pid file left behind"
echo "PASS"

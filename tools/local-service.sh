#!/usr/bin/env bash
# The local launcher service: a real nginx on 127.0.0.1 playing the launcher
# API, the website launcher page, the package host and the report endpoint.
#
#   tools/local-service.sh start|stop|status|run
#
# LOCAL_SERVICE_PORT        port (default 18470; 0: a free port picked at each start)
# LOCAL_SERVICE_DIR         content, config, pid and logs (default build/local-service)
# LOCAL_SERVICE_PACKAGE_MB  size of the sample game's bulk data (default 2)
#
# After start, $LOCAL_SERVICE_DIR/service.env holds shell assignments
# (PACKAGE_URL, PACKAGE_MD5, PACKAGE_SIZE, REPORT_LOG, ...); `status` prints them.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
requested_port=${LOCAL_SERVICE_PORT:-18470}
port=$requested_port
dir=${LOCAL_SERVICE_DIR:-$here/build/local-service}
package_mb=${LOCAL_SERVICE_PACKAGE_MB:-2}
nginx_bin=${NGINX:-$(command -v nginx || echo /usr/sbin/nginx)}

mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
pid_file=$dir/nginx.pid

# A master that exited may linger as a zombie until its parent reaps it.
alive() {
    kill -0 "$1" 2>/dev/null || return 1
    ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null
}

running_pid() {
    [ -s "$pid_file" ] || return 1
    local pid
    pid=$(cat "$pid_file")
    alive "$pid" || return 1
    echo "$pid"
}

generate() {
    python3 "$here/tools/local-service/generate.py" --dir "$dir" --port "$port" --package-mb "$package_mb"
}

# A port nobody listens on now; another program may still take it before
# nginx does, so start() tries again with a new one.
free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

nginx_cmd() {
    "$nginx_bin" -p "$dir" -c "$dir/nginx.conf" -e "$dir/logs/error.log" "$@"
}

wait_until_answering() {
    local i
    for i in $(seq 1 50); do
        if curl -fsS -o /dev/null "http://127.0.0.1:$port/site/index.html" 2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

start() {
    if pid=$(running_pid); then
        echo "local-service: already running (pid $pid) from $dir"
        return 0
    fi
    local attempts=1
    [ "$requested_port" = 0 ] && attempts=5
    for attempt in $(seq 1 "$attempts"); do
        [ "$requested_port" = 0 ] && port=$(free_port)
        generate
        : >"$dir/logs/error.log"
        if nginx_cmd; then
            break
        fi
        if [ "$attempt" = "$attempts" ]; then
            echo "local-service: nginx failed to start:" >&2
            cat "$dir/logs/error.log" >&2
            return 1
        fi
    done
    if ! wait_until_answering; then
        echo "local-service: nginx does not answer on port $port" >&2
        cat "$dir/logs/error.log" >&2
        stop >/dev/null || true
        return 1
    fi
    echo "local-service: running on http://127.0.0.1:$port (pid $(cat "$pid_file")), content in $dir"
}

stop() {
    local pid
    if ! pid=$(running_pid); then
        echo "local-service: not running"
        return 0
    fi
    kill -TERM "$pid"
    for _ in $(seq 1 50); do
        alive "$pid" || break
        sleep 0.1
    done
    if alive "$pid"; then
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -f "$pid_file"
    echo "local-service: stopped"
}

status() {
    local pid
    if pid=$(running_pid); then
        echo "local-service: running (pid $pid)"
    else
        echo "local-service: not running"
    fi
    if [ -f "$dir/service.env" ]; then
        cat "$dir/service.env"
    fi
    [ -n "${pid:-}" ]
}

run() {
    if pid=$(running_pid); then
        echo "local-service: already running (pid $pid) from $dir" >&2
        return 1
    fi
    [ "$requested_port" = 0 ] && port=$(free_port)
    generate
    echo "local-service: http://127.0.0.1:$port in the foreground (Ctrl+C stops it)"
    exec "$nginx_bin" -p "$dir" -c "$dir/nginx.conf" -e "$dir/logs/error.log" -g "daemon off;"
}

case "${1:-}" in
    start) start ;;
    stop) stop ;;
    status) status ;;
    run) run ;;
    *)
        echo "usage: $0 start|stop|status|run" >&2
        exit 2
        ;;
esac

#!/usr/bin/env bash
# Cold start to the first frame: the launcher against a bare QML window that
# holds one WebEngineView loading the same page (tools/bare_webview), both
# under one Xvfb, against the local launcher service. Each run starts a new
# process in a fresh home; the time runs from the start of the process to the
# scene graph's first "Frame rendered" line. Rounds alternate the two programs
# after one discarded warm-up each; medians count. Last line:
# ratio=<bare time / our time> (1 means as fast as the bare window).
#
# BENCH_BUILD_DIR (default build-bench)  Release build of both programs
# BENCH_PORT      (default 0: a free one) port of the benchmark's own service
# ROUNDS          (default 5)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$here/build-bench}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target aurelith_launcher bare_webview launcher_translations -j2 >/dev/null

# A service of its own on a port of its own: one started by tools/run.sh
# may hold the default port.
export LOCAL_SERVICE_DIR=$build/bench-startup-service LOCAL_SERVICE_PORT=${BENCH_PORT:-0}
bash "$here/tools/local-service.sh" start >/dev/null
trap 'bash "$here/tools/local-service.sh" stop >/dev/null' EXIT
# shellcheck disable=SC1091
. "$LOCAL_SERVICE_DIR/service.env"
export API_BASE WEB_BASE REPORT_BASE
export BIN=$build/bin ROUNDS=${ROUNDS:-5}
export QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=xcb
export QT_LOGGING_RULES="qt.scenegraph.time.renderloop=true"

xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp" python3 - <<'PY'
import os, statistics, subprocess, tempfile, time

def first_frame(command, extra):
    with tempfile.TemporaryDirectory() as home:
        os.makedirs(home + "/runtime", mode=0o700)
        env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=home + "/runtime", **extra)
        start = time.monotonic()
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                   text=True, errors="replace")
        try:
            for line in process.stderr:
                if "Frame rendered" in line:
                    return time.monotonic() - start
            raise SystemExit("%s ended before its first frame" % command[0])
        finally:
            process.terminate()
            process.wait()

b = os.environ["BIN"]
ours = ([b + "/aurelith_launcher"], {"LAUNCHER_API_BASE": os.environ["API_BASE"],
        "LAUNCHER_WEB_BASE": os.environ["WEB_BASE"], "LAUNCHER_REPORT_BASE": os.environ["REPORT_BASE"]})
bare = ([b + "/bare_webview", os.environ["WEB_BASE"] + "/5/en-us"], {})
times = {"ours": [], "bare": []}
first_frame(*ours), first_frame(*bare)
for _ in range(int(os.environ["ROUNDS"])):
    times["ours"].append(first_frame(*ours))
    times["bare"].append(first_frame(*bare))
for name, label in (("ours", "aurelith_launcher"), ("bare", "bare WebEngineView window")):
    print("%-26s median %.3f s  (%s)" % (label, statistics.median(times[name]),
                                           " ".join("%.3f" % t for t in times[name])))
print("ratio=%.2f" % (statistics.median(times["bare"]) / statistics.median(times["ours"])))
PY

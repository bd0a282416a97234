#!/usr/bin/env python3
"""Content of the local launcher service: sample game, packages, answers, pages.

Packages are built once per package size (they are slow to make when large);
the answers, pages and nginx.conf name the port, so they are rewritten on
every start.
"""
import argparse
import hashlib
import os
import random
import shlex
import shutil
import stat
import struct
import subprocess
import sys
import zlib

GENERATOR_REVISION = 3
GAME_CODE = "qz7r_global"
LAUNCHER_ID = "5"
LATEST = "1.1.0"
OLDER = "1.0.0"
ENTRY = "Halvest.x86_64"
PLUGIN = "AurelithHelper"
PACKAGE_NAME = "Aurelith_%s.7z" % LATEST
OLD_PACKAGE_NAME = "Aurelith_%s.7z" % OLDER
DIFF_NAME = "Aurelith_%s_to_%s.7z" % (OLDER, LATEST)
PLUGIN_NAME = PLUGIN + ".zip"
LANGUAGES = ["zh-cn", "zh-tw", "en-us", "ja-jp", "ko-kr", "vi-vn", "id-id"]


def write(path, data, mode=None):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if os.path.exists(path):
        os.chmod(path, 0o644)
    with open(path, "wb") as f:
        f.write(data.encode("utf-8") if isinstance(data, str) else data)
    if mode is not None:
        os.chmod(path, mode)


def write_bulk(path, megabytes, seed):
    """Incompressible, yet the same bytes on every machine (stable MD5)."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    rng = random.Random(seed)
    with open(path, "wb") as f:
        for _ in range(megabytes):
            f.write(rng.randbytes(1 << 20))


def md5_of(path):
    digest = hashlib.md5()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def game_script(version):
    # A player starts it; it stays up a while so "is the game running" checks
    # can see it (its process name is the file name).
    return """#!/bin/sh
# Aurelith sample game: stands in for the real game in development.
echo "Aurelith %s started in $(dirname "$0") with: $*"
sleep "${AURELITH_SAMPLE_SECONDS:-5}"
echo "Aurelith %s closed"
""" % (version, version)


def game_tree(root, version, megabytes):
    if os.path.exists(root):
        make_writable(root)
        shutil.rmtree(root)
    write(os.path.join(root, ENTRY), game_script(version), 0o755)
    metadata = ("AURELITH-METADATA %s\n" % version) * 64
    write(os.path.join(root, "Halvest_Data/Managed/Metadata/global-metadata.dat"), metadata)
    write(os.path.join(root, "Halvest_Data/Native/Data/Metadata/global-metadata.dat"), metadata)
    write(os.path.join(root, "Halvest_Data/Managed/Assembly-CSharp.dll"), "assembly %s\n" % version * 200)
    write(os.path.join(root, "Halvest_Data/StreamingAssets/Audio/Voices/en/line_001.txt"), "Hello, traveller.\n")
    write(os.path.join(root, "Halvest_Data/StreamingAssets/Audio/Voices/ja/line_001.txt"), "ようこそ、旅人よ。\n")
    write(os.path.join(root, "Halvest_Data/StreamingAssets/Maps/Région Nord/carte.txt"), "north map %s\n" % version)
    write(os.path.join(root, "说明.txt"), "Aurelith %s 示例游戏。\n" % version)
    write(os.path.join(root, "version.txt"), version + "\n")
    write(os.path.join(root, "LICENSE.txt"), "Sample content for development only.\n", 0o444)
    write_bulk(os.path.join(root, "Halvest_Data/Resources/sharedassets0.assets"), megabytes, "aurelith-bulk")
    if version == OLDER:
        write(os.path.join(root, "Halvest_Data/obsolete.dat"), "removed in %s\n" % LATEST)
        write(os.path.join(root, "Halvest_Data/StreamingAssets/old_intro.txt"), "old intro\n")


def make_writable(root):
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            if not os.path.islink(path):
                os.chmod(path, os.stat(path).st_mode | stat.S_IWUSR)


def pack_7z(source, target, names, level):
    if os.path.exists(target):
        os.remove(target)
    subprocess.run(["7z", "a", "-t7z", "-mx=%d" % level, "-bd", "-bso0", "-bsp0", target, "--"] + names,
                   cwd=source, check=True)


def pack_zip(source, target, names):
    if os.path.exists(target):
        os.remove(target)
    subprocess.run(["7z", "a", "-tzip", "-bd", "-bso0", "-bsp0", target, "--"] + names, cwd=source, check=True)


def build_packages(base, megabytes):
    src = os.path.join(base, "source")
    pkg = os.path.join(base, "www", "packages")
    os.makedirs(pkg, exist_ok=True)
    # Random bytes do not compress: storing them keeps large packages quick to make.
    level = 0 if megabytes > 16 else 5

    latest = os.path.join(src, "game-" + LATEST)
    older = os.path.join(src, "game-" + OLDER)
    game_tree(latest, LATEST, megabytes)
    game_tree(older, OLDER, megabytes)
    pack_7z(latest, os.path.join(pkg, PACKAGE_NAME), sorted(os.listdir(latest)), level)
    pack_7z(older, os.path.join(pkg, OLD_PACKAGE_NAME), sorted(os.listdir(older)), level)

    diff = os.path.join(src, "diff-%s-%s" % (OLDER, LATEST))
    if os.path.exists(diff):
        shutil.rmtree(diff)
    for name in [ENTRY, "version.txt", "Halvest_Data/Managed/Assembly-CSharp.dll",
                 "Halvest_Data/Managed/Metadata/global-metadata.dat",
                 "Halvest_Data/Native/Data/Metadata/global-metadata.dat",
                 "Halvest_Data/StreamingAssets/Maps/Région Nord/carte.txt", "说明.txt"]:
        target = os.path.join(diff, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(os.path.join(latest, name), target)
    write(os.path.join(diff, "deletefiles.txt"),
          "Halvest_Data/obsolete.dat\nHalvest_Data/StreamingAssets/old_intro.txt\n")
    pack_7z(diff, os.path.join(pkg, DIFF_NAME), sorted(os.listdir(diff)), 5)

    plugin = os.path.join(src, "plugin")
    if os.path.exists(plugin):
        shutil.rmtree(plugin)
    helper = """#!/bin/sh
# Aurelith helper plugin: installs quietly with /silent.
echo "AurelithHelper ran with: $*"
"""
    # The installer starts <name>/<name>.exe; on Linux that is this script.
    write(os.path.join(plugin, PLUGIN, PLUGIN + ".exe"), helper, 0o755)
    write(os.path.join(plugin, PLUGIN, "readme.txt"), "Aurelith helper plugin, sample.\n")
    pack_zip(plugin, os.path.join(pkg, PLUGIN_NAME), [PLUGIN])


def png(width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + \
        chunk(b"IEND", b"")


def build_pictures(www):
    def dusk(x, y):
        t = y / 719.0
        return bytes((int(30 + 60 * t), int(20 + 40 * t + 30 * (x / 1279.0)), int(70 + 90 * (1 - t))))

    def emblem(x, y):
        dx, dy = x - 59.5, y - 59.5
        r = (dx * dx + dy * dy) ** 0.5
        if r < 40:
            return b"\xf0\xc0\x40"
        if r < 50:
            return b"\x90\x50\x20"
        return b"\x20\x20\x40"

    write(os.path.join(www, "pictures", "background.png"), png(1280, 720, dusk))
    write(os.path.join(www, "pictures", "activity.png"), png(120, 120, emblem))


def json_text(value):
    import json
    return json.dumps(value, ensure_ascii=False, indent=2) + "\n"


def package_info(www, name):
    path = os.path.join(www, "packages", name)
    return path, md5_of(path), os.path.getsize(path)


def build_answers(base, port, info):
    www = os.path.join(base, "www")
    host = "http://127.0.0.1:%d" % port
    packages = host + "/packages/"
    latest_path, latest_md5, latest_size = info[PACKAGE_NAME]
    _, diff_md5, diff_size = info[DIFF_NAME]
    _, plugin_md5, plugin_size = info[PLUGIN_NAME]
    resource = {
        "retcode": 0,
        "message": "OK",
        "data": {
            "game": {
                "latest": {
                    "name": PACKAGE_NAME,
                    "version": LATEST,
                    "path": packages + PACKAGE_NAME,
                    "md5": latest_md5,
                    "size": str(latest_size),
                    "entry": ENTRY,
                },
                "diffs": [{
                    "name": DIFF_NAME,
                    "version": OLDER,
                    "path": packages + DIFF_NAME,
                    "md5": diff_md5,
                    "size": str(diff_size),
                }],
            },
            "plugin": {
                "plugins": [{
                    "name": PLUGIN,
                    "version": "1.0.0",
                    "path": packages + PLUGIN_NAME,
                    "md5": plugin_md5,
                    "size": str(plugin_size),
                }],
            },
            "force_update": {
                "min_version": "2.0.0.0",
                "url": host + "/site/installer.html",
            },
            "web_url": host + "/site/index.html",
        },
    }
    content = {
        "retcode": 0,
        "message": "OK",
        "data": {
            "adv": {
                "background": host + "/pictures/background.png",
                "icon": host + "/pictures/activity.png",
                "url": host + "/site/news.html",
            },
        },
    }
    write(os.path.join(www, "api", "resource.json"), json_text(resource))
    write(os.path.join(www, "api", "content.json"), json_text(content))
    write(os.path.join(www, "api", "news.json"), json_text({"news": NEWS}))
    write(os.path.join(www, "launcher", "page.html"), LAUNCHER_PAGE)
    for name, title in (("index.html", "Aurelith"), ("news.html", "Aurelith news"),
                        ("installer.html", "Aurelith Launcher download")):
        write(os.path.join(www, "site", name), SITE_PAGE.replace("@TITLE@", title))


NEWS = [
    {"date": "2026-11-28", "title": "Version 1.1.0: the northern region opens"},
    {"date": "2026-11-14", "title": "Festival of lanterns, two weeks only"},
    {"date": "2026-10-30", "title": "Developer notes: faster loading"},
]

LAUNCHER_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Aurelith</title>
<style>
body { margin: 0; font-family: sans-serif; color: #f4ecd8; background: #1e1a30 url('/pictures/background.png') center/cover; }
#news { position: absolute; right: 40px; top: 70px; width: 420px; background: rgba(0,0,0,.55); padding: 16px; }
#news li { margin: 6px 0; } #api { font-size: 11px; opacity: .6; }
</style></head>
<body>
<div id="news"><h3>Aurelith</h3><ul id="items"></ul><div id="api"></div></div>
<script>
var params = new URLSearchParams(window.location.search);
var api = params.get("api_url") || "";
document.getElementById("api").textContent = "api_url: " + api;
var lang = window.location.pathname.split("/").pop();
document.documentElement.lang = lang;
fetch("/api/news.json").then(function (r) { return r.json(); }).then(function (d) {
  var list = document.getElementById("items");
  d.news.forEach(function (n) {
    var li = document.createElement("li");
    li.textContent = n.date + "  " + n.title;
    list.appendChild(li);
  });
});
</script>
</body></html>
"""

SITE_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>@TITLE@</title></head>
<body style="font-family: sans-serif"><h1>@TITLE@</h1><p>Local launcher service page.</p></body></html>
"""

NGINX_CONF = """# Written by tools/local-service/generate.py on every start.
@USER@worker_processes 1;
pid @DIR@/nginx.pid;
error_log @DIR@/logs/error.log warn;
events { worker_connections 256; }
http {
    types {
        text/html html;
        application/json json;
        application/javascript js;
        text/plain txt;
        image/png png;
        application/x-7z-compressed 7z;
        application/zip zip;
    }
    default_type application/octet-stream;
    client_body_temp_path @DIR@/tmp/client_body;
    proxy_temp_path @DIR@/tmp/proxy;
    fastcgi_temp_path @DIR@/tmp/fastcgi;
    uwsgi_temp_path @DIR@/tmp/uwsgi;
    scgi_temp_path @DIR@/tmp/scgi;
    log_format report escape=none '$args';
    access_log @DIR@/logs/access.log;
    sendfile on;
    server_tokens off;

    server {
        listen 127.0.0.1:@PORT@;
        server_name localhost;
        root @DIR@/www;

        # The query string never changes an answer.
        location = /@GAME@/zqk/launcher/api/resource {
            default_type application/json;
            alias @DIR@/www/api/resource.json;
        }
        location = /@GAME@/zqk/launcher/api/content {
            default_type application/json;
            alias @DIR@/www/api/content.json;
        }
        location ~ ^/launcher/@LAUNCHER@/[A-Za-z-]+/?$ {
            default_type text/html;
            try_files /launcher/page.html =404;
        }
        # One line per report: the query as it arrived.
        location = /client_report {
            access_log @DIR@/logs/reports.log report;
            default_type text/plain;
            return 200 "ok\\n";
        }
        location /packages/ { }
        # The packages again from a host that caps each connection, as
        # package hosts and CDNs do (bench/download.sh).
        location /capped/ {
            alias @DIR@/www/packages/;
            limit_rate 8m;
        }
        location /pictures/ { }
        location /site/ { }
        location /api/ { }
        location / { return 404; }
    }
}
"""


def build_nginx_conf(base, port):
    user = ""
    if os.geteuid() == 0:
        # Workers would otherwise drop to "nobody" and lose access to the folder.
        import grp
        import pwd
        user = "user %s %s;\n" % (pwd.getpwuid(0).pw_name, grp.getgrgid(0).gr_name)
    text = (NGINX_CONF.replace("@DIR@", base).replace("@PORT@", str(port)).replace("@GAME@", GAME_CODE)
            .replace("@LAUNCHER@", LAUNCHER_ID).replace("@USER@", user))
    for sub in ("logs", "tmp/client_body", "tmp/proxy", "tmp/fastcgi", "tmp/uwsgi", "tmp/scgi"):
        os.makedirs(os.path.join(base, sub), exist_ok=True)
    write(os.path.join(base, "nginx.conf"), text)


def build_env(base, port, info):
    host = "http://127.0.0.1:%d" % port
    packages = host + "/packages/"
    values = [
        ("LOCAL_SERVICE_PORT", str(port)),
        ("LOCAL_SERVICE_URL", host),
        ("LOCAL_SERVICE_DIR", base),
        ("API_BASE", host + "/" + GAME_CODE),
        ("WEB_BASE", host + "/launcher"),
        ("REPORT_BASE", host),
        ("RESOURCE_URL", host + "/%s/zqk/launcher/api/resource?launcher_id=%s" % (GAME_CODE, LAUNCHER_ID)),
        ("CONTENT_URL", host + "/%s/zqk/launcher/api/content?launcher_id=%s&filter_adv=true&language=en-us"
         % (GAME_CODE, LAUNCHER_ID)),
        ("REPORT_LOG", os.path.join(base, "logs", "reports.log")),
        ("GAME_ENTRY", ENTRY),
        ("PACKAGE_VERSION", LATEST),
        ("OLD_VERSION", OLDER),
    ]
    for prefix, name in (("PACKAGE", PACKAGE_NAME), ("OLD_PACKAGE", OLD_PACKAGE_NAME),
                         ("DIFF_PACKAGE", DIFF_NAME), ("PLUGIN", PLUGIN_NAME)):
        path, md5, size = info[name]
        values += [(prefix + "_URL", packages + name), (prefix + "_MD5", md5), (prefix + "_SIZE", str(size)),
                   (prefix + "_FILE", path)]
    write(os.path.join(base, "service.env"), "".join("%s=%s\n" % (k, shlex.quote(v)) for k, v in values))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dir", required=True)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--package-mb", type=int, default=2)
    args = parser.parse_args()
    base = os.path.abspath(args.dir)
    os.makedirs(base, exist_ok=True)

    stamp_path = os.path.join(base, "content.stamp")
    stamp = "revision=%d package_mb=%d\n" % (GENERATOR_REVISION, args.package_mb)
    current = open(stamp_path).read() if os.path.exists(stamp_path) else ""
    if current != stamp:
        print("local-service: generating content (%d MB package) in %s" % (args.package_mb, base), file=sys.stderr)
        build_packages(base, args.package_mb)
        build_pictures(os.path.join(base, "www"))
        if os.path.exists(os.path.join(base, "packages.json")):
            os.remove(os.path.join(base, "packages.json"))
        write(stamp_path, stamp)

    www = os.path.join(base, "www")
    info_path = os.path.join(base, "packages.json")
    if current != stamp or not os.path.exists(info_path):
        # Digests of large packages take seconds: computed once per generation.
        info = {name: package_info(www, name) for name in (PACKAGE_NAME, OLD_PACKAGE_NAME, DIFF_NAME, PLUGIN_NAME)}
        write(info_path, json_text(info))
    import json
    with open(info_path, encoding="utf-8") as f:
        info = json.load(f)
    build_answers(base, args.port, info)
    build_nginx_conf(base, args.port)
    build_env(base, args.port, info)


if __name__ == "__main__":
    main()

#!/usr/bin/env bash
# Installs every Debian 12 package the launcher needs to build, run and test.
set -euo pipefail

packages=(
    cmake g++ make python3 curl
    qtbase5-dev qtdeclarative5-dev qttools5-dev qttools5-dev-tools libqt5opengl5-dev
    qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls
    qml-module-qtquick-controls2 qml-module-qtquick-dialogs
    qml-module-qtgraphicaleffects qtwebengine5-dev qml-module-qtwebengine
    p7zip-full nginx-light time e2fsprogs util-linux strace aria2
    dpkg-dev desktop-file-utils appstream file
    xvfb xauth xdotool imagemagick fonts-wqy-microhei fonts-dejavu-core
    weston qtwayland5 trayer x11-utils g++-mingw-w64-x86-64-posix
)

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

export DEBIAN_FRONTEND=noninteractive
sudo_if_needed apt-get update -q
sudo_if_needed apt-get install -y -q --no-install-recommends "${packages[@]}"

#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, skipping those present.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libsqlite3-dev openbox trayer
  libjpeg62-turbo-dev libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils
  imagemagick fonts-wqy-zenhei sqlite3 python3 python3-pil desktop-file-utils
  libespeak-ng-dev espeak-ng-data libasound2-dev clang-format libx11-dev libxext-dev libxtst-dev
  dpkg-dev file lintian appstream nlohmann-json3-dev libfontconfig-dev
  dbus-daemon xfce4-panel xfconf weston qt6-wayland faketime libhunspell-dev hunspell-en-us
  # The statistics plots; Debian's Qt Charts finds its OpenGL dependency only with the second.
  qt6-charts-dev libqt6opengl6-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
